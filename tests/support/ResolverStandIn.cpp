#include "support/ResolverStandIn.h"

#include <atomic>
#include <map>

#include "win/Lock.h"
#include "win/ResolveHost.h"

namespace testing_support {
namespace {

win::Lock& MapLock() {
  static win::Lock lock;
  return lock;
}
std::map<std::string, std::string>& Names() {
  static std::map<std::string, std::string> names;
  return names;
}
HANDLE g_release = nullptr;
std::atomic<int> g_asked{0};

int Resolve(const char* name, in_addr& address) {
  ++g_asked;
  const std::string n = name ? name : "";
  if (n == "stuck.test") {
    WaitForSingleObject(g_release, INFINITE);
    return WSAHOST_NOT_FOUND;
  }
  win::LockGuard g(MapLock());
  auto it = Names().find(n);
  if (it == Names().end()) return WSAHOST_NOT_FOUND;
  address.s_addr = inet_addr(it->second.c_str());
  return 0;
}

}  // namespace

ResolverStandIn::ResolverStandIn() {
  if (!g_release) g_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ResetEvent(g_release);
  g_asked = 0;
  win::SetNameResolverForTest(&Resolve);
}

ResolverStandIn::~ResolverStandIn() {
  SetEvent(g_release);
  // Held look-ups finish now; wait for them so none outlives its test.
  for (int i = 0; i < 200 && win::LookupsInFlight() > 0; ++i) Sleep(10);
  win::SetNameResolverForTest(nullptr);
  win::LockGuard g(MapLock());
  Names().clear();
}

void ResolverStandIn::Map(const std::string& name, const char* address) {
  win::LockGuard g(MapLock());
  Names()[name] = address;
}

int ResolverStandIn::Asked() { return g_asked.load(); }

}  // namespace testing_support

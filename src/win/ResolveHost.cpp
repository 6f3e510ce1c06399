#include "win/ResolveHost.h"

#include <atomic>
#include <cstring>
#include <string>

namespace win {

struct HostLookup::Request {
  std::string name;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM serial = 0;
  HANDLE done = nullptr;  // set when the answer is in
  std::atomic<bool> abandoned{false};
  int error = 0;
  in_addr address = {};

  ~Request() {
    if (done) CloseHandle(done);
  }
};

namespace {

std::atomic<NameResolver> g_resolver{nullptr};
std::atomic<int> g_inFlight{0};
std::atomic<unsigned> g_serial{0};

int SystemResolve(const char* name, in_addr& address) {
  const hostent* entry = gethostbyname(name);
  if (!entry) return WSAGetLastError() ? WSAGetLastError() : WSAHOST_NOT_FOUND;
  if (entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
      !entry->h_addr_list[0])
    return WSANO_DATA;
  std::memcpy(&address, entry->h_addr_list[0], 4);
  return 0;
}

DWORD WINAPI LookupThread(void* param) {
  // The thread holds its own reference: the request lives until both the
  // thread and whoever started it are done with it.
  std::unique_ptr<std::shared_ptr<HostLookup::Request>> held(
      static_cast<std::shared_ptr<HostLookup::Request>*>(param));
  HostLookup::Request& r = **held;
  NameResolver resolve = g_resolver.load();
  in_addr address = {};
  const int rc = (resolve ? resolve : &SystemResolve)(r.name.c_str(), address);
  r.error = rc == 0 ? 0 : WSAEINVAL;
  r.address = address;
  SetEvent(r.done);  // publishes error and address
  if (!r.abandoned.load() && r.window) PostMessageA(r.window, r.message, r.serial, 0);
  held.reset();
  g_inFlight.fetch_sub(1);
  return 0;
}

// Starts the look-up thread; 0 or the error that kept it from starting.
int Launch(const std::shared_ptr<HostLookup::Request>& request) {
  if (g_inFlight.load() >= kMaxLookupsInFlight) return WSAETIMEDOUT;
  request->done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!request->done) return WSAENOBUFS;
  auto* held = new std::shared_ptr<HostLookup::Request>(request);
  g_inFlight.fetch_add(1);
  HANDLE thread = CreateThread(nullptr, 64 * 1024, &LookupThread, held,
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) {
    g_inFlight.fetch_sub(1);
    delete held;
    return WSAENOBUFS;
  }
  CloseHandle(thread);
  return 0;
}

}  // namespace

bool ParseDottedAddress(const char* host, in_addr& address) {
  if (!host || !*host) return false;
  const unsigned long dotted = inet_addr(host);
  if (dotted == INADDR_NONE) return false;
  address.s_addr = dotted;
  return true;
}

NameResolver SetNameResolverForTest(NameResolver resolver) { return g_resolver.exchange(resolver); }

int LookupsInFlight() { return g_inFlight.load(); }

HostLookup::~HostLookup() { Cancel(); }

int HostLookup::Start(const char* name, HWND window, UINT message) {
  Cancel();
  auto request = std::make_shared<Request>();
  request->name = name ? name : "";
  request->window = window;
  request->message = message;
  request->serial = g_serial.fetch_add(1) + 1;
  if (const int rc = Launch(request)) return rc;
  request_ = std::move(request);
  return 0;
}

bool HostLookup::Finish(WPARAM serial, in_addr& address, int& error) {
  if (!request_ || request_->serial != serial) return false;
  if (WaitForSingleObject(request_->done, 0) != WAIT_OBJECT_0) return false;
  error = request_->error;
  if (error == 0) address = request_->address;
  request_.reset();
  return true;
}

void HostLookup::Cancel() {
  if (!request_) return;
  request_->abandoned.store(true);
  request_.reset();
}

int ResolveHostWithin(const char* host, DWORD ms, in_addr& address, HANDLE abort) {
  if (!host || !*host) return WSAEINVAL;
  if (ParseDottedAddress(host, address)) return 0;
  auto request = std::make_shared<HostLookup::Request>();
  request->name = host;
  if (const int rc = Launch(request)) return rc;
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    const DWORD left = elapsed >= ms ? 0 : ms - elapsed;
    const HANDLE handles[2] = {request->done, abort};
    const DWORD count = abort ? 2 : 1;
    const DWORD rc = MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_SENDMESSAGE);
    if (rc == WAIT_OBJECT_0) break;
    if (rc == WAIT_OBJECT_0 + count) {
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    request->abandoned.store(true);
    return rc == WAIT_OBJECT_0 + 1 && abort ? WSAEINTR : WSAETIMEDOUT;
  }
  if (request->error) return request->error;
  address = request->address;
  return 0;
}

}  // namespace win

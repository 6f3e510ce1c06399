#include "keepalive/ServiceMessages.h"

#include <cstring>

namespace svcmsg {
namespace {
constexpr size_t kHostCapacity = 128;
}

bool PostProgress(HWND controller, WPARAM phase) {
  return PostMessageA(controller, kExchangeProgress, phase, 0) != FALSE;
}

bool PostResult(HWND controller, ServiceKind kind, LPARAM result) {
  return PostMessageA(controller, kServiceResult, static_cast<WPARAM>(ServiceIndex(kind)),
                      result) != FALSE;
}

bool PostCurrentHost(HWND controller, int phase, ServiceKind kind, const char* host) {
  auto copy = std::make_unique<char[]>(kHostCapacity);
  const size_t n = host ? strnlen(host, kHostCapacity - 1) : 0;
  if (n) std::memcpy(copy.get(), host, n);
  copy[n] = '\0';
  const WPARAM wp = static_cast<WPARAM>(phase) * 65536u + static_cast<WPARAM>(ServiceIndex(kind));
  if (!PostMessageA(controller, kCurrentHost, wp, reinterpret_cast<LPARAM>(copy.get())))
    return false;
  (void)copy.release();  // the receiver frees it
  return true;
}

std::unique_ptr<char[]> TakeCurrentHost(LPARAM lp) {
  std::unique_ptr<char[]> text(reinterpret_cast<char*>(lp));
  if (!text) {
    text = std::make_unique<char[]>(1);
    text[0] = '\0';
  }
  return text;
}

}  // namespace svcmsg

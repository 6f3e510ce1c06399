#include "keepalive/ServiceMessages.h"

#include <cstring>
#include <new>

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

WPARAM CurrentHostParam(int phase, ServiceKind kind) {
  return static_cast<WPARAM>(phase) * 65536u + static_cast<WPARAM>(ServiceIndex(kind));
}

LPARAM CopyHostText(const char* host) {
  char* copy = new (std::nothrow) char[kHostCapacity];
  if (!copy) return 0;
  const size_t n = host ? strnlen(host, kHostCapacity - 1) : 0;
  if (n) std::memcpy(copy, host, n);
  copy[n] = '\0';
  return reinterpret_cast<LPARAM>(copy);
}

bool PostCurrentHost(HWND controller, int phase, ServiceKind kind, const char* host) {
  const LPARAM text = CopyHostText(host);
  if (!text) return false;
  if (PostMessageA(controller, kCurrentHost, CurrentHostParam(phase, kind), text)) return true;
  TakeCurrentHost(text);  // frees it
  return false;
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

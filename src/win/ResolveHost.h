#pragma once
// Host names to IPv4 addresses without letting a slow resolver hold anyone.
// A name is looked up on a thread of its own; the caller either gets the
// answer as a posted message (HostLookup) or waits for it up to a deadline
// (ResolveHostWithin). An abandoned look-up finishes on its thread and frees
// itself; its answer goes nowhere. Dotted addresses need no look-up.
#include <winsock2.h>

#include <memory>

namespace win {

// A dotted address ("127.0.0.1"); false for anything else.
bool ParseDottedAddress(const char* host, in_addr& address);

// The blocking resolution a look-up runs on its thread: 0 and the address,
// or a Winsock error. Tests put a stand-in here so that no test resolves a
// real name; null restores the system's. Returns the one it replaced.
using NameResolver = int (*)(const char* name, in_addr& address);
NameResolver SetNameResolverForTest(NameResolver resolver);

// Look-ups still running (answered or not), across the process.
int LookupsInFlight();
// Past this many, a resolver that does not answer is taken as stuck: a new
// look-up fails at once with WSAETIMEDOUT rather than start another thread.
inline constexpr int kMaxLookupsInFlight = 32;

// One look-up at a time, answered by a message to a window of the thread
// that started it. Lifecycle: Start -> (message) -> Finish, or Cancel; the
// destructor cancels.
class HostLookup {
 public:
  HostLookup() = default;
  ~HostLookup();
  HostLookup(const HostLookup&) = delete;
  HostLookup& operator=(const HostLookup&) = delete;

  // Starts looking up `name` (any look-up in flight is cancelled); when it
  // is done, `message` is posted to `window` with wParam the look-up's
  // serial number. Returns 0, or the error that kept it from starting.
  int Start(const char* name, HWND window, UINT message);
  // For the posted message: true when it answers the look-up in flight,
  // which is then over; `error` is 0 with `address` set, or WSAEINVAL for a
  // name that cannot be resolved. False for the answer of a cancelled one.
  bool Finish(WPARAM serial, in_addr& address, int& error);
  void Cancel();
  bool InFlight() const { return request_ != nullptr; }

  struct Request;

 private:
  std::shared_ptr<Request> request_;
};

// A dotted address, or a name looked up within `ms` (real milliseconds,
// already scaled). Returns 0, WSAEINVAL for an empty name or one that
// cannot be resolved, or WSAETIMEDOUT when the deadline passed first;
// WSAEINTR as soon as `abort` (if given) is set. Sent messages to this
// thread's windows are answered while it waits.
int ResolveHostWithin(const char* host, DWORD ms, in_addr& address, HANDLE abort = nullptr);

}  // namespace win

#pragma once
// The waits and polls of launches and sign-ons: scaled by the time facility,
// answering messages sent to the waiting thread's windows but dispatching
// nothing else (no timers run inside them), and ended at once by End(), which
// Exit calls so that no launcher goes on waiting while the program ends.
#include <windows.h>

#include <functional>

namespace watch {

class LaunchWaits {
 public:
  LaunchWaits();
  ~LaunchWaits();
  LaunchWaits(const LaunchWaits&) = delete;
  LaunchWaits& operator=(const LaunchWaits&) = delete;

  // Ends every wait now and every later one at once; from any thread.
  void End();
  bool Ended() const;

  // Waits `ms` (scaled); false when ended.
  bool Sleep(DWORD ms) const;
  // Waits up to `ms` (scaled; INFINITE for no limit) for `event`; true once it
  // is set, false when the waits were ended or the time ran out.
  bool WaitFor(HANDLE event, DWORD ms) const;
  // Set once ended: for a thread that waits for its messages too.
  HANDLE endedEvent() const { return ended_; }
  // Looks up to `tries` times, `gapMs` (scaled) apart, until `look` finds a
  // window; null when it never did or the waits were ended.
  HWND Poll(int tries, DWORD gapMs, const std::function<HWND()>& look) const;

 private:
  HANDLE ended_;
};

}  // namespace watch

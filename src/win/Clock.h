#pragma once
// The one time facility: every wait and every timer period of the program
// passes through here, so tests can run the real sequences at a fraction of
// their real length. The scale comes from TETHERLY_TIME_SCALE (a fraction,
// e.g. 0.01) at start-up, or from SetTimeScale in tests; 1 otherwise.
#include <windows.h>

namespace win {

void SetTimeScale(double scale);
double TimeScale();
// Loads TETHERLY_TIME_SCALE from the environment, if present and sane.
void LoadTimeScaleFromEnvironment();

// A period of `ms` real milliseconds in scaled time. 0 stays 0; anything
// else is at least 1 ms so that a period never turns into "as fast as possible".
DWORD ScaledMs(DWORD ms);

void SleepMs(DWORD ms);
UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, DWORD ms);
// As above for a period already in scaled time (the rest of a scaled wait).
UINT_PTR StartTimerScaled(HWND hwnd, UINT_PTR id, DWORD scaledMs);
// Tests: told of every timer started through StartTimer, with its period as
// asked for (before scaling). Null stops it.
using TimerObserver = void (*)(HWND hwnd, UINT_PTR id, DWORD requestedMs);
void SetTimerObserver(TimerObserver observer);
DWORD WaitForOne(HANDLE handle, DWORD ms);
DWORD WaitForAll(DWORD count, const HANDLE* handles, DWORD ms);

}  // namespace win

namespace win {
// Waits for all handles while still answering messages that other threads
// send to this thread's windows (a worker writing a trace line must not
// deadlock against a user-interface thread waiting for it to end).
DWORD WaitForAllAnsweringSends(DWORD count, const HANDLE* handles, DWORD ms);
// Waits for one handle up to `ms` (scaled), answering what other threads send
// to this thread's windows but dispatching nothing else (no timers, no input).
DWORD WaitForOneAnsweringSends(HANDLE handle, DWORD ms);
// The same for the first of several handles (WAIT_OBJECT_0 + its index).
DWORD WaitForAnyAnsweringSends(DWORD count, const HANDLE* handles, DWORD ms);
// The same with `ms` in real milliseconds, for a bound the time scale must
// not shrink (one that covers a send's own floor, say).
DWORD WaitForAnyAnsweringSendsRealMs(DWORD count, const HANDLE* handles, DWORD ms);
// Waits `ms` (scaled) while dispatching this thread's messages, so windows
// keep painting. Measured with the performance counter, so short waits keep
// their length. False when WM_QUIT arrived (it is posted again for the loop).
bool PumpFor(DWORD ms);

// Short waits at their own length, for a run of them (the mouse walk's 3 and
// 2 ms steps): a plain wait ends on the system's timer tick, 15.6 ms unless
// some program asked for less. Takes a high-resolution waitable timer where
// the system has one (Windows 10 1803 and later); elsewhere it holds the
// system timer at 1 ms (timeBeginPeriod) while it lives, and no longer.
class PreciseWaits {
 public:
  enum class Kind { HighResolutionTimer, SystemTimerPeriod, Plain };

  PreciseWaits();
  ~PreciseWaits();
  PreciseWaits(const PreciseWaits&) = delete;
  PreciseWaits& operator=(const PreciseWaits&) = delete;

  // As PumpFor: waits `ms` (scaled) while dispatching this thread's
  // messages; false when WM_QUIT arrived (it is posted again for the loop).
  bool PumpFor(DWORD ms);
  Kind kind() const { return kind_; }

  // Tests: the fallback as on a system without high-resolution timers.
  static void UseSystemTimerPeriodOnly(bool only);

 private:
  HANDLE timer_ = nullptr;
  Kind kind_ = Kind::Plain;
};
}  // namespace win

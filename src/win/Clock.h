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
}  // namespace win

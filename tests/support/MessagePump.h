#pragma once
// Runs this thread's messages until a condition holds or a (real, unscaled)
// limit passes. Tests wait for conditions, never for fixed times.
#include <windows.h>

#include <functional>

namespace testing_support {

// True when `done` became true within `limitMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
// Dispatches everything already queued (and whatever that posts) once.
void PumpPending();
// Runs messages for `ms` real milliseconds (for "nothing else happens" checks).
void PumpFor(DWORD ms);
// As PumpUntil and PumpFor, but checking the condition and the time after
// every message: they return even while the thread's timer ticks take longer
// than their period (a frozen user interface under test).
bool PumpEachUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
void PumpEachFor(DWORD ms);

}  // namespace testing_support

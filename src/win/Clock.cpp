#include "win/Clock.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdlib>

namespace win {
namespace {
std::atomic<double> g_scale{1.0};
std::atomic<TimerObserver> g_timerObserver{nullptr};
std::atomic<bool> g_systemTimerPeriodOnly{false};
// Not in every SDK header yet.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
}

void SetTimeScale(double scale) {
  if (scale > 0.0 && scale <= 1.0) g_scale.store(scale);
}

double TimeScale() { return g_scale.load(); }

void LoadTimeScaleFromEnvironment() {
  char text[32] = {};
  DWORD n = GetEnvironmentVariableA("TETHERLY_TIME_SCALE", text, sizeof(text));
  if (n == 0 || n >= sizeof(text)) return;
  char* end = nullptr;
  double scale = std::strtod(text, &end);
  if (end != text) SetTimeScale(scale);
}

DWORD ScaledMs(DWORD ms) {
  if (ms == 0 || ms == INFINITE) return ms;
  double scaled = static_cast<double>(ms) * g_scale.load();
  if (scaled < 1.0) return 1;
  if (scaled >= 4294967294.0) return 4294967294u;
  return static_cast<DWORD>(scaled);
}

void SleepMs(DWORD ms) { ::Sleep(ScaledMs(ms)); }

UINT_PTR StartTimer(HWND hwnd, UINT_PTR id, DWORD ms) {
  if (TimerObserver observe = g_timerObserver.load()) observe(hwnd, id, ms);
  return ::SetTimer(hwnd, id, ScaledMs(ms), nullptr);
}

UINT_PTR StartTimerScaled(HWND hwnd, UINT_PTR id, DWORD scaledMs) {
  return ::SetTimer(hwnd, id, scaledMs ? scaledMs : 1, nullptr);
}

void SetTimerObserver(TimerObserver observer) { g_timerObserver.store(observer); }

DWORD WaitForOne(HANDLE handle, DWORD ms) {
  return ::WaitForSingleObject(handle, ScaledMs(ms));
}

DWORD WaitForAll(DWORD count, const HANDLE* handles, DWORD ms) {
  return ::WaitForMultipleObjects(count, handles, TRUE, ScaledMs(ms));
}

}  // namespace win

namespace win {

DWORD WaitForAllAnsweringSends(DWORD count, const HANDLE* handles, DWORD ms) {
  const DWORD total = ScaledMs(ms);
  const DWORD start = GetTickCount();
  DWORD done = 0;
  // MsgWaitForMultipleObjects cannot wait for "all handles" and messages
  // together, so the handles are awaited one after another.
  while (done < count) {
    DWORD elapsed = GetTickCount() - start;
    if (total != INFINITE && elapsed >= total) return WAIT_TIMEOUT;
    DWORD left = total == INFINITE ? INFINITE : total - elapsed;
    DWORD rc = MsgWaitForMultipleObjects(1, &handles[done], FALSE, left, QS_SENDMESSAGE);
    if (rc == WAIT_OBJECT_0) {
      ++done;
    } else if (rc == WAIT_OBJECT_0 + 1) {
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    } else if (rc == WAIT_TIMEOUT) {
      return WAIT_TIMEOUT;
    } else {
      return rc;
    }
  }
  return WAIT_OBJECT_0;
}

DWORD WaitForOneAnsweringSends(HANDLE handle, DWORD ms) {
  return WaitForAnyAnsweringSends(1, &handle, ms);
}

DWORD WaitForAnyAnsweringSends(DWORD count, const HANDLE* handles, DWORD ms) {
  return WaitForAnyAnsweringSendsRealMs(count, handles, ScaledMs(ms));
}

DWORD WaitForAnyAnsweringSendsRealMs(DWORD count, const HANDLE* handles, DWORD ms) {
  const DWORD total = ms;
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    DWORD left = total == INFINITE ? INFINITE : (elapsed >= total ? 0 : total - elapsed);
    DWORD rc = MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_SENDMESSAGE);
    if (rc != WAIT_OBJECT_0 + count) return rc;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

namespace {
// Microseconds from the performance counter (GetTickCount moves in 15 ms steps).
ULONGLONG NowUs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  const ULONGLONG f = static_cast<ULONGLONG>(frequency.QuadPart);
  const ULONGLONG c = static_cast<ULONGLONG>(count.QuadPart);
  return c / f * 1000000ull + c % f * 1000000ull / f;
}
}  // namespace

bool PumpFor(DWORD ms) {
  const ULONGLONG end = NowUs() + static_cast<ULONGLONG>(ScaledMs(ms)) * 1000ull;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // Timeouts are whole milliseconds: less than half of one left counts as done.
    const ULONGLONG now = NowUs();
    if (now + 500 >= end) return true;
    const DWORD left = static_cast<DWORD>((end - now + 500) / 1000);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
  }
}

}  // namespace win

namespace win {

PreciseWaits::PreciseWaits() {
  if (!g_systemTimerPeriodOnly.load()) {
    // Systems before Windows 10 1803 refuse the flag (ERROR_INVALID_PARAMETER).
    timer_ = CreateWaitableTimerExA(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS);
    if (timer_) {
      kind_ = Kind::HighResolutionTimer;
      return;
    }
  }
  if (timeBeginPeriod(1) == TIMERR_NOERROR) kind_ = Kind::SystemTimerPeriod;
}

PreciseWaits::~PreciseWaits() {
  if (timer_) CloseHandle(timer_);
  if (kind_ == Kind::SystemTimerPeriod) timeEndPeriod(1);
}

void PreciseWaits::UseSystemTimerPeriodOnly(bool only) { g_systemTimerPeriodOnly.store(only); }

bool PreciseWaits::PumpFor(DWORD ms) {
  if (!timer_) return win::PumpFor(ms);
  LARGE_INTEGER due;
  due.QuadPart = -static_cast<LONGLONG>(ScaledMs(ms)) * 10000;  // relative, in 100 ns units
  if (!SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) return win::PumpFor(ms);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        CancelWaitableTimer(timer_);
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD rc = MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (rc != WAIT_OBJECT_0 + 1) return true;  // due (or a wait that cannot be made)
  }
}

}  // namespace win

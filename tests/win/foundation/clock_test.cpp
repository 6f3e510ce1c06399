#include <gtest/gtest.h>

#include "support/MessageRecorder.h"
#include "win/Clock.h"

namespace {

struct ScaleRestorer {
  double saved = win::TimeScale();
  ~ScaleRestorer() { win::SetTimeScale(saved); }
};

TEST(Clock, ScalesPeriodsButKeepsZeroAndInfinite) {
  ScaleRestorer restore;
  win::SetTimeScale(0.01);
  EXPECT_EQ(win::ScaledMs(3000), 30u);
  EXPECT_EQ(win::ScaledMs(0), 0u);
  EXPECT_EQ(win::ScaledMs(INFINITE), INFINITE);
  EXPECT_EQ(win::ScaledMs(50), 1u);  // never rounds down to "at once"
  win::SetTimeScale(0);              // refused
  EXPECT_DOUBLE_EQ(win::TimeScale(), 0.01);
  win::SetTimeScale(1.0);
  EXPECT_EQ(win::ScaledMs(72000), 72000u);
}

TEST(Clock, EnvironmentSetsTheScale) {
  ScaleRestorer restore;
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.5");
  win::LoadTimeScaleFromEnvironment();
  EXPECT_DOUBLE_EQ(win::TimeScale(), 0.5);
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "garbage");
  win::LoadTimeScaleFromEnvironment();
  EXPECT_DOUBLE_EQ(win::TimeScale(), 0.5);
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);
}

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// The mouse walk's short waits, on the high-resolution timer and on its
// fallback (the system timer at 1 ms): never shorter than asked (scaled),
// the thread's messages answered meanwhile, WM_QUIT handed on.
TEST(Clock, PreciseWaitsKeepTheirLengthAndAnswerMessages) {
  struct Case {
    const char* what;
    bool fallback;
    double scale;
    DWORD ms;
  };
  const Case cases[] = {{"high-resolution timer", false, 1.0, 5},
                        {"system timer fallback", true, 1.0, 5},
                        {"scaled", false, 0.1, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScaleRestorer restore;
    win::SetTimeScale(c.scale);
    win::PreciseWaits::UseSystemTimerPeriodOnly(c.fallback);
    win::PreciseWaits waits;
    win::PreciseWaits::UseSystemTimerPeriodOnly(false);
    if (c.fallback) {
      EXPECT_EQ(waits.kind(), win::PreciseWaits::Kind::SystemTimerPeriod);
    } else {
      EXPECT_NE(waits.kind(), win::PreciseWaits::Kind::Plain);
    }
    testing_support::MessageRecorder window;
    window.Create();
    int answered = 0;
    window.onMessage = [&](UINT msg, WPARAM, LPARAM) { answered += msg == WM_APP + 1; };
    const double start = NowMs();
    for (int i = 0; i < 20; ++i) {
      PostMessageA(window.hwnd(), WM_APP + 1, 0, 0);
      ASSERT_TRUE(waits.PumpFor(c.ms));
    }
    EXPECT_GE(NowMs() - start, 20 * 5 - 1.0);
    EXPECT_EQ(answered, 20);
    PostQuitMessage(3);
    EXPECT_FALSE(waits.PumpFor(c.ms));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
  }
}

}  // namespace

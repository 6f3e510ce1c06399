#include <gtest/gtest.h>

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

}  // namespace

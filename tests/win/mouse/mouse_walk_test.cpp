// Mouse simulation with the real cursor (under Xvfb): the controller arms the
// walk after the idle period, the walk's L-shaped path, what ends it, and a
// confined cursor.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/MouseSimulation.h"
#include "app/ProductionParts.h"
#include "app/Random15.h"
#include "app/StatusReportDlg.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"
#include "support/TestHarness.h"
#include "win/Window.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

POINT Cursor() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

// Samples the cursor every millisecond or so while the walk runs (the walk
// keeps the messages flowing, so the timer fires between its steps).
class CursorWatch : public win::Window {
 public:
  CursorWatch() {
    Create("TetherlyCursorWatch", "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
    SetTimer(hwnd(), 1, 1, nullptr);
  }
  std::vector<POINT> samples;
  std::function<void(POINT)> onSample;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != WM_TIMER) return false;
    samples.push_back(Cursor());
    if (onSample) onSample(samples.back());
    return true;
  }
};

class MouseWalkTest : public ::testing::Test {
 protected:
  MouseWalkTest() {
    store_.Write(settings::kHostsAdded, 1);
    owner_.Create("TetherlyMouseOwner", "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
    mouse_.Attach(owner_.hwnd(), [this] { ++arms_; });
  }
  ~MouseWalkTest() override { ClipCursor(nullptr); }

  // Seeds the program's generator and returns the target the next walk draws.
  POINT SeedForTarget(std::uint32_t seed) {
    Random15::Shared().Seed(seed);
    Random15 copy;
    copy.Seed(seed);
    POINT target;
    target.x = copy.Next() % GetSystemMetrics(SM_CXSCREEN);
    target.y = copy.Next() % GetSystemMetrics(SM_CYSCREEN);
    return target;
  }

  testing_support::RegistrySandbox sandbox_;
  testing_support::TimeScale scale_{0.01};
  SettingsStore store_;
  win::Window owner_;
  MouseSimulation mouse_;
  int arms_ = 0;
};

// The move timer is armed after one still tick, once per still spell, and
// again after the mouse moved; not at all when the stored switch is off.
TEST_F(MouseWalkTest, AStillCursorArmsTheMoveOncePerSpell) {
  store_.Write(settings::kSimulateMouse, 1);
  SetCursorPos(200, 200);
  mouse_.RememberCursor();
  mouse_.IdleCheck();
  mouse_.IdleCheck();
  mouse_.IdleCheck();
  EXPECT_EQ(arms_, 1);
  SetCursorPos(210, 200);
  mouse_.IdleCheck();
  EXPECT_EQ(arms_, 1);
  mouse_.IdleCheck();
  EXPECT_EQ(arms_, 2);
  store_.Write(settings::kSimulateMouse, 0);
  SetCursorPos(220, 200);
  mouse_.IdleCheck();
  mouse_.IdleCheck();
  EXPECT_EQ(arms_, 2);
}

// Vertically to the target row first, then sideways to the target column.
TEST_F(MouseWalkTest, TheWalkIsAnLToARandomPoint) {
  const POINT target = SeedForTarget(77);
  const POINT start{target.x + 60, target.y > 200 ? target.y - 80 : target.y + 80};
  SetCursorPos(start.x, start.y);
  CursorWatch watch;
  mouse_.Walk();
  EXPECT_EQ(mouse_.lastWalk().end, mouse::WalkEnd::Arrived);
  EXPECT_EQ(mouse_.lastWalk().steps, 140u);
  const POINT end = Cursor();
  EXPECT_EQ(end.x, target.x);
  EXPECT_EQ(end.y, target.y);
  ASSERT_GT(watch.samples.size(), 10u);
  for (const POINT& p : watch.samples)
    EXPECT_TRUE(p.x == start.x || p.y == target.y) << p.x << "," << p.y;
}

// Moving the mouse sideways during a walk ends it where the user left it;
// moving it only up or down does not.
TEST_F(MouseWalkTest, ASidewaysMoveEndsTheWalkAnUpOrDownMoveDoesNot) {
  struct Case {
    const char* what;
    int dx, dy;
    mouse::WalkEnd end;
  };
  const Case cases[] = {{"sideways", 5, 0, mouse::WalkEnd::UserMoved},
                        {"down", 0, 5, mouse::WalkEnd::Arrived}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const POINT target = SeedForTarget(5);
    const POINT start{target.x + 20, target.y > 300 ? target.y - 200 : target.y + 200};
    SetCursorPos(start.x, start.y);
    CursorWatch watch;
    POINT moved{-1, -1};
    watch.onSample = [&](POINT p) {
      if (moved.x >= 0 || std::abs(p.y - start.y) < 20) return;
      moved = {p.x + c.dx, p.y + c.dy};
      SetCursorPos(moved.x, moved.y);
    };
    mouse_.Walk();
    ASSERT_GE(moved.x, 0) << "the walk ended before the move";
    EXPECT_EQ(mouse_.lastWalk().end, c.end);
    const POINT end = Cursor();
    if (c.end == mouse::WalkEnd::UserMoved) {
      EXPECT_EQ(end.x, moved.x);
      EXPECT_EQ(end.y, moved.y);
    } else {
      EXPECT_EQ(end.x, target.x);
      EXPECT_EQ(end.y, target.y);
    }
  }
}

// A cursor confined away from the target (ClipCursor) ends the walk instead
// of stepping against the edge for ever.
TEST_F(MouseWalkTest, AConfinedCursorEndsTheWalk) {
  const POINT target = SeedForTarget(123);
  const POINT start{target.x + 30, target.y > 300 ? target.y - 100 : target.y + 100};
  SetCursorPos(start.x, start.y);
  RECT box{start.x - 10, start.y - 10, start.x + 11, start.y + 11};
  ASSERT_TRUE(ClipCursor(&box));
  mouse_.Walk();
  EXPECT_EQ(mouse_.lastWalk().end, mouse::WalkEnd::Stuck);
  EXPECT_GE(mouse_.lastWalk().steps, 9u);  // to the box's edge, whichever way it counts its border
  EXPECT_LE(mouse_.lastWalk().steps, 11u);
  EXPECT_FALSE(mouse_.armed());
}

// The controller as wired for the program: with "Simulate Mouse" on and the
// mouse left alone, the cursor walks once the idle period ("Mouse Timer")
// has passed; the move timer is then killed.
TEST(MouseController, AnIdleCursorWalksAfterTheIdlePeriod) {
  testing_support::RegistrySandbox sandbox;
  testing_support::TimeScale scale(0.01);
  SettingsStore store;
  store.Write(settings::kHostsAdded, 1);
  store.Write(settings::kSimulateMouse, 1);
  store.Write(settings::kMouseTimer, 1);  // 600 ms at this scale
  ControllerOptions options;
  options.showSplash = false;
  WireMouse(options.seams, std::make_shared<ProductionParts>());
  auto dlg = std::make_unique<StatusReportDlg>(options);
  ASSERT_TRUE(dlg->Create());
  Random15::Shared().Seed(9);
  Random15 copy;
  copy.Seed(9);
  const long tx = copy.Next() % GetSystemMetrics(SM_CXSCREEN);
  const long ty = copy.Next() % GetSystemMetrics(SM_CYSCREEN);
  const POINT start{tx + 40, ty > 300 ? ty - 60 : ty + 60};
  SetCursorPos(start.x, start.y);
  const DWORD started = GetTickCount();
  dlg->ToggleService();
  ASSERT_TRUE(dlg->IsTimerRunning(timer_id::kMouseCheck));
  ASSERT_TRUE(PumpUntil([&] { return dlg->IsTimerRunning(timer_id::kMouseMove); }));
  ASSERT_TRUE(PumpUntil([&] {
    const POINT p = Cursor();
    return p.x != start.x || p.y != start.y;
  }));
  EXPECT_GE(GetTickCount() - started, 550u);
  ASSERT_TRUE(PumpUntil([&] {
    const POINT p = Cursor();
    return p.x == tx && p.y == ty;
  }));
  dlg->ToggleService();
  EXPECT_FALSE(dlg->IsTimerRunning(timer_id::kMouseCheck));
}

}  // namespace

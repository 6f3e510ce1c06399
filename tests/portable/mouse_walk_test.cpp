// The idle mouse walk against a cursor of our own: its L-shaped path, what
// ends it (a sideways move, a cursor that does not move, a lost position,
// the program ending) and what does not (an up-or-down move).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/MouseWalk.h"

using mouse::Point;
using mouse::WalkEnd;

namespace {

// A cursor confined to a rectangle, as ClipCursor confines the real one.
class FakeCursor : public mouse::WalkDevice {
 public:
  bool GetPos(Point& at) override {
    if (failGetAfter >= 0 && gets++ >= failGetAfter) return false;
    at = pos;
    return true;
  }
  void SetPos(Point to) override {
    if (ignoreSets) return;
    pos.x = std::max(clip.left, std::min(clip.right, to.x));
    pos.y = std::max(clip.top, std::min(clip.bottom, to.y));
    path.push_back(pos);
  }
  bool Wait(std::uint32_t ms) override {
    waited += ms;
    ++waits;
    if (onWait) onWait(*this);
    return !stopAfter || waits < stopAfter;
  }

  struct Rect {
    long left, top, right, bottom;
  } clip{0, 0, 1023, 767};
  Point pos{100, 100};
  std::vector<Point> path;
  bool ignoreSets = false;
  int failGetAfter = -1, gets = 0;
  int waits = 0, stopAfter = 0;
  std::uint32_t waited = 0;
  std::function<void(FakeCursor&)> onWait;
};

}  // namespace

TEST(MouseWalk, WalksAnLFirstUpOrDownThenSideways) {
  FakeCursor c;
  auto result = mouse::Walk(c, {40, 130});
  EXPECT_EQ(result.end, WalkEnd::Arrived);
  EXPECT_EQ(result.steps, 30u + 60u);
  EXPECT_EQ(c.pos, (Point{40, 130}));
  for (size_t i = 0; i < c.path.size(); ++i) {
    if (i < 30) EXPECT_EQ(c.path[i], (Point{100, 101 + static_cast<long>(i)}));
    else EXPECT_EQ(c.path[i], (Point{99 - static_cast<long>(i - 30), 130}));
  }
  // 3 ms before and 2 ms after each step: 5 ms a pixel.
  EXPECT_EQ(c.waited, 90u * 5);
}

TEST(MouseWalk, ATargetOnTheSameRowIsPurelySideways) {
  FakeCursor c;
  auto result = mouse::Walk(c, {110, 100});
  EXPECT_EQ(result.end, WalkEnd::Arrived);
  for (const Point& p : c.path) EXPECT_EQ(p.y, 100);
  EXPECT_EQ(c.path.size(), 10u);
}

// What ends a walk early, and what does not.
TEST(MouseWalk, EndsOnlyWhenItMustAndNeverRunsOn) {
  struct Case {
    const char* what;
    std::function<void(FakeCursor&)> setUp;
    WalkEnd end;
    bool arrives;
  };
  const Case cases[] = {
      {"sideways user move", [](FakeCursor& c) {
         c.onWait = [](FakeCursor& c) { if (c.waits == 21) c.pos.x += 7; };
       }, WalkEnd::UserMoved, false},
      {"sideways user move during a step", [](FakeCursor& c) {
         c.onWait = [](FakeCursor& c) { if (c.waits == 22) c.pos.x -= 3; };
       }, WalkEnd::UserMoved, false},
      {"up-or-down user move", [](FakeCursor& c) {
         c.onWait = [](FakeCursor& c) { if (c.waits == 21) c.pos.y += 5; };
       }, WalkEnd::Arrived, true},
      {"confined cursor", [](FakeCursor& c) { c.clip = {0, 0, 1023, 120}; }, WalkEnd::Stuck, false},
      {"moves that fail", [](FakeCursor& c) { c.ignoreSets = true; }, WalkEnd::Stuck, false},
      {"position lost", [](FakeCursor& c) { c.failGetAfter = 9; }, WalkEnd::CursorLost, false},
      {"program ending", [](FakeCursor& c) { c.stopAfter = 12; }, WalkEnd::Stopped, false},
      {"cursor pushed back forever", [](FakeCursor& c) {
         c.onWait = [](FakeCursor& c) { if (c.waits % 2 == 0 && c.pos.y > 101) c.pos.y -= 2; };
       }, WalkEnd::Stuck, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    FakeCursor c;
    k.setUp(c);
    auto result = mouse::Walk(c, {40, 400});
    EXPECT_EQ(result.end, k.end);
    EXPECT_EQ(c.pos == (Point{40, 400}), k.arrives);
    EXPECT_LT(c.waits, 4000);
  }
}

TEST(MouseWalk, IdlePeriodDefaultsAndIsClampedNotWrapped) {
  EXPECT_EQ(mouse::IdlePeriodMs(0), 240000u);
  EXPECT_EQ(mouse::IdlePeriodMs(1), 60000u);
  EXPECT_EQ(mouse::IdlePeriodMs(35791), 2147460000u);
  EXPECT_EQ(mouse::IdlePeriodMs(35792), mouse::kLongestTimerMs);
  EXPECT_EQ(mouse::IdlePeriodMs(71583), mouse::kLongestTimerMs);  // wraps to 2 s in 32 bits
  EXPECT_EQ(mouse::IdlePeriodMs(0xFFFFFFFFu), mouse::kLongestTimerMs);
}

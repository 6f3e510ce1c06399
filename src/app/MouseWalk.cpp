#include "app/MouseWalk.h"

#include <cstdlib>

namespace mouse {
namespace {

constexpr std::uint64_t kDefaultMinutes = 4;
constexpr std::uint64_t kMinuteMs = 60000;

long Toward(long from, long to) { return from < to ? from + 1 : from - 1; }

// A walk never takes more than this many steps, however the cursor is moved
// about under it: it ends as stuck instead of running on.
std::uint64_t StepLimit(Point from, Point to) {
  return 4 * (static_cast<std::uint64_t>(std::labs(to.x - from.x)) +
              static_cast<std::uint64_t>(std::labs(to.y - from.y))) + 16;
}

}  // namespace

std::uint32_t IdlePeriodMs(std::uint32_t minutes) {
  const std::uint64_t ms = (minutes == 0 ? kDefaultMinutes : minutes) * kMinuteMs;
  return ms > kLongestTimerMs ? kLongestTimerMs : static_cast<std::uint32_t>(ms);
}

Point StepTowards(Point at, Point target) {
  if (at.y != target.y) return {at.x, Toward(at.y, target.y)};
  if (at.x != target.x) return {Toward(at.x, target.x), at.y};
  return at;
}

WalkResult Walk(WalkDevice& device, Point target) {
  WalkResult result{WalkEnd::Arrived, 0};
  Point at;
  if (!device.GetPos(at)) return {WalkEnd::CursorLost, 0};
  const std::uint64_t limit = StepLimit(at, target);
  while (at != target) {
    if (!device.Wait(kCheckWaitMs)) return {WalkEnd::Stopped, result.steps};
    Point now;
    if (!device.GetPos(now)) return {WalkEnd::CursorLost, result.steps};
    if (now.x != at.x) return {WalkEnd::UserMoved, result.steps};
    at = now;  // moved up or down by the user: go on from there
    if (at == target) break;
    if (result.steps >= limit) return {WalkEnd::Stuck, result.steps};

    const Point want = StepTowards(at, target);
    device.SetPos(want);
    if (!device.Wait(kStepWaitMs)) return {WalkEnd::Stopped, result.steps};
    Point after;
    if (!device.GetPos(after)) return {WalkEnd::CursorLost, result.steps};
    if (after == at) return {WalkEnd::Stuck, result.steps};
    if (after.x != want.x) return {WalkEnd::UserMoved, result.steps};
    at = after;
    ++result.steps;
  }
  return result;
}

}  // namespace mouse

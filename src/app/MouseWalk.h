#pragma once
// The idle mouse walk's rules: the idle period, the L-shaped path and when a
// walk ends. The cursor and the waits are behind WalkDevice, so the rules run
// the same against the real cursor and in tests. Portable: no <windows.h>.
#include <cstdint>

namespace mouse {

// The longest period a Windows timer takes (USER_TIMER_MAXIMUM).
inline constexpr std::uint32_t kLongestTimerMs = 0x7FFFFFFFu;

// "Mouse Timer" minutes as the move timer's period: 0 means 4 minutes; a
// value too large for a timer is clamped to the longest period, not wrapped.
std::uint32_t IdlePeriodMs(std::uint32_t minutes);

struct Point {
  long x = 0;
  long y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
  bool operator!=(const Point& o) const { return !(*this == o); }
};

// One pixel towards the target: up or down in the same column until the row
// matches, then left or right. The target itself when already there.
Point StepTowards(Point at, Point target);

class WalkDevice {
 public:
  virtual ~WalkDevice() = default;
  // False when the position cannot be had.
  virtual bool GetPos(Point& at) = 0;
  virtual void SetPos(Point to) = 0;
  // Waits `ms` while the program goes on answering; false when the walk
  // must stop (the program is ending).
  virtual bool Wait(std::uint32_t ms) = 0;
};

enum class WalkEnd {
  Arrived,     // the cursor reached the target
  UserMoved,   // the mouse moved sideways: someone is there
  Stuck,       // a step left the cursor where it was (confined, or the move failed)
  CursorLost,  // the position could not be read
  Stopped,     // the program is ending
};

struct WalkResult {
  WalkEnd end;
  std::uint32_t steps;  // pixels moved by the walk
};

// Pauses between the steps of a walk.
inline constexpr std::uint32_t kCheckWaitMs = 3;
inline constexpr std::uint32_t kStepWaitMs = 2;

// Walks the cursor to `target` one pixel a step: wait 3 ms, end if the
// column is no longer the walk's (the user moved it), step, wait 2 ms, read
// where the cursor is. An up-or-down movement of the real mouse does not end
// the walk: it goes on from there.
WalkResult Walk(WalkDevice& device, Point target);

}  // namespace mouse

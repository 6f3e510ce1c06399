#include "app/MouseSimulation.h"

#include "app/Random15.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"

namespace {

// The real cursor; the waits keep the program's messages flowing, at their
// own short length for as long as the walk lasts.
class CursorDevice : public mouse::WalkDevice {
 public:
  explicit CursorDevice(HWND controller) : controller_(controller) {}
  bool GetPos(mouse::Point& at) override {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    at = {p.x, p.y};
    return true;
  }
  void SetPos(mouse::Point to) override { SetCursorPos(static_cast<int>(to.x), static_cast<int>(to.y)); }
  bool Wait(std::uint32_t ms) override { return waits_.PumpFor(ms) && IsWindow(controller_); }

 private:
  HWND controller_;
  win::PreciseWaits waits_;
};

// The screen in pixels, as the controller window's device context sees it.
bool ScreenSize(HWND window, int& width, int& height) {
  HDC dc = GetDC(window);
  if (!dc) return false;
  width = GetDeviceCaps(dc, HORZRES);
  height = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(window, dc);
  return width > 0 && height > 0;
}

}  // namespace

void MouseSimulation::Attach(HWND controller, std::function<void()> armMoveTimer) {
  controller_ = controller;
  armMoveTimer_ = std::move(armMoveTimer);
}

void MouseSimulation::RememberCursor() {
  POINT p;
  if (GetCursorPos(&p)) last_ = p;
  armed_ = false;
}

void MouseSimulation::IdleCheck() {
  if (store_.Read(settings::kSimulateMouse) != 1 || walking_) return;
  POINT p;
  if (!GetCursorPos(&p)) return;
  if (p.x != last_.x || p.y != last_.y) {
    last_ = p;
    armed_ = false;
  } else if (!armed_) {
    if (armMoveTimer_) armMoveTimer_();
    armed_ = true;
  }
}

void MouseSimulation::Walk() {
  // A tick of the move timer that arrives during the walk's own waits.
  if (walking_) return;
  walking_ = true;
  int width = 0, height = 0;
  POINT start;
  if (ScreenSize(controller_, width, height) && GetCursorPos(&start)) {
    Random15& random = Random15::Shared();
    mouse::Point target;
    target.x = random.Next() % width;
    target.y = random.Next() % height;
    lastWalk_ = WalkTo(target);
  }
  walking_ = false;
  armed_ = false;
}

mouse::WalkResult MouseSimulation::WalkTo(mouse::Point target) {
  CursorDevice cursor(controller_);
  return mouse::Walk(cursor, target);
}

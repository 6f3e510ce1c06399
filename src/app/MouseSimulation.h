#pragma once
// Mouse simulation: when the user has not moved the mouse for "Mouse Timer"
// minutes, the cursor walks to a random point of the screen, so programs
// that watch for activity see some. Off unless "Simulate Mouse" is 1.
//
// Lifecycle: attached to the controller window once it exists. The
// controller's timer 16 runs the idle check, which arms the controller's move
// timer 11 after one still second; timer 11 runs the walk. Between its steps
// the walk keeps the program's messages flowing, so nothing waits for it.
// User-interface thread only.
#include <windows.h>

#include <functional>

#include "app/MouseWalk.h"
#include "settings/SettingsStore.h"

class MouseSimulation {
 public:
  // `armMoveTimer` starts the controller's move timer with the idle period.
  void Attach(HWND controller, std::function<void()> armMoveTimer);

  // Remembers where the cursor is and clears the move-armed flag (the
  // service starts).
  void RememberCursor();
  // Timer 16: a cursor that moved is remembered; one that stayed arms the
  // move timer once per still spell.
  void IdleCheck();
  // Timer 11: the walk to a random point drawn from the program's generator.
  void Walk();
  // The walk itself, from where the cursor is to `target` (the benchmark's too).
  mouse::WalkResult WalkTo(mouse::Point target);

  bool armed() const { return armed_; }
  bool walking() const { return walking_; }
  POINT last() const { return last_; }
  // How the last walk ended (for tests and the benchmark).
  const mouse::WalkResult& lastWalk() const { return lastWalk_; }

 private:
  HWND controller_ = nullptr;
  std::function<void()> armMoveTimer_;
  SettingsStore store_;
  POINT last_ = {0, 0};
  bool armed_ = false;
  bool walking_ = false;
  mouse::WalkResult lastWalk_{mouse::WalkEnd::Arrived, 0};
};

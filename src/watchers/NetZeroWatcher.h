#pragma once
// The NetZero inactivity watcher (watcher thread, controller timer 9):
// answers the client's inactivity, tip and disconnection dialogs and, after a
// lost session and with "Auto Redial" 1, redials through the dialer.
//
// Lifecycle: one per program. Stateless between scans. A redial blocks its
// caller for its waits (at least 18 s at real time; the wait for the session
// window to go is bounded at three minutes); the waits answer what other
// threads send but dispatch nothing, and end at once when the environment's
// waits are ended (Exit). The dial itself is the dialer's, which lives on
// the user-interface thread: the watcher only asks for it.
#include <windows.h>

#include <functional>

#include "settings/SettingsStore.h"
#include "watchers/WatcherEnv.h"

namespace watch {

class NetZeroWatcher {
 public:
  // `redial` asks the dialer for the redial (NetZeroDialer::Redial on the
  // user-interface thread); it returns at once.
  NetZeroWatcher(WatcherEnv env, std::function<void()> redial);

  void ScanNetZeroInactivity();
  // Only with "Auto Redial" 1: waits `delayMs`, then while an untitled
  // "AwtWindow" stands (at most three minutes), then 15 s, then asks for the
  // redial.
  void RedialNetZero(DWORD delayMs);

  static constexpr int kSessionWindowPolls = 360;  // 500 ms apart: three minutes

 private:
  void ScanByCaption();
  void ScanByCoordinates();

  WatcherEnv env_;
  std::function<void()> redial_;
  SettingsStore store_;
};

// Traces each child's text and presses "Resume". Extra not used.
BOOL CALLBACK EnumNetZeroResumeBtnFunc(HWND child, LPARAM unused);
// Clicks a grid of points over each untitled canvas of the child. Extra: the
// LaunchWaits of the short wait before each canvas.
BOOL CALLBACK EnumZeroPortCanvasFunc(HWND child, LPARAM waits);

}  // namespace watch

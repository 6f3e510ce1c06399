#pragma once
// The AT&T WorldNet watcher (user-interface thread, controller timer 15):
// answers the dialer's "Disconnecting" dialog by pressing its "Tetherly"
// button. Stateless.
#include <windows.h>

#include "watchers/WatcherEnv.h"

namespace watch {

class AttWatcher {
 public:
  explicit AttWatcher(WatcherEnv env);
  void ScanATTDisconnect();

 private:
  WatcherEnv env_;
};

// Traces every child as "Button<text>"; presses "Tetherly" (a focus-space
// press and one more key pair). Extra not used.
BOOL CALLBACK EnumATTDisconnectBtnFunc(HWND child, LPARAM unused);

}  // namespace watch

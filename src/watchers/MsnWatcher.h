#pragma once
// The MSN watcher (user-interface thread, controller timer 17): answers the
// first of the dialer's stay-online and reconnect dialogs it finds.
//
// Its prompt-seen flag outlives the scan: a "Call duration" text seen in one
// scan arms the plain "Stay Online" button of a later one; every press
// clears it.
#include <windows.h>

#include "watchers/MsnMailCheck.h"
#include "watchers/WatcherEnv.h"

namespace watch {

class MsnWatcher {
 public:
  // `mail` tells whether the last mail check failed (the tray then keeps
  // showing that).
  MsnWatcher(WatcherEnv env, const MsnMailCheck& mail);
  void ScanMSNDisconnect();
  long promptSeen() const { return promptSeen_; }

 private:
  WatcherEnv env_;
  const MsnMailCheck& mail_;
  long promptSeen_ = 0;
};

// Traces each child with its class and presses the stay-online buttons.
// Extra: the watcher's prompt-seen flag (long*).
BOOL CALLBACK EnumMSNStayOnlineBtnFunc(HWND child, LPARAM promptSeen);

}  // namespace watch

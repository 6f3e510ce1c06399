#pragma once
// What the client watchers get from the program around them.
#include <functional>

#include "watchers/LaunchWaits.h"
#include "win/MessageBox.h"

namespace watch {

class AsideBoxes;

struct WatcherEnv {
  // Sets a tray look by number; called by the scans, on the thread they run
  // on (the program posts it to the controller). May be empty.
  std::function<void(int look)> setLook;
  // Every wait of a launch, a sign-on or a tick; ended at Exit. Required.
  LaunchWaits* waits = nullptr;
  // Every box of the watchers, so Exit can end one a launcher shows. Required.
  win::MessageBoxEnder* boxes = nullptr;
  // Where a scan's box goes, so the watcher thread does not wait for the
  // user; shown with `boxes`. Null: on the calling thread.
  AsideBoxes* aside = nullptr;

  void SetLook(int look) const {
    if (setLook) setLook(look);
  }
};

// The prompt-seen flags, shared by the AOL and CompuServe 2000 watchers (they
// use the same callbacks): set when a prompt text is seen, cleared when its
// button was pressed, kept from one scan to the next.
struct PromptFlags {
  long modal = 0;
  long palette = 0;
  long timer = 0;
};

}  // namespace watch

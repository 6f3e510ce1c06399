#pragma once
// The CompuServe 2000 client watcher. The client is built on the AOL window
// framework, so this is the AOL watcher with CompuServe's titles, settings
// and tray looks; it shares the AOL prompt callbacks and their PromptFlags.
// Scans run on the watcher thread (controller timer 14), the launch on the
// CS2000 launcher thread.
//
// Lifecycle and sign-on rules as for AolWatcher: one per program; one sign-on
// at a time; waits end with the environment's waits. Unlike AOL it keeps no
// advertisement state: advertisements are searched on every gadget scan.
#include <windows.h>

#include "settings/SettingsStore.h"
#include "watchers/SignOn.h"
#include "watchers/WatcherEnv.h"
#include "win/Lock.h"

namespace watch {

class Cs2000Watcher {
 public:
  Cs2000Watcher(WatcherEnv env, PromptFlags& prompts);

  // ---- Watcher thread (timer 14) ----
  void ScanCS2000Timer();
  void ScanCS2000Gadgets();
  // A sign-on these start that finds no client shows its box aside.
  void ScanCS2000FailedDialog();
  void ScanCS2000ConnectionFailed();

  // ---- CS2000 launcher thread ----
  // Signs on only when "Sign On" is 1 and "Use Screen Name" is 0.
  void LaunchCS2000();

  // ---- Either thread ----
  // A sign-on that finds no client shows its box on the calling thread.
  void SignOnCS2000();

  bool cs2000Seen() const { return cs2000Seen_ != 0; }
  static constexpr int kChildCount = 4;
  long childDone(int row) const { return childDone_[row]; }

 private:
  long CloseChild(int row, HWND mdi);
  // The sign-on, then its box where it is due when the client never came.
  void SignOn(BoxPlace boxPlace);
  SignOnEnd RunSignOn();

  WatcherEnv env_;
  PromptFlags& prompts_;
  SettingsStore store_;
  long cs2000Seen_ = 0;
  long childDone_[kChildCount] = {};
  win::GuardedFlag signOnRunning_;
};

// Presses a child whose text (64 bytes) is exactly "CONNECT".
BOOL CALLBACK EnumCS2000ConnectBtnFunc(HWND child, LPARAM unused);
// Clicks 5 pixels inside a refusal button and presses it, then stops; posts
// nothing. Extra not used.
BOOL CALLBACK EnumCS2000AdBtnFunc(HWND child, LPARAM unused);

}  // namespace watch

#pragma once
// The AOL client watcher: answers its idle prompts, closes its unwanted
// gadget windows and advertisements, signs on again after a lost connection
// (watcher thread, on controller timer 4), and launches the client and signs
// on (AOL launcher thread).
//
// Lifecycle: one per program, created with the production wiring; its flags
// (AOL-seen, the four gadget done flags, the welcome and advertisement done
// flags) live as long as it does. The welcome and advertisement flags are
// posted to the controller as they change (32785, 32786), which keeps its
// own copy of them.
//
// Sign-on runs on the launcher thread after a launch and on the watcher
// thread after a lost connection, but never twice at once: a second request
// while one runs returns at once (the lost-connection scan still presses
// "OK"). Waits of a sign-on end when the environment's waits are ended (Exit).
#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"
#include "watchers/SignOn.h"
#include "watchers/WatcherEnv.h"
#include "win/Lock.h"

namespace watch {

class AolWatcher {
 public:
  AolWatcher(WatcherEnv env, PromptFlags& prompts);

  // ---- Watcher thread (timer 4) ----
  void ScanAOLTimer();
  // `controller` receives 32785 (welcome) and 32786 (advertisement) with
  // lParam 0 or 1; both flags are reset when the client is gone.
  void ScanAOLGadgets(HWND controller);
  // A sign-on that finds no client shows its box aside (WatcherEnv::aside).
  void ScanAOLConnectionLost();

  // ---- AOL launcher thread ----
  void LaunchAOL();

  // ---- Either thread ----
  // A sign-on that finds no client shows its box on the calling thread.
  void SignOnAOL();
  void LaunchDefaultBrowser(const std::string& url);

  bool aolSeen() const { return aolSeen_ != 0; }
  // Whether a sign-on holds the client's claim now (any thread).
  bool signOnRunning() { return signOnRunning_.Get() != 0; }
  static constexpr int kGadgetCount = 4;
  long gadgetDone(int row) const { return gadgetDone_[row]; }
  long welcomeDone() const { return welcomeDone_; }
  long advertisementDone() const { return advertisementDone_; }

 private:
  long CloseGadget(int row, HWND mdi);
  void SearchAdvertisements(HWND mdi, HWND controller);
  void ResetSession(HWND controller);
  // The sign-on, then its box where it is due when the client never came.
  void SignOn(BoxPlace boxPlace);
  SignOnEnd RunSignOn();

  WatcherEnv env_;
  PromptFlags& prompts_;
  SettingsStore store_;
  long aolSeen_ = 0;
  long gadgetDone_[kGadgetCount] = {};
  long welcomeDone_ = 0;
  long advertisementDone_ = 0;
  win::GuardedFlag signOnRunning_;
};

// Where the welcome and advertisement callbacks report: each value is posted
// to the controller and kept in the watcher's own flag, so the flag ends at
// the last value posted, as the controller's copy does.
struct DoneReport {
  HWND controller;
  long* flag;
};

// Children of the MDI client: closes the one whose text begins with
// "Welcome," and reports 32785 with lParam 1 (then stops); reports 0 for
// each other child. Extra: DoneReport*.
BOOL CALLBACK EnumAOLWelcomeFunc(HWND child, LPARAM report);
// Clicks 5 pixels inside a refusal button and presses it, reports 32786 with
// lParam 1 and stops; reports 0 for each other child. Extra: DoneReport*.
BOOL CALLBACK EnumAOLAdBtnFunc(HWND child, LPARAM report);
// Presses every child whose text (64 bytes) contains "Sign On", "Sign On
// Again" or the configured button text. Extra: const std::string* (may be empty).
BOOL CALLBACK EnumAOLSignOnBtnFunc(HWND child, LPARAM buttonText);

// Messages the gadget callbacks post to the controller (WM_APP + 17, + 18).
constexpr UINT kWelcomeDoneMessage = 32785;
constexpr UINT kAdvertisementDoneMessage = 32786;

}  // namespace watch

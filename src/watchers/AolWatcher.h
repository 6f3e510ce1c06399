#pragma once
// The AOL client watcher: answers its idle prompts, closes its unwanted
// gadget windows and advertisements, signs on again after a lost connection
// (user-interface thread, on controller timer 4), and launches the client
// and signs on (AOL launcher thread).
//
// Lifecycle: one per program, created with the production wiring; its flags
// (AOL-seen, the four gadget done flags) live as long as it does. The welcome
// and advertisement done flags belong to the controller, which passes them in.
//
// Sign-on runs on the launcher thread after a launch and on the
// user-interface thread after a lost connection, but never twice at once: a
// second request while one runs returns at once (the lost-connection scan
// still presses "OK"). Waits of a sign-on end when the environment's waits are
// ended (Exit).
#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"
#include "watchers/WatcherEnv.h"
#include "win/Lock.h"

namespace watch {

class AolWatcher {
 public:
  AolWatcher(WatcherEnv env, PromptFlags& prompts);

  // ---- User-interface thread (timer 4) ----
  void ScanAOLTimer();
  // `controller` receives 32785 (welcome) and 32786 (advertisement) with
  // lParam 0 or 1; its two flags are reset here when the client is gone.
  void ScanAOLGadgets(HWND controller, long& welcomeDone, long& advertisementDone);
  void ScanAOLConnectionLost();

  // ---- AOL launcher thread ----
  void LaunchAOL();

  // ---- Either thread ----
  void SignOnAOL();
  void LaunchDefaultBrowser(const std::string& url);

  bool aolSeen() const { return aolSeen_ != 0; }
  static constexpr int kGadgetCount = 4;
  long gadgetDone(int row) const { return gadgetDone_[row]; }

 private:
  long CloseGadget(int row, HWND mdi);
  void SearchAdvertisements(HWND mdi, HWND controller);

  WatcherEnv env_;
  PromptFlags& prompts_;
  SettingsStore store_;
  long aolSeen_ = 0;
  long gadgetDone_[kGadgetCount] = {};
  win::GuardedFlag signOnRunning_;
};

// Children of the MDI client: closes the one whose text begins with
// "Welcome," and posts 32785 with lParam 1 (then stops); posts 0 for each
// other child. Extra: the controller window.
BOOL CALLBACK EnumAOLWelcomeFunc(HWND child, LPARAM controller);
// Clicks 5 pixels inside a refusal button and presses it, posts 32786 with
// lParam 1 and stops; posts 0 for each other child. Extra: the controller.
BOOL CALLBACK EnumAOLAdBtnFunc(HWND child, LPARAM controller);
// Presses every child whose text (64 bytes) contains "Sign On", "Sign On
// Again" or the configured button text. Extra: const std::string* (may be empty).
BOOL CALLBACK EnumAOLSignOnBtnFunc(HWND child, LPARAM buttonText);

// Messages the gadget callbacks post to the controller (WM_APP + 17, + 18).
constexpr UINT kWelcomeDoneMessage = 32785;
constexpr UINT kAdvertisementDoneMessage = 32786;

}  // namespace watch

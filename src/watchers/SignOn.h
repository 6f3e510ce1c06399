#pragma once
// What the AOL-framework sign-ons (AOL, CompuServe 2000) share: one sign-on
// per client at a time, and the looks for the client's main frame and MDI
// client that start each of them.
#include <windows.h>

#include "watchers/WatcherEnv.h"
#include "win/Lock.h"

namespace watch {

// Holds the client's sign-on flag for its scope; a second claim while it is
// held fails, on whatever thread.
class SignOnClaim {
 public:
  explicit SignOnClaim(win::GuardedFlag& running) : running_(running), claimed_(running.TryClaim()) {}
  ~SignOnClaim() {
    if (claimed_) running_.Set(0);
  }
  SignOnClaim(const SignOnClaim&) = delete;
  SignOnClaim& operator=(const SignOnClaim&) = delete;
  bool claimed() const { return claimed_; }

 private:
  win::GuardedFlag& running_;
  bool claimed_;
};

// Looks for windows are 500 ms apart; a found sign-on window is pressed 2000
// ms later.
constexpr DWORD kSignOnLookGapMs = 500;
constexpr int kSignOnWindowLooks = 60;
constexpr DWORD kSignOnPressDelayMs = 2000;

// Up to 60 looks for "AOL Frame25" (then the "cannot sign-on" box with string
// `cannotSignOnId`, or `fallback`), then up to 20 for its MDI client
// (silently). The MDI client, or null; null without a box once the waits end.
HWND WaitForClientMdi(const WatcherEnv& env, UINT cannotSignOnId, const char* fallback);

}  // namespace watch

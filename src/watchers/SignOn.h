#pragma once
// What the AOL-framework sign-ons (AOL, CompuServe 2000) share: one sign-on
// per client at a time, the waits for the client's main frame and MDI client
// that start each of them, and the box when the client never came.
//
// A sign-on, wherever it starts (a launcher thread after a launch, the
// watcher thread after a lost connection), sends in a SendScope of its own:
// a client found hung by the scan that started it is tried afresh. Its claim
// lasts as long as its waits and no longer: the "cannot sign-on" box comes
// after, so a box the user leaves up does not keep the next sign-on from
// running.
#include <windows.h>

#include <functional>

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

// How the waits of a sign-on ended.
enum class SignOnEnd {
  kDone,      // pressed, or given up silently (no MDI client, no sign-on window, Exit)
  kNoClient,  // the client's main frame never came: the "cannot sign-on" box is due
  kBusy,      // another sign-on of this client was running
};

// Where the "cannot sign-on" box is shown.
enum class BoxPlace {
  kHere,   // on the calling thread (a launcher, which has nothing else to do)
  kAside,  // on the environment's box thread, so the watcher thread goes on
};

// Looks for windows are 500 ms apart; a found sign-on window is pressed 2000
// ms later.
constexpr DWORD kSignOnLookGapMs = 500;
constexpr int kSignOnWindowLooks = 60;
constexpr DWORD kSignOnPressDelayMs = 2000;

// Up to 60 looks for "AOL Frame25", then up to 20 for its MDI client. The MDI
// client, or null; `noFrame` tells whether the frame never came (false when
// the waits were ended first).
HWND WaitForClientMdi(const LaunchWaits& waits, bool& noFrame);

// One sign-on's frame: the client's claim, a send scope of its own (a client
// the scan before found hung is tried afresh), the client's MDI client, up to
// 60 looks for the sign-on window `find` gives, the pause, then `press`.
SignOnEnd RunClientSignOn(win::GuardedFlag& running, const LaunchWaits& waits,
                          const std::function<HWND(HWND mdi)>& find,
                          const std::function<void(HWND window)>& press);

// The "cannot sign-on" box (string `textId`, or `fallback`), unless the
// program is ending. Aside, at most one box stands at a time.
void ShowCannotSignOn(const WatcherEnv& env, UINT textId, const char* fallback, BoxPlace place);

}  // namespace watch

#include "watchers/SignOn.h"

#include <string>

#include "watchers/AsideBoxes.h"
#include "watchers/WindowPress.h"
#include "win/ResourceText.h"

namespace watch {

HWND WaitForClientMdi(const LaunchWaits& waits, bool& noFrame) {
  constexpr int kFrameLooks = 60, kMdiLooks = 20;
  noFrame = false;
  HWND frame =
      waits.Poll(kFrameLooks, kSignOnLookGapMs, [] { return FindWindowA("AOL Frame25", nullptr); });
  if (!frame) {
    noFrame = !waits.Ended();  // the program is ending: no box
    return nullptr;
  }
  return waits.Poll(kMdiLooks, kSignOnLookGapMs,
                    [frame] { return FindWindowExA(frame, nullptr, "MDIClient", nullptr); });
}

SignOnEnd RunClientSignOn(win::GuardedFlag& running, const LaunchWaits& waits,
                          const std::function<HWND(HWND mdi)>& find,
                          const std::function<void(HWND window)>& press) {
  SignOnClaim claim(running);
  if (!claim.claimed()) return SignOnEnd::kBusy;
  HungThreads hung;
  SendScope scope(hung);
  bool noFrame = false;
  HWND mdi = WaitForClientMdi(waits, noFrame);
  if (!mdi) return noFrame ? SignOnEnd::kNoClient : SignOnEnd::kDone;
  HWND window = waits.Poll(kSignOnWindowLooks, kSignOnLookGapMs, [&] { return find(mdi); });
  if (!window || !waits.Sleep(kSignOnPressDelayMs)) return SignOnEnd::kDone;
  press(window);
  return SignOnEnd::kDone;
}

void ShowCannotSignOn(const WatcherEnv& env, UINT textId, const char* fallback, BoxPlace place) {
  if (env.waits->Ended()) return;
  const std::string text = win::LoadResourceText(textId, fallback);
  if (place == BoxPlace::kAside && env.aside) {
    env.aside->Show(text, "Tetherly!", MB_OK);
    return;
  }
  win::ShowMessageBox(nullptr, text.c_str(), "Tetherly!", MB_OK, env.boxes);
}

}  // namespace watch

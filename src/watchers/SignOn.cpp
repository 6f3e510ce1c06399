#include "watchers/SignOn.h"

#include <string>

#include "win/ResourceText.h"

namespace watch {

HWND WaitForClientMdi(const WatcherEnv& env, UINT cannotSignOnId, const char* fallback) {
  constexpr int kFrameLooks = 60, kMdiLooks = 20;
  const LaunchWaits& waits = *env.waits;
  HWND frame =
      waits.Poll(kFrameLooks, kSignOnLookGapMs, [] { return FindWindowA("AOL Frame25", nullptr); });
  if (!frame) {
    if (waits.Ended()) return nullptr;  // the program is ending: no box
    const std::string text = win::LoadResourceText(cannotSignOnId, fallback);
    win::ShowMessageBox(nullptr, text.c_str(), "Tetherly!", MB_OK, env.boxes);
    return nullptr;
  }
  return waits.Poll(kMdiLooks, kSignOnLookGapMs,
                    [frame] { return FindWindowExA(frame, nullptr, "MDIClient", nullptr); });
}

}  // namespace watch

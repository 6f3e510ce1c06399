#include "watchers/AttWatcher.h"

#include <string>

#include "base/Trace.h"
#include "watchers/DialerPromptRules.h"
#include "watchers/WindowPress.h"

namespace watch {
namespace {
constexpr int kWithAttLook = 31;
}

AttWatcher::AttWatcher(WatcherEnv env) : env_(std::move(env)) {}

void AttWatcher::ScanATTDisconnect() {
  env_.SetLook(kWithAttLook);
  HWND dialog = FindWindowA(dialers::kDialogClass, dialers::kAttTitle);
  if (!dialog) return;
  TraceLine("Found ATT's disconnection window, ***32770***");
  TraceLine("......Attempting to click the 'Tetherly' button......");
  EnumChildWindows(dialog, EnumATTDisconnectBtnFunc, 0);
}

BOOL CALLBACK EnumATTDisconnectBtnFunc(HWND child, LPARAM) {
  std::string text;
  if (!TryReadText(child, text)) return TRUE;  // an unread text is no text of the client's
  TraceLine(dialers::AttChildLine(text).c_str());
  if (MatchExact(text, dialers::kAttButton)) {
    const bool focusPress = FocusSpacePress(child);
    const bool keys = SpaceKeys(child);
    if (focusPress || keys) TraceLine("Finished clicking 'Tetherly' button");
  }
  return TRUE;
}

}  // namespace watch

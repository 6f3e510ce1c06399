#include "watchers/JunoWatcher.h"

#include <string>

#include "base/Trace.h"
#include "watchers/DialerPromptRules.h"
#include "watchers/WindowPress.h"

namespace watch {

void ScanJunoWeb() {
  HWND dialog = FindWindowA(dialers::kDialogClass, dialers::kJunoTitle);
  if (!dialog) return;
  TraceClear();
  TraceLine("*** Found 'Juno' window! ***");
  TraceLine("*** Attempting to click the 'Cancel' button ***");
  TraceLine("*** Calling EnumJunoCancelBtnFunc() ***");
  EnumChildWindows(dialog, EnumJunoCancelBtnFunc, 0);
}

BOOL CALLBACK EnumJunoCancelBtnFunc(HWND child, LPARAM) {
  const std::string text = ReadText(child, kShortTextBuffer);
  if (!dialers::IsJunoCancel(text)) return TRUE;
  FocusOn(child);
  ClickAt(child, 10, 10);
  return FALSE;
}

}  // namespace watch

#include "watchers/ProdigyWatcher.h"

#include "base/Trace.h"
#include "watchers/DialerPromptRules.h"
#include "watchers/WindowPress.h"

namespace watch {

void ProdigyWatcher::ScanProdigyDisconnect() {
  HWND dialog = FindWindowA(dialers::kDialogClass, dialers::kProdigyTitle);
  if (!dialog) return;
  TraceClear();
  TraceLine("*** Found 'Prodigy' window! ***");
  TraceLine("*** Attempting to click the 'Stay Online' button ***");
  TraceLine("*** Calling EnumProdigyStayOnlineBtnFunc() ***");
  EnumChildWindows(dialog, EnumProdigyStayOnlineBtnFunc, reinterpret_cast<LPARAM>(&counter_));
}

BOOL CALLBACK EnumProdigyStayOnlineBtnFunc(HWND child, LPARAM counter) {
  // A control whose text could not be read is not a text-less one.
  std::string text;
  if (!TryReadText(child, text, kShortTextBuffer) ||
      !dialers::IsProdigyButton(text, ReadClass(child, kShortTextBuffer)))
    return TRUE;
  if (!dialers::ProdigyCount(*reinterpret_cast<long*>(counter))) return TRUE;
  FocusOn(child);
  ClickAt(child, 10, 10);
  ClickAt(child, 10, 10);
  return FALSE;
}

}  // namespace watch

#include "watchers/MsnWatcher.h"

#include <string>

#include "base/Trace.h"
#include "watchers/DialerPromptRules.h"
#include "watchers/WindowPress.h"

namespace watch {
namespace {
constexpr int kWithMsnLook = 32;
}

MsnWatcher::MsnWatcher(WatcherEnv env, const MsnMailCheck& mail) : env_(std::move(env)), mail_(mail) {}

void MsnWatcher::ScanMSNDisconnect() {
  if (!mail_.pop3Failed()) env_.SetLook(kWithMsnLook);
  for (const dialers::MsnDialog& d : dialers::kMsnDialogs) {
    HWND dialog = FindWindowA(dialers::kDialogClass, d.title);
    if (!dialog) continue;
    TraceClear();
    for (const char* line : d.lines) TraceLine(line);
    EnumChildWindows(dialog, EnumMSNStayOnlineBtnFunc, reinterpret_cast<LPARAM>(&promptSeen_));
    return;
  }
}

BOOL CALLBACK EnumMSNStayOnlineBtnFunc(HWND child, LPARAM promptSeen) {
  long& seen = *reinterpret_cast<long*>(promptSeen);
  std::string text;
  if (!TryReadText(child, text)) return TRUE;  // an unread text is no text of the client's
  TraceLine(dialers::MsnChildLine(text, ReadClass(child)).c_str());
  if (dialers::IsMsnPrompt(text)) seen = 1;
  if (const char* trace = dialers::MsnPressFor(text, seen != 0)) {
    if (FocusSpacePress(child)) {
      TraceLine(trace);
      seen = 0;
    }
  }
  return TRUE;
}

}  // namespace watch

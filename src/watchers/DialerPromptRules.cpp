#include "watchers/DialerPromptRules.h"

#include "watchers/MatchRules.h"

namespace watch::dialers {

const MsnDialog kMsnDialogs[kMsnDialogCount] = {
    {"MSN",
     {"*** Found 'MSN' window! ***", "*** Attempting to click the 'Stay Online' button ***",
      "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
    {"MSN - Disconnect",
     {"*** Found 'MSN - Disconnect' window! ***",
      "*** Attempting to click the 'Stay Online' button ***",
      "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
    {"Connection Lost",
     {"*** Found 'MSN - Disconnect' window! ***", "*** Attempting to click the 'OK' button ***",
      "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
    {"Reestablish Connection",
     {"*** Found 'MSN - Disconnect' window! ***", "*** Attempting to click the 'OK' button ***",
      "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
};

std::string AttChildLine(std::string_view text) { return "Button" + std::string(text); }

std::string MsnChildLine(std::string_view text, std::string_view className) {
  return "Dialog Box Text :: " + std::string(text) + "     ->->->Class Name :: " +
         std::string(className) + "<-<-<-";
}

bool IsMsnPrompt(std::string_view text) { return MatchPrefix(text, "Call duration"); }

const char* MsnPressFor(std::string_view text, bool promptSeen) {
  struct Press {
    const char* text;
    bool needsPrompt;
    const char* trace;
  };
  static constexpr Press kPresses[] = {
      {"Stay Online", true, "Finished clicking 'Stay Online' button"},
      {"Reconnect...", false, "Finished clicking 'OK' button"},
      {"&Stay Online", false, "Finished clicking 'OK' button"},
      {"OK", false, "Finished clicking 'OK' button"},
      {"&Yes", false, "Finished clicking 'Yes' button"},
  };
  for (const Press& p : kPresses)
    if (MatchExact(text, p.text) && (promptSeen || !p.needsPrompt)) return p.trace;
  return nullptr;
}

bool IsProdigyButton(std::string_view text, std::string_view className) {
  return text.empty() && MatchPrefix(className, "ATL");
}

bool ProdigyCount(long& counter) {
  if (counter == 2) {
    counter = 1;
    return true;
  }
  if (counter < 2) ++counter;
  return false;
}

bool IsJunoCancel(std::string_view text) { return MatchPrefix(text, "Cancel"); }

unsigned long MailCheckPeriodMs(unsigned long minutes) {
  constexpr unsigned long kMaxPeriodMs = 0x7FFFFFFFul;
  constexpr unsigned long kMinuteMs = 60000ul;
  if (minutes > kMaxPeriodMs / kMinuteMs) return kMaxPeriodMs;
  return minutes * kMinuteMs;
}

}  // namespace watch::dialers

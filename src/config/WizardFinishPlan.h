#pragma once
// What Finish writes, in order, for each kind of ISP: the answers become a
// list of store writes that the finish page carries out (WizardFinishWriter)
// and that tests read without a registry. The list ends with the Run entry,
// written when the stored "WinStart" is 1 after everything else.
// Portable: the steps name settings; nothing here touches the registry.
#include <cstdint>
#include <string>
#include <vector>

#include "config/WizardAnswers.h"
#include "settings/SettingsSchema.h"

namespace config {

struct FinishStep {
  enum class Kind {
    Dword,          // dword = value
    Text,           // text = str
    Credentials,    // profile str: "Login" = login, "Password" = password
    BrowserLaunch,  // client: "Launch Browser" = value, "Program Path" = str (kept when empty)
    ScreenNames,    // client: "Use Screen Name" = value, default str, list names
    RunEntry,       // the Run entry, only when the stored "WinStart" is 1
  };
  Kind kind = Kind::Dword;
  const settings::DwordSetting* dword = nullptr;
  const settings::StringSetting* text = nullptr;
  settings::SignOnClient client = settings::SignOnClient::Aol;
  std::uint32_t value = 0;
  std::string str, login, password;
  std::vector<std::string> names;
};

std::vector<FinishStep> FinishPlan(const WizardAnswers& answers);

// How a step is named to the user when it could not be written, relative to
// the program's key: "Modem Dialer\Use Dialer".
std::string FinishStepLabel(const FinishStep& step);

// The one message a Finish with failed writes shows: every value that could
// not be saved, grouped under the system's text for why.
struct FinishFailure {
  std::string label;
  std::string reason;
};
std::string FinishFailureMessage(const std::vector<FinishFailure>& failures);

}  // namespace config

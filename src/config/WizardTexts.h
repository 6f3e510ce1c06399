#pragma once
// Texts of the Configuration Wizard that the code sets or shows: the main
// page's greeting, the refusals, and the texts of the AOL/CS2000 pages that
// follow the client. Fixed texts live in the page templates (wizard.rc).
// Portable.
#include <string>

namespace config {

// ---- Main page -------------------------------------------------------------
std::string WizardGreeting(bool firstRun);
inline constexpr const char* kChooseIsp = "Please select an ISP to begin the Wizard!";

// ---- ISP dialer ------------------------------------------------------------
inline constexpr const char* kNoValidProfile = "Unable to proceed, no valid dial-up profile.";
inline constexpr const char* kEnterLogin = "Please enter your login name";
inline constexpr const char* kEnterPassword = "Please enter your Password";

// ---- NetZero ----------------------------------------------------------------
inline constexpr const char* kNetZeroPathEmpty =
    "NetZero dialer path cannot be empty, please enter a path pointing to nzStart.exe.";
inline constexpr const char* kNetZeroPathInvalid = "NetZero dialer path not valid, please enter again.";

// ---- MSN ----------------------------------------------------------------------
inline constexpr const char* kEnterPop3Server = "Please enter a valid POP3 server";

// ---- Finish ---------------------------------------------------------------------
inline constexpr const char* kSupportAddress = "support@quillmark.com";

// ---- AOL / CS2000: one page set, texts by client ----------------------------------
struct ClientTexts {
  const char* launchQuestion;    // 1212
  const char* pathLabel;         // 1107
  const char* programName;       // the file dialog's default name
  const char* pathPlaceholder;   // the path field while no path is set
  const char* atStartupQuestion; // 1214
  const char* pathEmpty;
  const char* pathInvalid;
  const char* signOnQuestion;    // screen-name page
  const char* gadgetsText;       // 1215
};
const ClientTexts& AolTexts();
const ClientTexts& CsTexts();

}  // namespace config

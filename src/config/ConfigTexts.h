#pragma once
// Texts, limits and small rules of the configuration UI that need no
// window: the framework-style validation messages, the number check, host
// entries, the "Priority" column, gadget captions and the uses of the list
// editing dialog. Portable: tested natively.
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/SettingsSchema.h"

namespace config {

// ---- Field limits: what the store and its readers hold ----------------------
inline constexpr std::size_t kMaxScreenName = 31;   // 32-byte field
inline constexpr std::size_t kMaxSite = 255;        // AOL sites and web addresses, 256-byte field
inline constexpr std::size_t kMaxTitle = 254;       // window titles and the AOL texts
inline constexpr std::size_t kMaxStoredText = 254;  // login, password, POP3 server, NetZero path
inline constexpr std::size_t kMaxClientPath = 259;  // AOL and CS2000 program paths: MAX_PATH
inline constexpr std::size_t kMaxHostEntry = 127;   // a host with its ":port"
inline constexpr std::size_t kMaxPortDigits = 5;

// ---- Messages ------------------------------------------------------------------
inline constexpr const char* kBoxTitle = "Tetherly!";
inline constexpr const char* kNotAnInteger = "Please enter an integer.";
inline constexpr const char* kCouldNotSave = "The settings could not be saved.";
inline constexpr const char* kProfilesError = "Error in retrieving the Dial-Up Profiles.";
inline constexpr const char* kNoProfile = "*** No dial-up profile available ***";
inline constexpr const char* kEmptyLogin = "Cannot save dial-up profile with empty login name";
inline constexpr const char* kAolPathNeeded =
    "Program path needs to be set in order to launch and execute AOL browser correctly.";
inline constexpr const char* kCsPathNeeded =
    "Program path needs to be set in order to launch and execute CS browser correctly.";
inline constexpr const char* kNetZeroPathNeeded =
    "Program path needs to be set in order to launch and execute NetZero dialer correctly.";
inline constexpr const char* kNoHost = "No host entered. Please enter a valid host.";
inline constexpr const char* kNothingToDelete = "Nothing to delete.";
inline constexpr const char* kNoQuotesOrControls =
    "Please enter no double quotes (\") or control characters.";
inline constexpr const char* kSetWithoutSelection =
    "You have not selected a designated host from your list of choices. Please highlight your "
    "selection now.";
inline constexpr const char* kTurnOnAllQuestion =
    "Turning on all services is not recommended unless you are facilitating a debugging session "
    "to determine a set of working protocols. Are you absolutely sure you want to turn on all "
    "services?";
inline constexpr const char* kNetZeroPathPlaceholder =
    "[Path not set, please locate program name \"nzStart.exe\"]";

// "Please enter an integer between 1 and 999."
std::string IntegerRangeMessage(long low, long high);
// "Please enter no more than 254 characters."
std::string MaxCharsMessage(std::size_t chars);

// ---- Number fields -------------------------------------------------------------
// A whole number as the framework reads one: blanks around it, an optional
// sign, digits only, within a 32-bit integer.
bool ParseInteger(std::string_view text, long& value);

struct NumberCheck {
  bool ok = false;
  long value = 0;
  std::string message;  // what to show when not ok
};
NumberCheck CheckInteger(std::string_view text, long low, long high);

// The first message a text of more than `maxChars` characters earns, or "".
std::string LengthMessage(std::string_view text, std::size_t maxChars);

// ---- Hosts -----------------------------------------------------------------------
std::string_view TrimBlanks(std::string_view text);
// A host list entry: the host, and for the user-defined service (5) a colon
// and the port in decimal.
std::string HostEntry(int service, std::string_view host, long port);
// The "Priority" text of the item at `position` (from 0).
std::string PriorityText(settings::HostAccessMethod method, int position, bool isDedicated);

// ---- Gadget check boxes ------------------------------------------------------------
// Kills the "Buddy List" window
std::string GadgetCaption(std::string_view title);

// ---- NetZero path ----------------------------------------------------------------
// The path field's text as a path: the placeholder counts as empty.
std::string NetZeroPathFromField(std::string_view field);

// ---- The list editing dialog's uses -------------------------------------------------
struct ListEditUse {
  const char* title;
  const char* addLabel;
  const char* deleteLabel;
  std::size_t maxLength;  // longest entry the store holds
};
inline constexpr ListEditUse kScreenNameUse{"Screen Name Modification Dialog", "Add New Screen Name",
                                            "Delete Existing Screen Name", kMaxScreenName};
inline constexpr ListEditUse kAolSiteUse{"AOL Site Modification Dialog", "Add New AOL Site",
                                         "Delete Existing AOL Site", kMaxSite};
inline constexpr ListEditUse kWebsiteUse{"Website URL Modification Dialog", "Add New Website",
                                         "Delete Existing Website", kMaxSite};
// The message for "&Add" with nothing to add, chosen by the dialog's title.
const char* EmptyAddMessage(std::string_view title);
// What "&Add" says to `text`, or "" when it takes it. Screen names and sites
// go onto the clients' command lines, so a double quote or a control
// character is refused with the length.
std::string ListEntryMessage(const ListEditUse& use, std::string_view text);

}  // namespace config

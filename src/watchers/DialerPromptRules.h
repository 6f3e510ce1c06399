#pragma once
// The rules of the four small dialer watchers (AT&T WorldNet, MSN, Prodigy,
// Juno) and of the MSN mail check, from texts alone. Their dialogs are plain
// Windows dialog boxes (class "#32770") found by exact title. No Win32.
#include <cstddef>
#include <string>
#include <string_view>

namespace watch::dialers {

inline constexpr const char* kDialogClass = "#32770";

// ---- AT&T WorldNet ----
inline constexpr const char* kAttTitle = "Disconnecting";
inline constexpr const char* kAttButton = "Tetherly";
// One line per child of the dialog: "Button" and its text, no separator.
std::string AttChildLine(std::string_view text);

// ---- MSN ----
// The dialogs in the order they are looked for (the first found is answered)
// and the lines traced, after clearing the log, when one is found.
struct MsnDialog {
  const char* title;
  const char* lines[3];
};
inline constexpr std::size_t kMsnDialogCount = 4;
extern const MsnDialog kMsnDialogs[kMsnDialogCount];

// "Dialog Box Text :: <text>     ->->->Class Name :: <class><-<-<-"
std::string MsnChildLine(std::string_view text, std::string_view className);
// A text beginning "Call duration" arms the plain "Stay Online" button.
bool IsMsnPrompt(std::string_view text);
// The trace line of the press a child's text calls for, or null for none.
// Each text is tested on its own: "Stay Online" only while the prompt was
// seen; "Reconnect...", "&Stay Online", "OK" and "&Yes" always.
const char* MsnPressFor(std::string_view text, bool promptSeen);

// ---- Prodigy ----
inline constexpr const char* kProdigyTitle = "Disconnect from Prodigy Internet";
// Only text-less controls whose class begins with "ATL" count.
bool IsProdigyButton(std::string_view text, std::string_view className);
// The counter persists between scans: it starts at 1 and counts the buttons
// seen up to 2; at 2 the button is clicked and the counter goes back to 1.
// Returns whether this button is to be clicked.
bool ProdigyCount(long& counter);

// ---- Juno ----
inline constexpr const char* kJunoTitle = "Juno Web";
bool IsJunoCancel(std::string_view text);

// ---- MSN mail check ----
inline constexpr const char* kMailChecking = "now checking mail...";
inline constexpr const char* kMailWaiting = "You've connected to pop3 and there is email";
inline constexpr const char* kMailNone = "You've connected to pop3 and there's no email";
inline constexpr const char* kMailNotChecked = "Connected to pop 3 but didn't check email";
// "Timer Interval" minutes as a timer period, kept within what a timer takes.
unsigned long MailCheckPeriodMs(unsigned long minutes);

}  // namespace watch::dialers

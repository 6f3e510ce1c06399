#pragma once
// What the NetZero dialer and its inactivity watcher decide from texts alone:
// the version table, the title tests of the client's dialogs, the launch
// directory, the inactivity dialogs and their click points. No Win32.
//
// The client is a Java program: its windows are "AwtDialog", "AwtFrame",
// "AwtWindow" and "AwtCanvas" windows, most controls painted on canvases.
#include <cstddef>
#include <string>
#include <string_view>

namespace watch::netzero {

// ---- Version table ----
enum class Sequence {
  None,      // the client is started and nothing more is done
  Login,     // "1.5": press "Login", then wait for the result box
  Connect,   // "1.6", "2.0", "2.2": press "Connect", wait for the session windows
  Connect3,  // "3.0", "4.0", "4.1": click the canvases, wait for the session windows
};
Sequence SequenceFor(std::string_view version);
// The inactivity watcher clicks by coordinates for "3.0", "4.0" and "4.1"
// and answers by caption for every other version.
bool ClicksByCoordinates(std::string_view version);

// ---- Launch ----
// The start program runs in its own folder: the path up to and including its
// last separator ("C:\NetZero\" for "C:\NetZero\nzStart.exe", whatever the
// file's name). A path without a separator has none (false).
bool LaunchDirectory(std::string_view programPath, std::string& directory);

// ---- Dialer titles ----
// The 1.5 main dialog: begins with "NetZero" and ends with "Login".
bool IsLoginDialog(std::string_view title);

// What ClickNetZeroConnect does with the first "AwtDialog" it finds.
enum class ConnectAction { NotYet, PressConnect, ClickCanvases };
ConnectAction ConnectActionFor(std::string_view title);
// A "NetZero v2.2" main dialog gets a fourth "Connect" enumeration.
bool WantsFourthConnect(std::string_view title);

// What a dialog text means while the dialer waits for the session.
enum class DialState { Dialing, Cancelled, Other };
DialState DialStateFor(bool version3, std::string_view dialogText);

// A child of the 1.5 "NetZero MessageBox": a connection, an error text to
// report, or nothing (the "OK" button, an empty text).
enum class MessageBoxChild { Nothing, Connected, Error };
MessageBoxChild MessageBoxChildFor(std::string_view text);

// ---- Status texts (the dialer's 32874 reports) ----
inline constexpr const char* kLoginNotFound = "Unable to locate and click the \"Login\" button";
inline constexpr const char* kConnectNotFound = "Unable to locate and click the \"Connect\" button";
inline constexpr const char* kCancelClicked = "You have clicked the \"Cancel\" button";
inline constexpr const char* kConnectionCancelled = "Connection was Cancelled.";
inline constexpr const char* kUnableToConnect = "Unable to connect to NetZero";

// ---- Inactivity watcher (by coordinates) ----
struct ClickPoint {
  int x, y;
};
enum class RowAction { None, Resume, RedialAfter7s, ZeroPort, RedialAfter3s };
struct InactivityRow {
  const char* title;
  ClickPoint first, second;  // not used by the ZeroPort row
  RowAction action;
};
inline constexpr std::size_t kInactivityRowCount = 9;
// In the order they are looked up; "NetZero Tip" four times, each with its
// own pair of points.
extern const InactivityRow kInactivityRows[kInactivityRowCount];

inline constexpr const char* kInactivityWarningTitle = "zCast Inactivity Warning";

// The grid clicked on each canvas of "The ZeroPort is terminating!" to hit its
// painted "OK": x from 15 to 210 by 15 (outer), y from 10 to 80 by 10 (inner).
inline constexpr int kGridColumns = 14, kGridRows = 8;
constexpr ClickPoint GridPoint(int index) {
  return {15 + 15 * (index / kGridRows), 10 + 10 * (index % kGridRows)};
}

}  // namespace watch::netzero

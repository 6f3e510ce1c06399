#include "watchers/NetZeroRules.h"

#include "watchers/LaunchParameters.h"
#include "watchers/MatchRules.h"

namespace watch::netzero {

const InactivityRow kInactivityRows[kInactivityRowCount] = {
    {kInactivityWarningTitle, {220, 114}, {220, 101}, RowAction::Resume},
    {"Inactivity Notice", {156, 114}, {156, 101}, RowAction::None},
    {"NetZero Tip", {156, 114}, {156, 101}, RowAction::None},
    {"NetZero Tip", {140, 70}, {140, 57}, RowAction::None},
    {"NetZero Tip", {175, 87}, {175, 74}, RowAction::None},
    {"Connection Lost", {134, 67}, {134, 54}, RowAction::RedialAfter7s},
    {"NetZero Tip", {135, 102}, {162, 122}, RowAction::None},
    {"The ZeroPort is terminating!", {0, 0}, {0, 0}, RowAction::ZeroPort},
    {"Your session has been terminated", {145, 72}, {175, 85}, RowAction::RedialAfter3s},
};

Sequence SequenceFor(std::string_view version) {
  if (version == "1.5") return Sequence::Login;
  if (version == "1.6" || version == "2.0" || version == "2.2") return Sequence::Connect;
  if (ClicksByCoordinates(version)) return Sequence::Connect3;
  return Sequence::None;
}

bool ClicksByCoordinates(std::string_view version) {
  return version == "3.0" || version == "4.0" || version == "4.1";
}

bool LaunchDirectory(std::string_view programPath, std::string& directory) {
  return FolderOf(programPath, directory);
}

bool IsLoginDialog(std::string_view title) {
  return MatchPrefix(title, "NetZero") && title.size() >= 5 && title.substr(title.size() - 5) == "Login";
}

ConnectAction ConnectActionFor(std::string_view title) {
  if (!MatchPrefix(title, "NetZero v"))
    return MatchContains(title, "v4.1.") ? ConnectAction::ClickCanvases : ConnectAction::NotYet;
  if (MatchPrefix(title, "NetZero v3.") || MatchContains(title, "NetZero v4."))
    return ConnectAction::ClickCanvases;
  return ConnectAction::PressConnect;
}

bool WantsFourthConnect(std::string_view title) { return MatchPrefix(title, "NetZero v2.2"); }

DialState DialStateFor(bool version3, std::string_view text) {
  if (!version3) {
    if (MatchPrefix(text, "Dialing ")) return DialState::Dialing;
    if (MatchPrefix(text, "NetZero v")) return DialState::Cancelled;
    return DialState::Other;
  }
  if (MatchPrefix(text, "NZTV")) return DialState::Dialing;
  if (MatchContains(text, "NetZero v") || MatchPrefix(text, "NetZero Free") ||
      MatchContains(text, "v4.1."))
    return DialState::Cancelled;
  return DialState::Other;
}

MessageBoxChild MessageBoxChildFor(std::string_view text) {
  const bool complete = MatchPrefix(text, "Connection complete");
  if (!text.empty() && text != "OK" && !complete) return MessageBoxChild::Error;
  return complete ? MessageBoxChild::Connected : MessageBoxChild::Nothing;
}

}  // namespace watch::netzero

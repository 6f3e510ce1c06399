#pragma once
// Dial events: window message 32868 (WM_APP + 100) to the controller, from
// the dial dialog, the NetZero dialer and the tray, with the event in wParam
// (and, for an error, its text in lParam for the duration of the call).
namespace dial_event {
constexpr unsigned kMessage = 32868;
constexpr unsigned kDialing = 32869;
constexpr unsigned kConnected = 32870;
constexpr unsigned kConfirmed = 32871;
constexpr unsigned kEnded = 32872;
constexpr unsigned kError = 32874;
}  // namespace dial_event

#pragma once
// The six keep-alive services. The numbering is stored ("Service Type") and
// travels in wParam of the messages between workers and the controller.

enum class ServiceKind : int {
  Http = 0,
  Ftp = 1,
  Echo = 2,
  Discard = 3,
  TimeServer = 4,
  UserPort = 5,
};

constexpr int kServiceCount = 6;

constexpr int ServiceIndex(ServiceKind kind) { return static_cast<int>(kind); }
constexpr ServiceKind ServiceFromIndex(int index) { return static_cast<ServiceKind>(index); }
constexpr bool IsServiceIndex(int index) { return index >= 0 && index < kServiceCount; }

// Sub-key under "Services" holding the service's host list. Index -1 (no
// service) is named "Service Error" and names no key that is ever written.
constexpr const char* ServiceKeyName(int index) {
  constexpr const char* names[] = {"Service Error", "HTTP", "FTP", "Echo",
                                   "Discard", "Time Server", "User Defined"};
  return (index >= -1 && index < kServiceCount) ? names[index + 1] : names[0];
}

// On/off value in "Services"; differs from the key name for the user port.
constexpr const char* ServiceFlagName(int index) {
  constexpr const char* names[] = {"HTTP", "FTP", "Echo", "Discard", "Time Server", "User Port"};
  return IsServiceIndex(index) ? names[index] : "";
}

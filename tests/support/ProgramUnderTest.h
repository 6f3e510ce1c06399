#pragma once
// The real tetherly.exe as tests start it: where it is, a registry that
// keeps it on loopback, its windows found by title, and a guard that ends it
// whatever a failed check leaves behind.
#include <windows.h>

#include <string>

class SettingsStore;

namespace testing_support {

// The program's path from TETHERLY_EXE, with Windows separators.
std::string ProgramExePath();
// Every host list on loopback, so nothing the program does can leave this machine.
void PointHostsAtLoopback(SettingsStore& store);
HWND FindProcessWindow(DWORD pid, const char* title);
// Polls (the other process answers in its own time); null after `limitMs`.
HWND WaitForProcessWindow(DWORD pid, const char* title, DWORD limitMs);

class ProgramProcess {
 public:
  ProgramProcess() = default;
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;
  PROCESS_INFORMATION info = {};
};

}  // namespace testing_support

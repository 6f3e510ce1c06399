// The real tetherly.exe, started as its own process in the test prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cctype>
#include <string>
#include <vector>

#include "settings/ServiceKind.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/ProgramUnderTest.h"
#include "support/RegistrySandbox.h"

namespace {

using testing_support::FindProcessWindow;
using testing_support::PointHostsAtLoopback;
using testing_support::WaitForProcessWindow;

std::string ExePath() { return testing_support::ProgramExePath(); }

std::vector<std::string> ModuleNames(HANDLE process) {
  HMODULE modules[512];
  DWORD bytes = 0;
  std::vector<std::string> names;
  if (!EnumProcessModules(process, modules, sizeof(modules), &bytes)) return names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    char name[MAX_PATH] = {};
    if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    names.push_back(lower);
  }
  return names;
}

TEST(Program, StartsHiddenAndEndsPromptlyOnExit) {
  testing_support::RegistrySandbox sandbox;
  SettingsStore store;
  PointHostsAtLoopback(store);

  const std::string exe = ExePath();
  ASSERT_FALSE(exe.empty()) << "TETHERLY_EXE is not set";
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.1");
  STARTUPINFOA si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  std::string cmdline = "\"" + exe + "\"";
  const DWORD started = GetTickCount();
  ASSERT_TRUE(CreateProcessA(exe.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi))
      << GetLastError();
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);

  HWND status = WaitForProcessWindow(pi.dwProcessId, "Online Status Report", 20000);
  ASSERT_NE(status, nullptr);
  // The splash comes first: at a tenth of real time it still takes 300 ms.
  EXPECT_GE(GetTickCount() - started, 300u);
  HWND trace = FindProcessWindow(pi.dwProcessId, "Tetherly Trace Messages");
  ASSERT_NE(trace, nullptr);
  EXPECT_FALSE(IsWindowVisible(status));
  EXPECT_FALSE(IsWindowVisible(trace));
  // (The small icon is checked in-process: Wine does not answer WM_GETICON across processes.)

  // Libraries of rarely opened dialogs wait for their dialog: the file-open
  // dialog's library, and the printing one it would bring along.
  const std::vector<std::string> loaded = ModuleNames(pi.hProcess);
  EXPECT_GT(loaded.size(), 3u) << "modules could not be listed";
  for (const char* deferred : {"comdlg32.dll", "winspool.drv"}) {
    bool found = false;
    for (const std::string& name : loaded) found = found || name == deferred;
    EXPECT_FALSE(found) << deferred << " is loaded at start-up";
  }

  const DWORD exitAt = GetTickCount();
  PostMessageA(status, WM_COMMAND, 32771, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_LT(GetTickCount() - exitAt, 4000u);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  LONG l = 0, t = 0, r = 0, b = 0;
  EXPECT_TRUE(store.ReadTraceRect(l, t, r, b));
  EXPECT_GT(r - l, 0);
  EXPECT_GT(b - t, 0);
}

}  // namespace

// The real tetherly.exe: Advanced Configurations opened from the status
// window's command, a service switched on in it, OK, and the program taking
// the new setting into effect.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "res/resource.h"
#include "settings/ServiceKind.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/ProgramUnderTest.h"
#include "support/RegistrySandbox.h"

namespace {

using testing_support::FindProcessWindow;

// Polls a condition of another process (it answers in its own time).
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 20000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    Sleep(20);
  }
  return true;
}

std::string TextOf(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

TEST(ProgramConfig, AServiceSwitchedOnInAdvancedConfigurationsTakesEffectAfterOk) {
  testing_support::RegistrySandbox sandbox;
  SettingsStore store;
  testing_support::PointHostsAtLoopback(store);

  const std::string exe = testing_support::ProgramExePath();
  ASSERT_FALSE(exe.empty()) << "TETHERLY_EXE is not set";
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.01");
  STARTUPINFOA si = {sizeof(si)};
  testing_support::ProgramProcess program;
  PROCESS_INFORMATION& pi = program.info;
  std::string cmdline = "\"" + exe + "\"";
  ASSERT_TRUE(CreateProcessA(exe.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);

  HWND status = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (status = FindProcessWindow(pi.dwProcessId, "Online Status Report")) != nullptr; }));
  PostMessageA(status, WM_COMMAND, IDM_ADVANCED_CONFIG, 0);
  HWND config = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (config = FindProcessWindow(pi.dwProcessId, "Advanced Configurations")) != nullptr; }));
  EXPECT_EQ(GetWindow(config, GW_OWNER), status);

  // A modal dialog is shown once its initialisation is over: only then are the
  // pages loaded and a click theirs to report.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(config) != 0; }));
  // The Services page exists, hidden, from the start; a click reaches it.
  HWND services = FindWindowExA(GetDlgItem(config, IDC_CONFIG_TABS), nullptr, "#32770", "Services ");
  ASSERT_NE(services, nullptr);
  EXPECT_FALSE(IsWindowVisible(services));
  SendMessageA(GetDlgItem(services, IDC_SVC_FTP), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(config, IDC_CONFIG_APPLY)));
  SendMessageA(GetDlgItem(config, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));

  EXPECT_EQ(store.Read(settings::kFtpOn), 1u);
  // A hidden status window keeps its rows to itself: show it, as a user would.
  PostMessageA(status, WM_COMMAND, IDM_STATUS_REPORT, 0);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(status, IDC_FTP_STATUS)) == "Service Active"; }));
  EXPECT_EQ(TextOf(GetDlgItem(status, IDC_HTTP_STATUS)), "Service Active");
  EXPECT_EQ(TextOf(GetDlgItem(status, IDC_ECHO_STATUS)), "Sevice not Active");

  PostMessageA(status, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
}

}  // namespace

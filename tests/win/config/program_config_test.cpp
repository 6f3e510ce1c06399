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
#include "support/RegistrySandbox.h"

namespace {

struct Search {
  DWORD pid;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char title[128] = {};
  GetWindowTextA(h, title, sizeof(title));
  if (pid == s->pid && std::string(title) == s->title) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindOf(DWORD pid, const char* title) {
  Search s{pid, title, nullptr};
  EnumWindows(&MatchTitle, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

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

// Whatever a failed check leaves behind, the program does not outlive the test.
class ProgramProcess {
 public:
  ~ProgramProcess() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  PROCESS_INFORMATION info = {};
};

std::string ExePath() {
  char buf[MAX_PATH] = {};
  GetEnvironmentVariableA("TETHERLY_EXE", buf, sizeof(buf));
  std::string path = buf;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

TEST(ProgramConfig, AServiceSwitchedOnInAdvancedConfigurationsTakesEffectAfterOk) {
  testing_support::RegistrySandbox sandbox;
  SettingsStore store;
  for (int s = 0; s < kServiceCount; ++s) store.WriteHostList(s, {s == 5 ? "127.0.0.1:7" : "127.0.0.1"});
  store.Write(settings::kHostsAdded, 1);
  store.Write(settings::kVisited, 1);

  const std::string exe = ExePath();
  ASSERT_FALSE(exe.empty()) << "TETHERLY_EXE is not set";
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.01");
  STARTUPINFOA si = {sizeof(si)};
  ProgramProcess program;
  PROCESS_INFORMATION& pi = program.info;
  std::string cmdline = "\"" + exe + "\"";
  ASSERT_TRUE(CreateProcessA(exe.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);

  HWND status = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (status = FindOf(pi.dwProcessId, "Online Status Report")) != nullptr; }));
  PostMessageA(status, WM_COMMAND, IDM_ADVANCED_CONFIG, 0);
  HWND config = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (config = FindOf(pi.dwProcessId, "Advanced Configurations")) != nullptr; }));
  EXPECT_EQ(GetWindow(config, GW_OWNER), status);

  // The Services page exists, hidden, from the start; a click reaches it.
  HWND services = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (services = FindWindowExA(GetDlgItem(config, IDC_CONFIG_TABS), nullptr, "#32770", "Services ")) != nullptr;
  }));
  EXPECT_FALSE(IsWindowVisible(services));
  SendMessageA(GetDlgItem(services, IDC_SVC_FTP), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(config, IDC_CONFIG_APPLY)));
  SendMessageA(GetDlgItem(config, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));

  EXPECT_EQ(store.Read(settings::kFtpOn), 1u);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(status, IDC_FTP_STATUS)) == "Service Active"; }));
  EXPECT_EQ(TextOf(GetDlgItem(status, IDC_HTTP_STATUS)), "Service Active");
  EXPECT_EQ(TextOf(GetDlgItem(status, IDC_ECHO_STATUS)), "Sevice not Active");

  PostMessageA(status, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
}

}  // namespace

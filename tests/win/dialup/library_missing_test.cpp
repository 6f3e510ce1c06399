// Where the dial-up library is missing. These run only with the library
// disabled (WINEDLLOVERRIDES="rasapi32=", a test of its own in CMake): Wine
// takes its overrides from the environment it was started with, so a test
// cannot disable the library for itself or for a child it starts.
#include <algorithm>

#include "dialup/DialUpEntries.h"
#include "dialup/NoticeDlg.h"
#include "dialup/RasLibrary.h"
#include "dialup_fixture.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "win/SystemLibrary.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

constexpr const char* kNoticeText =
    "You do not have Dial-up Networking (DUN) or Remote Access Service (RAS) installed in your "
    "system. If you're using AOL or Compuserve, this may not be required.\n\nFor more information, "
    "please click on the Help button";

class LibraryMissingTest : public DialUpTest {
 protected:
  void SetUp() override {
    HMODULE library = win::LoadSystemLibrary("rasapi32.dll");
    if (library) {
      FreeLibrary(library);
      GTEST_SKIP() << "runs only with the dial-up library disabled";
    }
  }
};

// Each attempt shows the notice once, with the information icon and help
// topic 106, and nothing else; listing reports the load's own error.
TEST_F(LibraryMissingTest, EachAttemptShowsTheNoticeOnce) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    notices_.clear();
    std::vector<std::string> names;
    EXPECT_EQ(dialup::ListEntryNames(names), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_TRUE(names.empty());
    dialup::RasLibrary ras;
    EXPECT_FALSE(ras.Dial(nullptr));
    ASSERT_EQ(notices_.size(), 2u);
    for (const Notice& n : notices_) {
      EXPECT_EQ(n.text, kNoticeText);
      EXPECT_EQ(n.iconKind, dialup::kNoticeInformation);
      EXPECT_EQ(n.helpTopic, 106u);
    }
  }
  EXPECT_TRUE(boxes_.empty());
  // No library is no connection.
  EXPECT_FALSE(dialup::RasLibrary::ConnectionActive());
}

std::string TextOf(HWND h) {
  char buf[1024] = {};
  GetWindowTextA(h, buf, sizeof(buf));
  return buf;
}

struct FoundWindow {
  DWORD pid;
  const char* title;  // null: any
  bool visibleOnly;
  HWND hwnd;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<FoundWindow*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != f->pid || (f->visibleOnly && !IsWindowVisible(h))) return TRUE;
  if (f->title && TextOf(h) != f->title) return TRUE;
  f->hwnd = h;
  return FALSE;
}

HWND FindProcessWindow(DWORD pid, const char* title, bool visibleOnly) {
  FoundWindow f{pid, title, visibleOnly, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

// Ends the program under test if the test leaves early.
class ChildProcess {
 public:
  ~ChildProcess() {
    if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
  }
  PROCESS_INFORMATION pi = {};
};

// The program does not import the library: it starts without it, and a dial
// from the tray shows the notice (the real dialog), then nothing else.
TEST_F(LibraryMissingTest, TheProgramStartsAndItsDialShowsTheNotice) {
  for (int s = 0; s < 6; ++s) store_.WriteHostList(s, {s == 5 ? "127.0.6.1:7" : "127.0.6.1"});
  store_.Write(settings::kVisited, 1);
  store_.Write(settings::kModemPromptToDial, 0);  // the dialer itself stays hidden
  char exe[MAX_PATH] = {};
  GetEnvironmentVariableA("TETHERLY_EXE", exe, sizeof(exe));
  ASSERT_NE(exe[0], '\0') << "TETHERLY_EXE is not set";
  std::replace(exe, exe + sizeof(exe), '/', '\\');

  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.01");
  STARTUPINFOA si = {sizeof(si)};
  ChildProcess child;
  std::string cmdline = std::string("\"") + exe + "\"";
  const BOOL started = CreateProcessA(exe, &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                      &si, &child.pi);
  SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);
  ASSERT_TRUE(started) << GetLastError();
  const DWORD pid = child.pi.dwProcessId;

  HWND status = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] { return (status = FindProcessWindow(pid, "Online Status Report", false)) != nullptr; }, 20000));

  PostMessageA(status, WM_COMMAND, IDM_DIAL, 0);
  HWND notice = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (notice = FindProcessWindow(pid, "Tetherly! Help Wizard", true)) != nullptr; }));
  EXPECT_EQ(TextOf(GetDlgItem(notice, IDC_NOTICE_TEXT)), kNoticeText);
  EXPECT_NE(GetDlgItem(notice, IDHELP), nullptr);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(notice); }));
  // Nothing else comes up: no box, no second notice.
  PumpFor(300);
  EXPECT_EQ(FindProcessWindow(pid, nullptr, true), nullptr);

  PostMessageA(status, WM_COMMAND, IDM_EXIT, 0);
  ASSERT_EQ(WaitForSingleObject(child.pi.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 1;
  GetExitCodeProcess(child.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace

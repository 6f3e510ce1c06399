#include "support/ProgramUnderTest.h"

#include "settings/ServiceKind.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"

namespace testing_support {
namespace {

struct FoundWindow {
  DWORD pid;
  const char* title;
  HWND hwnd;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<FoundWindow*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char title[128] = {};
  GetWindowTextA(h, title, sizeof(title));
  if (pid == f->pid && std::string(title) == f->title) {
    f->hwnd = h;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string ProgramExePath() {
  char buf[MAX_PATH] = {};
  GetEnvironmentVariableA("TETHERLY_EXE", buf, sizeof(buf));
  std::string path = buf;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

void PointHostsAtLoopback(SettingsStore& store) {
  for (int s = 0; s < kServiceCount; ++s) {
    std::string host = s == 5 ? "127.0.0.1:7" : "127.0.0.1";
    store.WriteHostList(s, {host});
    store.WriteDedicatedHost(s, host);
  }
  store.Write(settings::kHostsAdded, 1);
  store.Write(settings::kVisited, 1);
}

HWND FindProcessWindow(DWORD pid, const char* title) {
  FoundWindow f{pid, title, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

HWND WaitForProcessWindow(DWORD pid, const char* title, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < limitMs) {
    if (HWND h = FindProcessWindow(pid, title)) return h;
    Sleep(20);
  }
  return nullptr;
}

ProgramProcess::~ProgramProcess() {
  if (!info.hProcess) return;
  if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

}  // namespace testing_support

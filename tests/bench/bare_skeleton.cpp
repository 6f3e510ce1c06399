// The bare program the side-by-side benchmark compares tetherly.exe with: a
// hidden window with a tray icon that, while started, makes the same six
// exchanges with blocking sockets on its one thread, paced as the program
// paces them (100 ms after each request, the next cycle 1 s after the last),
// so both make as many exchanges a second. No trace, no rows, no worker
// threads, one tray look.
//
//   bare_skeleton.exe ADDRESS           run (stopped until told to start)
//   bare_skeleton.exe --start | --stop  tell a running skeleton
//   bare_skeleton.exe --toggle-program  click tetherly.exe's tray icon
//
// Servers: ADDRESS ports 80, 21, 7, 9, 13 and 7007 (the user port).
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "BareExchange.h"

namespace {

constexpr char kClass[] = "TetherlyBareSkeleton";
constexpr UINT kStart = WM_APP + 10;
constexpr UINT kStop = WM_APP + 11;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kCycleTimer = 1;
constexpr DWORD kIntervalMs = 1000;
constexpr DWORD kPauseMs = 100;
constexpr unsigned short kPorts[6] = {80, 21, 7, 9, 13, 7007};

std::string g_address = "127.0.0.1";

NOTIFYICONDATAA IconData(HWND hwnd) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 1;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  lstrcpynA(nid.szTip, "bare skeleton", sizeof(nid.szTip));
  return nid;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kStart:
      SetTimer(hwnd, kCycleTimer, 0, nullptr);
      return 0;
    case kStop:
      KillTimer(hwnd, kCycleTimer);
      return 0;
    case WM_TIMER:
      if (wp != kCycleTimer) return 0;
      for (int s = 0; s < 6; ++s) {
        bench::BlockingExchange(s, g_address.c_str(), kPorts[s]);
        Sleep(kPauseMs);
      }
      SetTimer(hwnd, kCycleTimer, kIntervalMs, nullptr);
      return 0;
    case WM_DESTROY: {
      NOTIFYICONDATAA nid = IconData(hwnd);
      Shell_NotifyIconA(NIM_DELETE, &nid);
      PostQuitMessage(0);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

int Tell(UINT message) {
  HWND skeleton = FindWindowA(kClass, nullptr);
  return skeleton && PostMessageA(skeleton, message, 0, 0) ? 0 : 1;
}

int ToggleProgram() {
  // The program's controller is the hidden "Online Status Report" dialog;
  // a left click on its tray icon arrives there as 32769.
  HWND controller = FindWindowA("#32770", "Online Status Report");
  return controller && PostMessageA(controller, WM_APP + 1, 32517, WM_LBUTTONUP) ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const std::string args = commandLine ? commandLine : "";
  if (args == "--start") return Tell(kStart);
  if (args == "--stop") return Tell(kStop);
  if (args == "--toggle-program") return ToggleProgram();
  if (!args.empty()) g_address = args;

  WSADATA data;
  if (WSAStartup(0x0101, &data) != 0) return 1;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = instance;
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, kClass, "bare skeleton", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
  if (!hwnd) return 1;
  NOTIFYICONDATAA nid = IconData(hwnd);
  Shell_NotifyIconA(NIM_ADD, &nid);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  WSACleanup();
  return 0;
}

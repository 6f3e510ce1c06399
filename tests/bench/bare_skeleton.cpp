// The bare programs the side-by-side benchmark compares tetherly.exe with: a
// hidden window with a tray icon that, while started, makes the same six
// exchanges on its one thread, paced as the program paces them (one request
// every 100 ms, the next cycle 1 s after the last), so all make as many
// exchanges a second. No trace, no rows, no worker threads, one tray look.
// The plain skeleton uses blocking sockets; with --async it is the usual
// one-thread WSAAsyncSelect client: each exchange is carried by socket
// notifications to its window while the thread waits in its message loop.
//
//   bare_skeleton.exe ADDRESS [--async]         run (stopped until told to start)
//   bare_skeleton.exe --start | --stop [--async] tell a running skeleton
//   bare_skeleton.exe --toggle-program          click tetherly.exe's tray icon
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
constexpr char kAsyncClass[] = "TetherlyBareAsync";
constexpr UINT kStart = WM_APP + 10;
constexpr UINT kStop = WM_APP + 11;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kSocketMessage = WM_APP + 20;
constexpr UINT_PTR kCycleTimer = 1;
constexpr DWORD kIntervalMs = 1000;
constexpr DWORD kPauseMs = 100;
constexpr unsigned short kPorts[6] = {80, 21, 7, 9, 13, 7007};

std::string g_address = "127.0.0.1";

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The one-thread asynchronous client: one socket per service, started one
// per 100 ms tick, the sixth followed by the 1 s pause.
struct AsyncService {
  SOCKET socket = INVALID_SOCKET;
  std::string request;
};
AsyncService g_services[6];
int g_next = 0;

void CloseService(AsyncService& s) {
  if (s.socket == INVALID_SOCKET) return;
  closesocket(s.socket);
  s.socket = INVALID_SOCKET;
}

void StartService(HWND hwnd, int service) {
  AsyncService& s = g_services[service];
  if (s.socket != INVALID_SOCKET) return;  // still busy: sits this cycle out
  s.socket = socket(AF_INET, SOCK_STREAM, 0);
  if (s.socket == INVALID_SOCKET) return;
  s.request = bench::RequestOf(service, g_address.c_str());
  WSAAsyncSelect(s.socket, hwnd, kSocketMessage, FD_CONNECT | FD_READ | FD_CLOSE);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(kPorts[service]);
  addr.sin_addr.s_addr = inet_addr(g_address.c_str());
  if (connect(s.socket, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK)
    CloseService(s);
}

void OnSocketEvent(WPARAM wp, LPARAM lp) {
  for (int service = 0; service < 6; ++service) {
    AsyncService& s = g_services[service];
    if (s.socket != static_cast<SOCKET>(wp)) continue;
    if (WSAGETSELECTERROR(lp) != 0) {
      CloseService(s);
      return;
    }
    switch (WSAGETSELECTEVENT(lp)) {
      case FD_CONNECT:
        if (!s.request.empty()) send(s.socket, s.request.data(), static_cast<int>(s.request.size()), 0);
        if (!bench::ReadsReply(service)) CloseService(s);
        break;
      case FD_READ: {
        static char buffer[65536];
        if (recv(s.socket, buffer, sizeof(buffer) - 1, 0) == SOCKET_ERROR &&
            WSAGetLastError() == WSAEWOULDBLOCK)
          return;
        CloseService(s);
        break;
      }
      default:
        CloseService(s);
        break;
    }
    return;
  }
}

LRESULT CALLBACK AsyncProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kStart:
      g_next = 0;
      SetTimer(hwnd, kCycleTimer, kPauseMs, nullptr);
      return 0;
    case kStop:
      KillTimer(hwnd, kCycleTimer);
      return 0;
    case WM_TIMER:
      if (wp != kCycleTimer) return 0;
      if (g_next == 0) SetTimer(hwnd, kCycleTimer, kPauseMs, nullptr);
      StartService(hwnd, g_next);
      if (++g_next == 6) {
        g_next = 0;
        SetTimer(hwnd, kCycleTimer, kPauseMs + kIntervalMs, nullptr);
      }
      return 0;
    case kSocketMessage:
      OnSocketEvent(wp, lp);
      return 0;
    default:
      break;
  }
  return Proc(hwnd, msg, wp, lp);
}

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

int Tell(UINT message, bool async) {
  HWND skeleton = FindWindowA(async ? kAsyncClass : kClass, nullptr);
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
  std::string args = commandLine ? commandLine : "";
  const std::string asyncFlag = " --async";
  const bool async = args.size() >= asyncFlag.size() &&
                     args.compare(args.size() - asyncFlag.size(), asyncFlag.size(), asyncFlag) == 0;
  if (async) args.resize(args.size() - asyncFlag.size());
  if (args == "--start") return Tell(kStart, async);
  if (args == "--stop") return Tell(kStop, async);
  if (args == "--toggle-program") return ToggleProgram();
  if (!args.empty()) g_address = args;

  WSADATA data;
  if (WSAStartup(0x0101, &data) != 0) return 1;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = async ? &AsyncProc : &Proc;
  wc.hInstance = instance;
  wc.lpszClassName = async ? kAsyncClass : kClass;
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "bare skeleton", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
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

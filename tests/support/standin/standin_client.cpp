// A stand-in for an outside client program (AOL, CompuServe 2000, dialers):
// builds the window tree of a description (StandInTree.h) and logs every
// message its windows get, with the time, so tests can check exact sequences.
//
//   standin_client.exe --tree FILE --log FILE [--parent PID]
//
// With --parent it ends when that process ends. Started without arguments (a
// program under test starts it as its client, e.g. copied to "nzStart.exe"),
// it takes them from TETHERLY_STANDIN_TREE, TETHERLY_STANDIN_LOG and
// TETHERLY_STANDIN_PARENT, and when it runs as "nzStart.exe" it logs the
// working directory it was started in ("cwd:<directory>").
//
// Log: one line per event, appended as it happens (readers may read at any
// time; only complete lines count):
//   <qpc> <window id> <MESSAGE> <wParam hex> <lParam hex> <source>
// source: x sent by another thread or process, p posted, i caused inside the
// stand-in (a message sent while handling another). Other lines:
//   <qpc> - freq <QueryPerformanceFrequency> 0 -
//   <qpc> <id> created <hwnd hex> 0 -        <qpc> <id> destroyed 0 0 -
//   <qpc> - ready <control window hex> <process id hex> -
//   <qpc> - hung|woke|cmd|error|cwd ...
//
// Two threads: the client windows live on the main thread; a control window
// (message-only, class "TetherlyStandInControl") on a second thread takes
// commands as WM_COPYDATA text, so "wake" works while the client is hung. A
// command returns 1 once it has taken effect.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "StandInTree.h"

namespace {

using standin::Reaction;
using standin::Tree;
using standin::WindowSpec;

constexpr UINT kMsgCommand = WM_APP + 1;  // lParam: const std::vector<std::string>*
constexpr UINT kMsgHang = WM_APP + 2;
constexpr const char* kControlClass = "TetherlyStandInControl";
constexpr const char* kDriverClass = "TetherlyStandInDriver";

// ---- Log -------------------------------------------------------------------

CRITICAL_SECTION g_logLock;
HANDLE g_log = INVALID_HANDLE_VALUE;

void LogLine(const std::string& id, const char* what, unsigned long long wp,
             unsigned long long lp, char src) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  char line[512];
  int n = std::snprintf(line, sizeof(line), "%lld %s %s %llx %llx %c\n",
                        static_cast<long long>(now.QuadPart), id.empty() ? "-" : id.c_str(), what,
                        wp, lp, src);
  if (n <= 0) return;
  if (n >= static_cast<int>(sizeof(line))) n = sizeof(line) - 1;
  EnterCriticalSection(&g_logLock);
  DWORD written = 0;
  WriteFile(g_log, line, static_cast<DWORD>(n), &written, nullptr);
  LeaveCriticalSection(&g_logLock);
}

void LogNote(const char* what, const std::string& text) {
  // A note is one column: "<what>:<text>" with blanks made underscores.
  std::string safe = text;
  for (char& c : safe)
    if (c == ' ' || c == '\n' || c == '\r') c = '_';
  LogLine("-", (std::string(what) + ":" + safe).c_str(), 0, 0, '-');
}

struct MessageName {
  UINT message;
  const char* name;
};

// What the log records; anything else is internal noise. Messages from
// WM_USER up are logged by number.
constexpr MessageName kLogged[] = {
    {WM_SETFOCUS, "SETFOCUS"},       {WM_KILLFOCUS, "KILLFOCUS"},
    {WM_KEYDOWN, "KEYDOWN"},         {WM_KEYUP, "KEYUP"},
    {WM_CHAR, "CHAR"},               {WM_SYSKEYDOWN, "SYSKEYDOWN"},
    {WM_SYSKEYUP, "SYSKEYUP"},       {WM_SYSCHAR, "SYSCHAR"},
    {BM_CLICK, "BM_CLICK"},          {BM_SETSTATE, "BM_SETSTATE"},
    {BM_SETCHECK, "BM_SETCHECK"},    {WM_LBUTTONDOWN, "LBUTTONDOWN"},
    {WM_LBUTTONUP, "LBUTTONUP"},     {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"},
    {WM_MBUTTONDOWN, "MBUTTONDOWN"}, {WM_MBUTTONUP, "MBUTTONUP"},
    {WM_MOUSEMOVE, "MOUSEMOVE"},     {WM_CLOSE, "CLOSE"},
    {WM_COMMAND, "COMMAND"},         {WM_SYSCOMMAND, "SYSCOMMAND"},
    {WM_GETTEXT, "GETTEXT"},         {WM_SETTEXT, "SETTEXT"},
};

const char* NameOf(UINT message) {
  for (const MessageName& m : kLogged)
    if (m.message == message) return m.name;
  return nullptr;
}

// ---- Windows -----------------------------------------------------------------

enum class Role { Plain, Frame, MdiClient, MdiChild };

struct Info {
  std::string id;
  const WindowSpec* spec = nullptr;
  Role role = Role::Plain;
  WNDPROC original = nullptr;  // subclassed system class
  HWND mdiClient = nullptr;    // of a frame
};

Tree g_tree;
std::map<HWND, std::unique_ptr<Info>> g_windows;
std::map<std::string, HWND> g_byId;
std::set<std::string> g_registered;
HINSTANCE g_instance;
HWND g_driver = nullptr;
HWND g_control = nullptr;
HANDLE g_wake = nullptr;
HANDLE g_hungSignal = nullptr;
Info* g_creating = nullptr;  // associated with the first message of a new window
int g_depth = 0;             // nesting of window procedure calls on the client thread
MSG g_dispatching = {};      // the posted message being dispatched
int g_nextControlId = 1000;
// Commands of "after" run from a reaction, by timer id (the tree's own
// "after" statements use ids 1 to their count).
std::map<UINT_PTR, std::vector<std::string>> g_scheduled;
UINT_PTR g_nextScheduled = 100000;
// How often each window got the trigger of each of its "#N" reactions.
std::map<std::pair<HWND, const Reaction*>, int> g_triggerCounts;
// "slow <ms>": every message sent from outside is answered this much later.
DWORD g_slowMs = 0;

LRESULT CALLBACK ClientProc(HWND h, UINT m, WPARAM wp, LPARAM lp);
void RunCommand(const std::vector<std::string>& words);

Info* Lookup(HWND h) {
  auto it = g_windows.find(h);
  if (it != g_windows.end()) return it->second.get();
  if (g_creating) {
    Info* info = g_creating;
    g_creating = nullptr;
    g_windows[h].reset(info);
    g_byId[info->id] = h;
    return info;
  }
  return nullptr;
}

char SourceOf(HWND h, UINT m) {
  if (g_depth > 1) return 'i';
  if (InSendMessageEx(nullptr) != ISMEX_NOSEND) return 'x';
  if (g_dispatching.hwnd == h && g_dispatching.message == m) return 'p';
  return 'i';
}

void LogMessage(const Info& info, HWND h, UINT m, WPARAM wp, LPARAM lp) {
  const char* name = NameOf(m);
  char numbered[16];
  if (!name) {
    if (m < WM_USER || m >= 0xC000) return;
    std::snprintf(numbered, sizeof(numbered), "MSG_%04X", m);
    name = numbered;
  }
  // Pointers mean nothing to the reader.
  if (m == WM_GETTEXT || m == WM_SETTEXT) lp = 0;
  LogLine(info.id, name, static_cast<unsigned long long>(wp), static_cast<unsigned long long>(lp),
          SourceOf(h, m));
}

bool Triggered(const Reaction& r, UINT m, WPARAM wp) {
  if (r.trigger == "press") return (m == WM_KEYUP && wp == VK_SPACE) || m == BM_CLICK;
  if (r.trigger == "click") return m == WM_LBUTTONUP;
  const char* name = NameOf(m);
  return name && r.trigger == name;
}

LRESULT DefaultFor(const Info* info, HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (info && info->original) return CallWindowProcA(info->original, h, m, wp, lp);
  if (info && info->role == Role::MdiChild) return DefMDIChildProcA(h, m, wp, lp);
  if (info && info->role == Role::Frame) return DefFrameProcA(h, info->mdiClient, m, wp, lp);
  return DefWindowProcA(h, m, wp, lp);
}

LRESULT Handle(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  ++g_depth;
  Info* info = Lookup(h);
  const WindowSpec* spec = info ? info->spec : nullptr;
  if (info) LogMessage(*info, h, m, wp, lp);
  if (info && g_slowMs && g_depth == 1 && InSendMessageEx(nullptr) != ISMEX_NOSEND) Sleep(g_slowMs);
  LRESULT result = 0;
  if (m == WM_CLOSE && spec && spec->keep) {
    result = 0;
  } else if (m == WM_NCDESTROY) {
    std::string id = info ? info->id : std::string();
    result = DefaultFor(info, h, m, wp, lp);
    if (info) {
      if (info->original) SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(info->original));
      LogLine(id, "destroyed", 0, 0, '-');
      auto byId = g_byId.find(id);
      if (byId != g_byId.end() && byId->second == h) g_byId.erase(byId);
      g_windows.erase(h);
    }
    --g_depth;
    return result;
  } else {
    result = DefaultFor(info, h, m, wp, lp);
  }
  // The window may be gone now; the spec lives as long as the process.
  if (spec && g_depth == 1) {
    for (const Reaction& r : spec->reactions) {
      if (!Triggered(r, m, wp)) continue;
      if (r.nth > 0 && ++g_triggerCounts[{h, &r}] != r.nth) continue;
      RunCommand(r.command);
    }
  }
  --g_depth;
  return result;
}

LRESULT CALLBACK ClientProc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return Handle(h, m, wp, lp); }

bool IsSystemClass(const std::string& cls) {
  if (g_registered.count(cls)) return false;
  WNDCLASSEXA wc = {sizeof(wc)};
  return GetClassInfoExA(nullptr, cls.c_str(), &wc) != FALSE;
}

void EnsureRegistered(const std::string& cls) {
  if (g_registered.count(cls)) return;
  WNDCLASSEXA wc = {sizeof(wc)};
  wc.lpfnWndProc = ClientProc;
  wc.hInstance = g_instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = cls.c_str();
  if (RegisterClassExA(&wc)) g_registered.insert(cls);
}

HWND ParentOf(const WindowSpec& s, bool& missing) {
  missing = false;
  if (s.parent.empty()) return nullptr;
  auto it = g_byId.find(s.parent);
  if (it == g_byId.end()) {
    missing = true;
    return nullptr;
  }
  return it->second;
}

std::string Numbered(const std::string& text, int n) {
  std::string out = text;
  size_t at = out.find("{n}");
  if (at != std::string::npos) out.replace(at, 3, std::to_string(n));
  return out;
}

HWND CreateOne(const WindowSpec& s, const std::string& id, const std::string& text) {
  bool missing = false;
  HWND parent = ParentOf(s, missing);
  if (missing) {
    LogNote("error", "no parent " + s.parent + " for " + id);
    return nullptr;
  }
  Info* parentInfo = parent ? Lookup(parent) : nullptr;
  const bool system = IsSystemClass(s.cls);
  if (!system) EnsureRegistered(s.cls);

  auto info = std::make_unique<Info>();
  info->id = id;
  info->spec = &s;
  const int x = s.x >= 0 ? s.x : (parent ? 10 : 40);
  const int y = s.y >= 0 ? s.y : (parent ? 10 : 40);
  const int w = s.w >= 0 ? s.w : (parent ? 80 : 400);
  const int h = s.h >= 0 ? s.h : (parent ? 24 : 300);
  const DWORD visible = s.hidden ? 0 : WS_VISIBLE;

  HWND hwnd = nullptr;
  // A window of a registered class takes its record with its first message,
  // so the right default procedure (MDI child, frame) runs from the start.
  if (!system) g_creating = info.get();
  if (s.cls == "MDIClient") {
    info->role = Role::MdiClient;
    CLIENTCREATESTRUCT ccs = {nullptr, 50000};
    hwnd = CreateWindowExA(0, "MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | visible, x, y, w, h,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextControlId++)),
                           g_instance, &ccs);
    if (hwnd && parentInfo) {
      parentInfo->role = Role::Frame;
      parentInfo->mdiClient = hwnd;
    }
  } else if (parentInfo && parentInfo->role == Role::MdiClient) {
    info->role = Role::MdiChild;
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = s.cls.c_str();
    mcs.szTitle = text.c_str();
    mcs.hOwner = g_instance;
    mcs.x = x;
    mcs.y = y;
    mcs.cx = w;
    mcs.cy = h;
    mcs.style = visible;
    hwnd = reinterpret_cast<HWND>(SendMessageA(parent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  } else {
    DWORD style = parent ? (WS_CHILD | visible | (s.border ? WS_BORDER : 0))
                         : (WS_OVERLAPPEDWINDOW | visible);
    HMENU menu = parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextControlId++)) : nullptr;
    hwnd = CreateWindowExA(0, s.cls.c_str(), text.c_str(), style, x, y, w, h, parent, menu,
                           g_instance, nullptr);
  }
  const bool handedOver = !system && g_creating == nullptr;
  g_creating = nullptr;
  if (handedOver) (void)info.release();  // the map owns it since its first message
  if (!hwnd) {
    LogNote("error", "cannot create " + id);
    return nullptr;
  }
  if (!handedOver) {
    Info* raw = info.get();
    g_windows[hwnd] = std::move(info);
    g_byId[id] = hwnd;
    if (system)
      raw->original = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClientProc)));
  }
  LogLine(id, "created", reinterpret_cast<unsigned long long>(hwnd), 0, '-');
  return hwnd;
}

// Siblings stand in the order listed, the first on top.
void OrderSiblings(HWND parent) {
  HWND previous = nullptr;
  for (const WindowSpec& s : g_tree.windows) {
    bool missing = false;
    if (ParentOf(s, missing) != parent || missing) continue;
    const int count = s.repeat > 0 ? s.repeat : 1;
    for (int n = 1; n <= count; ++n) {
      std::string id = s.repeat > 0 ? s.id + "#" + std::to_string(n) : s.id;
      auto it = g_byId.find(id);
      if (it == g_byId.end()) continue;
      SetWindowPos(it->second, previous ? previous : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = it->second;
    }
  }
}

void ShowGroup(const std::string& group) {
  std::set<HWND> parents;
  bool any = false;
  for (const WindowSpec& s : g_tree.windows) {
    if (s.group != group) continue;
    const int count = s.repeat > 0 ? s.repeat : 1;
    for (int n = 1; n <= count; ++n) {
      std::string id = s.repeat > 0 ? s.id + "#" + std::to_string(n) : s.id;
      if (HWND h = CreateOne(s, id, s.repeat > 0 ? Numbered(s.text, n) : s.text)) {
        parents.insert((GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr);
        any = true;
      }
    }
  }
  if (!any) return;
  for (HWND p : parents) OrderSiblings(p);
}

void Hang() {
  LogLine("-", "hung", 0, 0, '-');
  SetEvent(g_hungSignal);
  WaitForSingleObject(g_wake, INFINITE);
  LogLine("-", "woke", 0, 0, '-');
}

void RunCommand(const std::vector<std::string>& words) {
  if (words.empty()) return;
  std::string all;
  for (const std::string& w : words) all += (all.empty() ? "" : " ") + w;
  LogNote("cmd", all);
  const std::string& verb = words[0];
  if (verb == "show" && words.size() >= 2) {
    ShowGroup(words[1]);
  } else if (verb == "close" && words.size() >= 2) {
    auto it = g_byId.find(words[1]);
    if (it == g_byId.end()) return;
    HWND h = it->second;
    Info* info = Lookup(h);
    if (info && info->role == Role::MdiChild)
      SendMessageA(GetParent(h), WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    else
      DestroyWindow(h);
  } else if (verb == "settext" && words.size() >= 3) {
    auto it = g_byId.find(words[1]);
    if (it != g_byId.end()) SetWindowTextA(it->second, words[2].c_str());
  } else if (verb == "after" && words.size() >= 3) {
    // "after <ms> <command>": a reaction that takes its time.
    const UINT_PTR id = g_nextScheduled++;
    g_scheduled[id].assign(words.begin() + 2, words.end());
    SetTimer(g_driver, id, std::strtoul(words[1].c_str(), nullptr, 10), nullptr);
  } else if (verb == "slow" && words.size() >= 2) {
    g_slowMs = std::strtoul(words[1].c_str(), nullptr, 10);
  } else if (verb == "sleep" && words.size() >= 2) {
    // Busy for a while: a reaction that answers late (on=KEYDOWN#1:sleep:1300).
    Sleep(std::strtoul(words[1].c_str(), nullptr, 10));
  } else if (verb == "hang") {
    ResetEvent(g_wake);
    Hang();
  } else if (verb == "quit") {
    PostQuitMessage(0);
  }
}

// What a command does to the client's windows is the stand-in's own doing,
// even when the command came as a message sent from the control thread.
struct OwnDoing {
  OwnDoing() { ++g_depth; }
  ~OwnDoing() { --g_depth; }
};

LRESULT CALLBACK DriverProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  OwnDoing own;
  switch (m) {
    case WM_TIMER: {
      KillTimer(h, wp);
      if (wp >= 1 && wp <= g_tree.timed.size()) {
        RunCommand(g_tree.timed[wp - 1].command);
      } else if (auto it = g_scheduled.find(wp); it != g_scheduled.end()) {
        const std::vector<std::string> command = std::move(it->second);
        g_scheduled.erase(it);
        RunCommand(command);
      }
      return 0;
    }
    case kMsgCommand:
      RunCommand(*reinterpret_cast<const std::vector<std::string>*>(lp));
      return 1;
    case kMsgHang:
      Hang();
      return 0;
    default:
      return DefWindowProcA(h, m, wp, lp);
  }
}

// ---- Control thread -------------------------------------------------------------

// The stand-in's own windows (driver, control) are message-only: no search
// for the client's windows can find them.
HWND CreateMessageWindow(const char* cls, WNDPROC proc) {
  WNDCLASSEXA wc = {sizeof(wc)};
  wc.lpfnWndProc = proc;
  wc.hInstance = g_instance;
  wc.lpszClassName = cls;
  RegisterClassExA(&wc);
  return CreateWindowExA(0, cls, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_instance, nullptr);
}

LRESULT CALLBACK ControlProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m != WM_COPYDATA) return DefWindowProcA(h, m, wp, lp);
  const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  std::string text(static_cast<const char*>(cds->lpData), cds->cbData);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  std::vector<std::string> words = standin::SplitWords(text);
  if (words.empty()) return 0;
  if (words[0] == "wake") {
    SetEvent(g_wake);
    return 1;
  }
  if (words[0] == "hang") {
    ResetEvent(g_wake);
    ResetEvent(g_hungSignal);
    PostMessageA(g_driver, kMsgHang, 0, 0);
    return WaitForSingleObject(g_hungSignal, 10000) == WAIT_OBJECT_0 ? 1 : 0;
  }
  if (words[0] == "quit") {
    SetEvent(g_wake);
    PostThreadMessageA(GetWindowThreadProcessId(g_driver, nullptr), WM_QUIT, 0, 0);
    return 1;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(g_driver, kMsgCommand, 0, reinterpret_cast<LPARAM>(&words), SMTO_NORMAL,
                           10000, &result))
    return 0;
  return static_cast<LRESULT>(result);
}

DWORD WINAPI ControlThread(void* ready) {
  g_control = CreateMessageWindow(kControlClass, ControlProc);
  SetEvent(static_cast<HANDLE>(ready));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// Ends the stand-in with the test that started it, so no tree outlives its test.
DWORD WINAPI WatchParent(void* process) {
  WaitForSingleObject(static_cast<HANDLE>(process), INFINITE);
  ExitProcess(0);
}

std::string ReadWholeFile(const char* path) {
  std::string text;
  FILE* f = std::fopen(path, "rb");
  if (!f) return text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

std::string FromEnvironment(const char* name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? std::string(value) : std::string();
}

// Whether this executable is named `name` (any case).
bool RunsAs(const char* name) {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string file(path, n);
  file = file.substr(file.find_last_of("\\/") + 1);
  return lstrcmpiA(file.c_str(), name) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string treeArg = FromEnvironment("TETHERLY_STANDIN_TREE");
  std::string logArg = FromEnvironment("TETHERLY_STANDIN_LOG");
  DWORD parentPid = std::strtoul(FromEnvironment("TETHERLY_STANDIN_PARENT").c_str(), nullptr, 10);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--tree") == 0) treeArg = argv[++i];
    else if (std::strcmp(argv[i], "--log") == 0) logArg = argv[++i];
    else if (std::strcmp(argv[i], "--parent") == 0) parentPid = std::strtoul(argv[++i], nullptr, 10);
  }
  const char* treePath = treeArg.empty() ? nullptr : treeArg.c_str();
  const char* logPath = logArg.empty() ? nullptr : logArg.c_str();
  if (!treePath || !logPath) {
    std::fprintf(stderr, "usage: standin_client --tree FILE --log FILE\n");
    return 2;
  }
  if (parentPid) {
    if (HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, parentPid))
      CloseHandle(CreateThread(nullptr, 0, WatchParent, parent, 0, nullptr));
  }
  InitializeCriticalSection(&g_logLock);
  g_log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_log == INVALID_HANDLE_VALUE) return 3;
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  LogLine("-", "freq", static_cast<unsigned long long>(freq.QuadPart), 0, '-');
  if (RunsAs("nzStart.exe")) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    LogNote("cwd", cwd);
  }

  std::string error;
  if (!standin::ParseTree(ReadWholeFile(treePath), g_tree, error)) {
    LogNote("error", error);
    return 4;
  }
  g_instance = GetModuleHandleA(nullptr);
  g_wake = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  g_hungSignal = CreateEventA(nullptr, TRUE, FALSE, nullptr);

  g_driver = CreateMessageWindow(kDriverClass, DriverProc);

  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE control = CreateThread(nullptr, 0, ControlThread, ready, 0, nullptr);
  if (!control || WaitForSingleObject(ready, 10000) != WAIT_OBJECT_0) return 5;

  ShowGroup("main");
  for (size_t i = 0; i < g_tree.timed.size(); ++i)
    SetTimer(g_driver, i + 1, g_tree.timed[i].ms, nullptr);
  LogLine("-", "ready", reinterpret_cast<unsigned long long>(g_control), GetCurrentProcessId(), '-');

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    g_dispatching = msg;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    g_dispatching = MSG{};
  }
  LogLine("-", "quit", 0, 0, '-');
  return 0;
}

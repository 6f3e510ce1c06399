#include "support/StandInClient.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace testing_support {
namespace {

std::string ReadShared(const std::string& path) {
  std::string text;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return text;
  char buf[8192];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof(buf), &n, nullptr) && n > 0) text.append(buf, n);
  CloseHandle(f);
  return text;
}

// Complete lines only: a line still being written has no line feed yet.
std::vector<std::string> CompleteLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) return lines;
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::string TempFile(const char* prefix) {
  char dir[MAX_PATH] = {};
  GetTempPathA(sizeof(dir), dir);
  static std::atomic<int> counter{0};
  char name[MAX_PATH];
  std::snprintf(name, sizeof(name), "%s%s-%lu-%d.txt", dir, prefix, GetCurrentProcessId(),
                counter.fetch_add(1));
  DeleteFileA(name);
  return name;
}

double FrequencyPerMs() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(f.QuadPart) / 1000.0;
}

std::string Hex(unsigned long long v) {
  char buf[24];
  std::snprintf(buf, sizeof(buf), "%llx", v);
  return buf;
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= limitMs) return false;
    // Answers what is sent to this thread's windows while waiting.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

std::string SupportProgram(const char* exeName, const char* envName) {
  char buf[MAX_PATH] = {};
  DWORD n = envName ? GetEnvironmentVariableA(envName, buf, sizeof(buf)) : 0;
  std::string path;
  if (n > 0 && n < sizeof(buf)) {
    path = buf;
  } else {
    GetModuleFileNameA(nullptr, buf, sizeof(buf));
    std::string dir = buf;
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);
    // Test programs live in tests/win/<area>, benchmarks in tests/bench.
    for (const char* up : {"..\\..\\support\\", "..\\support\\", "support\\", ""}) {
      std::string candidate = dir + up + exeName;
      if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
        path = candidate;
        break;
      }
    }
  }
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

double NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / FrequencyPerMs();
}

StandInClient::~StandInClient() { Stop(); }

bool StandInClient::WriteTree(const std::string& tree) {
  Stop();
  treePath_ = TempFile("standin-tree");
  logPath_ = TempFile("standin-log");
  FILE* f = std::fopen(treePath_.c_str(), "wb");
  if (!f) return false;
  std::fwrite(tree.data(), 1, tree.size(), f);
  std::fclose(f);
  return true;
}

bool StandInClient::Start(const std::string& tree, DWORD limitMs) {
  if (!WriteTree(tree)) return false;
  const std::string exe = SupportProgram("standin_client.exe", "TETHERLY_STANDIN");
  std::string cmd = "\"" + exe + "\" --tree \"" + treePath_ + "\" --log \"" + logPath_ +
                    "\" --parent " + std::to_string(GetCurrentProcessId());
  STARTUPINFOA si = {sizeof(si)};
  if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi_)) {
    pi_ = {};
    return false;
  }
  bool ready = WaitUntil(
      [&] { return FindReady() || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }, limitMs);
  return ready && control_ != nullptr;
}

bool StandInClient::FindReady() {
  for (const StandInEntry& e : Entries())
    if (e.what == "ready") {
      control_ = reinterpret_cast<HWND>(static_cast<UINT_PTR>(e.wParam));
      if (!pi_.hProcess) {
        pi_.dwProcessId = static_cast<DWORD>(e.lParam);
        pi_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pi_.dwProcessId);
      }
      return true;
    }
  return false;
}

bool StandInClient::PrepareLaunch(const std::string& exePath, const std::string& tree) {
  if (!WriteTree(tree)) return false;
  const std::string exe = SupportProgram("standin_client.exe", "TETHERLY_STANDIN");
  if (!CopyFileA(exe.c_str(), exePath.c_str(), FALSE)) return false;
  SetEnvironmentVariableA("TETHERLY_STANDIN_TREE", treePath_.c_str());
  SetEnvironmentVariableA("TETHERLY_STANDIN_LOG", logPath_.c_str());
  SetEnvironmentVariableA("TETHERLY_STANDIN_PARENT", std::to_string(GetCurrentProcessId()).c_str());
  prepared_ = true;
  return true;
}

bool StandInClient::Launched() const {
  for (const StandInEntry& e : Entries())
    if (e.what == "ready") return true;
  return false;
}

bool StandInClient::WaitForLaunch(DWORD limitMs) {
  return WaitUntil([&] { return FindReady(); }, limitMs) && control_ != nullptr;
}

std::string StandInClient::WorkingDirectory() const {
  for (const StandInEntry& e : Entries())
    if (e.what.rfind("cwd:", 0) == 0) return e.what.substr(4);
  return {};
}

bool StandInClient::Command(const std::string& command) {
  if (!control_) return false;
  COPYDATASTRUCT cds = {1, static_cast<DWORD>(command.size() + 1),
                        const_cast<char*>(command.c_str())};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL,
                           15000, &result))
    return false;
  return result == 1;
}

void StandInClient::Stop() {
  if (prepared_) {
    prepared_ = false;
    // A launch prepared but never seen may still be on its way.
    if (!pi_.hProcess) FindReady();
    for (const char* name : {"TETHERLY_STANDIN_TREE", "TETHERLY_STANDIN_LOG", "TETHERLY_STANDIN_PARENT"})
      SetEnvironmentVariableA(name, nullptr);
  }
  if (!pi_.hProcess) {
    DeleteFileA(treePath_.c_str());
    DeleteFileA(logPath_.c_str());
    return;
  }
  if (control_) {
    Command("wake");
    Command("quit");
  }
  if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
  WaitForSingleObject(pi_.hProcess, 5000);
  if (pi_.hThread) CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
  pi_ = {};
  control_ = nullptr;
  DeleteFileA(treePath_.c_str());
  DeleteFileA(logPath_.c_str());
}

std::vector<StandInEntry> StandInClient::Entries() const {
  std::vector<StandInEntry> out;
  static const double perMs = FrequencyPerMs();
  for (const std::string& line : CompleteLines(ReadShared(logPath_))) {
    std::istringstream in(line);
    long long qpc = 0;
    std::string wp, lp, src;
    StandInEntry e;
    if (!(in >> qpc >> e.window >> e.what >> wp >> lp >> src)) continue;
    e.ms = static_cast<double>(qpc) / perMs;
    e.wParam = std::strtoull(wp.c_str(), nullptr, 16);
    e.lParam = std::strtoull(lp.c_str(), nullptr, 16);
    e.source = src.empty() ? '-' : src[0];
    out.push_back(std::move(e));
  }
  return out;
}

std::vector<std::string> StandInClient::Received(size_t from, bool withReads) const {
  return ReceivedBy("", from, withReads);
}

std::vector<std::string> StandInClient::ReceivedBy(const std::string& window, size_t from,
                                                   bool withReads) const {
  std::vector<std::string> out;
  const std::vector<StandInEntry> all = Entries();
  for (size_t i = from; i < all.size(); ++i) {
    const StandInEntry& e = all[i];
    if (!e.FromOutside()) continue;
    if (!window.empty() && e.window != window) continue;
    if (!withReads && e.what == "GETTEXT") continue;
    out.push_back(e.window + " " + e.what + " " + Hex(e.wParam) + " " + Hex(e.lParam));
  }
  return out;
}

HWND StandInClient::Window(const std::string& id) const {
  HWND h = nullptr;
  for (const StandInEntry& e : Entries())
    if (e.window == id && e.what == "created") h = reinterpret_cast<HWND>(static_cast<UINT_PTR>(e.wParam));
  return h;
}

double StandInClient::TimeOf(const std::string& window, const std::string& what,
                             size_t from) const {
  const std::vector<StandInEntry> all = Entries();
  for (size_t i = from; i < all.size(); ++i)
    if (all[i].window == window && all[i].what == what) return all[i].ms;
  return -1;
}

int StandInClient::Count(const std::string& window, const std::string& what, size_t from) const {
  const std::vector<StandInEntry> all = Entries();
  int n = 0;
  for (size_t i = from; i < all.size(); ++i)
    n += all[i].window == window && all[i].what == what;
  return n;
}

int StandInClient::CountFromOutside(const std::string& window, const std::string& what,
                                    size_t from) const {
  const std::vector<StandInEntry> all = Entries();
  int n = 0;
  for (size_t i = from; i < all.size(); ++i)
    n += all[i].window == window && all[i].what == what && all[i].FromOutside();
  return n;
}

bool StandInClient::WaitFor(const std::string& window, const std::string& what, DWORD limitMs,
                            size_t from) const {
  return WaitUntil([&] { return TimeOf(window, what, from) >= 0; }, limitMs);
}

std::string StandInClient::LogText() const { return ReadShared(logPath_); }

// ---- CommandLineRecorder -------------------------------------------------------

CommandLineRecorder::CommandLineRecorder()
    : logPath_(TempFile("recorder-log")), startsPath_(TempFile("recorder-starts")) {
  SetEnvironmentVariableA("TETHERLY_RECORDER_LOG", logPath_.c_str());
  SetEnvironmentVariableA("TETHERLY_RECORDER_STARTS", startsPath_.c_str());
}

CommandLineRecorder::~CommandLineRecorder() {
  SetEnvironmentVariableA("TETHERLY_RECORDER_LOG", nullptr);
  SetEnvironmentVariableA("TETHERLY_RECORDER_STARTS", nullptr);
  DeleteFileA(logPath_.c_str());
  DeleteFileA(startsPath_.c_str());
}

std::vector<CommandLineRecorder::Start> CommandLineRecorder::Starts() const {
  std::vector<Start> out;
  for (const std::string& line : CompleteLines(ReadShared(startsPath_))) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) continue;
    out.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
  }
  return out;
}

std::string CommandLineRecorder::ExePath() {
  return SupportProgram("cmdline_recorder.exe", "TETHERLY_RECORDER");
}

std::vector<std::string> CommandLineRecorder::Lines() const {
  std::vector<std::string> out;
  for (const std::string& line : CompleteLines(ReadShared(logPath_))) {
    size_t blank = line.find(' ');
    out.push_back(blank == std::string::npos ? std::string() : line.substr(blank + 1));
  }
  return out;
}

bool CommandLineRecorder::WaitForLines(size_t count, DWORD limitMs) const {
  return WaitUntil([&] { return Lines().size() >= count; }, limitMs);
}

// ---- BrowserOnRecorder -----------------------------------------------------------

namespace {

constexpr const char* kHandlerKeys[] = {"http\\shell\\open\\command",
                                        "htmlfile\\shell\\open\\command", ".htm"};

std::string ReadDefault(const char* key) {
  char buf[1024] = {};
  LONG size = sizeof(buf);
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, buf, &size) != ERROR_SUCCESS) return {};
  return buf;
}

void WriteDefault(const char* key, const std::string& value) {
  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

}  // namespace

BrowserOnRecorder::BrowserOnRecorder() {
  const std::string command = "\"" + CommandLineRecorder::ExePath() + "\" %1";
  for (const char* key : kHandlerKeys) saved_.emplace_back(key, ReadDefault(key));
  WriteDefault(kHandlerKeys[0], command);
  WriteDefault(kHandlerKeys[1], command);
  WriteDefault(kHandlerKeys[2], "htmlfile");
}

BrowserOnRecorder::~BrowserOnRecorder() {
  for (const auto& [key, value] : saved_)
    if (!value.empty()) WriteDefault(key.c_str(), value);
}

}  // namespace testing_support

// Records its own command line and ends: the "program" and "browser" that
// tests and scripts/run.sh point the launchers at, so no real client or
// browser ever opens.
//
// Appends one line per start to the file named by TETHERLY_RECORDER_LOG (or
// cmdline_recorder.log beside the executable):
//   <qpc> <what followed the program name, exactly>
// and, when TETHERLY_RECORDER_STARTS names a file, which copy of the
// recorder started, where, and with what (tab-separated):
//   <this executable's path> <its working folder> <what followed the program name>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The command line after the program name and the blanks that follow it,
// byte for byte (the program name is quoted or ends at the first blank).
const char* Tail(const char* line) {
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

void Append(const std::string& path, const std::string& line) {
  HANDLE f = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
}

std::string LogPath() {
  char path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA("TETHERLY_RECORDER_LOG", path, sizeof(path));
  if (n > 0 && n < sizeof(path)) return path;
  n = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string p(path, n);
  size_t dot = p.rfind('.');
  return (dot == std::string::npos ? p : p.substr(0, dot)) + ".log";
}

}  // namespace

int main() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const char* tail = Tail(GetCommandLineA());
  // The start first: whoever waits for the line below finds it complete.
  char starts[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("TETHERLY_RECORDER_STARTS", starts, sizeof(starts));
  if (n > 0 && n < sizeof(starts)) {
    char self[MAX_PATH] = {}, folder[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    GetCurrentDirectoryA(sizeof(folder), folder);
    Append(starts, std::string(self) + "\t" + folder + "\t" + tail + "\n");
  }
  Append(LogPath(), std::to_string(now.QuadPart) + " " + tail + "\n");
  return 0;
}

#pragma once
// Small fixtures of the Windows tests: Winsock for the test's life, a
// recorder for trace lines, and the time scale restored afterwards.
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The program starts Windows Sockets 1.1 itself; tests do the same.
class WinsockSession {
 public:
  WinsockSession();
  ~WinsockSession();
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

// Collects trace lines from any thread while alive; a clear of the log
// empties what it holds, as in the trace window.
class TraceRecorder {
 public:
  TraceRecorder();
  ~TraceRecorder();
  static std::vector<std::string> Lines();
  static void Clear();
};

// The handles this process holds, found by asking for each possible value
// (Wine 8's GetProcessHandleCount answers 0, for this process too).
DWORD OpenHandleCount();

class TimeScale {
 public:
  explicit TimeScale(double scale);
  ~TimeScale();

 private:
  double previous_;
};

}  // namespace testing_support

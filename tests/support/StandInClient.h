#pragma once
// Drives standin_client.exe (a stand-in for an outside client program, see
// support/standin/StandInTree.h for its tree language) from a test, and
// cmdline_recorder.exe (the program and browser the launchers start).
//
// Lifecycle: Start(tree) -> commands, scans, reads of the log -> Stop() (or
// destruction, which ends the process). Every wait is for a condition, with a
// generous real-time bound.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Where a program built beside the tests lives (tests/support under the
// build tree): from the environment variable `envName`, else found relative
// to the running test program. Windows path.
std::string SupportProgram(const char* exeName, const char* envName);

// Milliseconds on the QueryPerformanceCounter clock all processes share.
double NowMs();

struct StandInEntry {
  double ms = 0;          // QueryPerformanceCounter time
  std::string window;     // window id of the tree, "-" for the stand-in itself
  std::string what;       // message name as logged, or created, destroyed, ready, hung ...
  unsigned long long wParam = 0, lParam = 0;
  char source = '-';      // x sent from outside, p posted, i internal, - event

  bool FromOutside() const { return source == 'x' || source == 'p'; }
};

class StandInClient {
 public:
  StandInClient() = default;
  ~StandInClient();
  StandInClient(const StandInClient&) = delete;
  StandInClient& operator=(const StandInClient&) = delete;

  // Starts the stand-in on `tree` and waits until its main group stands.
  bool Start(const std::string& tree, DWORD limitMs = 15000);
  // For a stand-in the program under test starts itself as its client:
  // copies the stand-in to `exePath` (e.g. "...\nzStart.exe") and points
  // whatever this process starts next at `tree`. Launched() then tells
  // whether it runs; WaitForLaunch waits until its main group stands.
  bool PrepareLaunch(const std::string& exePath, const std::string& tree);
  bool Launched() const;
  bool WaitForLaunch(DWORD limitMs = 15000);
  // The working directory the stand-in logged when it ran as "nzStart.exe"
  // (blanks as underscores); empty when none.
  std::string WorkingDirectory() const;
  // Runs a command of the tree language; true once it has taken effect.
  bool Command(const std::string& command);
  // Ends the stand-in (waking it first if it hangs).
  void Stop();
  DWORD processId() const { return pi_.dwProcessId; }

  std::vector<StandInEntry> Entries() const;
  // The number of entries so far: pass it to Received to see only what came after.
  size_t Mark() const { return Entries().size(); }
  // Messages from outside since `from`, as "<window> <MESSAGE> <wParam> <lParam>"
  // (hex). Reads (GETTEXT) only when asked for.
  std::vector<std::string> Received(size_t from = 0, bool withReads = false) const;
  // The same for one window.
  std::vector<std::string> ReceivedBy(const std::string& window, size_t from = 0,
                                      bool withReads = false) const;
  // The window a tree id stands for now (the last one created), or null.
  HWND Window(const std::string& id) const;
  // Time of the first entry since `from` for `window` and `what`; < 0 when none.
  double TimeOf(const std::string& window, const std::string& what, size_t from = 0) const;
  int Count(const std::string& window, const std::string& what, size_t from = 0) const;
  // The same for messages from outside only (a read by a watcher, not the
  // stand-in's own).
  int CountFromOutside(const std::string& window, const std::string& what, size_t from = 0) const;
  bool WaitFor(const std::string& window, const std::string& what, DWORD limitMs = 10000,
               size_t from = 0) const;
  // The whole log, for failure messages.
  std::string LogText() const;

 private:
  std::string logPath_;
  std::string treePath_;
  // A fresh tree file and log name (after stopping any stand-in running).
  bool WriteTree(const std::string& tree);
  bool FindReady();

  PROCESS_INFORMATION pi_ = {};
  HWND control_ = nullptr;
  bool prepared_ = false;
};

// The launched programs' command lines (what followed the program name).
class CommandLineRecorder {
 public:
  // Fresh logs; TETHERLY_RECORDER_LOG and TETHERLY_RECORDER_STARTS point at them.
  CommandLineRecorder();
  ~CommandLineRecorder();  // the variables are removed again
  static std::string ExePath();
  std::vector<std::string> Lines() const;
  bool WaitForLines(size_t count, DWORD limitMs = 10000) const;

  // Which copy of the recorder started, in which working folder, with what;
  // complete for every line Lines() has.
  struct Start {
    std::string program, folder, arguments;
    bool operator==(const Start&) const = default;
  };
  std::vector<Start> Starts() const;

 private:
  std::string logPath_;
  std::string startsPath_;
};

// Points the http protocol and .htm files at the recorder for the life of
// the object, so a browser launch records its address instead of opening
// one; the previous handlers are restored afterwards.
class BrowserOnRecorder {
 public:
  BrowserOnRecorder();
  ~BrowserOnRecorder();

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

}  // namespace testing_support

#pragma once
// The simulated dial-up library (tests/support/rasapi32) as a test in the
// same process drives it: the test's CMake puts it into the Wine prefix's
// system folder with tetherly_use_simulated_ras, and this loads the same
// module the program will load (from there), resets it, scripts it and reads
// its call log. Script lines are listed at the top of rasapi32/SimulatedRas.cpp.
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

class SimulatedRas {
 public:
  SimulatedRas();   // loads and resets (no entries, every call succeeds)
  ~SimulatedRas();  // resets and lets go

  // False when the library loaded is not the simulated one.
  bool ok() const { return reset_ != nullptr; }
  void Script(const std::string& lines);
  std::vector<std::string> Log() const;
  // The log lines that start with `call` ("RasDialA", "RasHangUpA 0x1010", "callback").
  std::vector<std::string> Calls(const std::string& call) const;
  int Count(const std::string& call) const { return static_cast<int>(Calls(call).size()); }
  // Runs this thread's messages until the log holds `count` lines starting
  // with `call`, or `limitMs` real milliseconds passed.
  bool WaitForCalls(const std::string& call, int count, DWORD limitMs = 10000) const;
  // The 1052 bytes of the last dial parameters the library accepted.
  std::vector<BYTE> LastDialParams() const;
  // Drops every connected line now, with state 8193 to the callback when `notify`.
  void DropLine(bool notify);
  // How often the entry point `name` was called since the reset, whatever
  // the log (the latest 64 KiB) still holds.
  int CallCount(const std::string& name) const;
  // The bytes the library holds for its log, connections and last dial.
  DWORD Footprint() const;
  HMODULE module() const { return module_; }

 private:
  HMODULE module_ = nullptr;
  void(WINAPI* reset_)() = nullptr;
  void(WINAPI* script_)(const char*) = nullptr;
  DWORD(WINAPI* log_)(char*, DWORD) = nullptr;
  DWORD(WINAPI* params_)(BYTE*, DWORD) = nullptr;
  void(WINAPI* drop_)(BOOL) = nullptr;
  DWORD(WINAPI* callCount_)(const char*) = nullptr;
  DWORD(WINAPI* footprint_)() = nullptr;
};

}  // namespace testing_support

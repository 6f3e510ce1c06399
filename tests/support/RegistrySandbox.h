#pragma once
// Gives each test an empty program key, in the machine's copy and the
// user's, and leaves none behind.
#include <windows.h>

namespace testing_support {

constexpr const char* kProgramRoot = "SOFTWARE\\Quillmark\\Tetherly";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void ClearProgramSettings();

class RegistrySandbox {
 public:
  RegistrySandbox() { ClearProgramSettings(); }
  ~RegistrySandbox() { ClearProgramSettings(); }
};

}  // namespace testing_support

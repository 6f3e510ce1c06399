#pragma once
#include <windows.h>

#include <string>

namespace win {

// The system's text for a Win32 error code, without trailing line breaks;
// "Error N" when the system has none.
std::string ErrorText(DWORD code);

}  // namespace win

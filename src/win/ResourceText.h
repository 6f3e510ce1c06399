#pragma once
// A text of the program's string table.
#include <windows.h>

#include <string>

namespace win {

// String `id` of the running module, or `fallback` when it cannot be loaded.
// Texts are kept byte for byte, trailing blanks included.
std::string LoadResourceText(UINT id, const char* fallback);

}  // namespace win

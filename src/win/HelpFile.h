#pragma once
// The program's help file: its executable's path with the extension HLP.
#include <windows.h>

#include <string>

namespace win {

// Empty when the executable's path cannot be had.
std::string HelpFilePath();

// Opens the help file with WinHelpA(command, data). False, and nothing
// opened, when the file does not exist; `path` names it either way.
bool OpenHelpFile(HWND owner, UINT command, ULONG_PTR data, std::string& path);

// What the user is told when the file is missing.
std::string HelpFileMissingText(const std::string& path);

}  // namespace win

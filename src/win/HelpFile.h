#pragma once
// The program's help file: the executable's path with the extension HLP.
#include <windows.h>

#include <functional>
#include <string>

namespace win {

// Empty when the program's own path cannot be had.
std::string HelpFilePath();

// Opens the help file with WinHelp (`command`, `data`). Without a help file
// the user is told so through `tellMissing`, and false is returned.
bool OpenHelpFile(HWND owner, UINT command, ULONG_PTR data,
                  const std::function<void(const std::string& text)>& tellMissing);

}  // namespace win

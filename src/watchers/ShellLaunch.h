#pragma once
// Starting an outside program or web page through the shell, and the box a
// failed start shows. Any thread (the launchers call these).
#include <windows.h>

#include <string>

#include "win/MessageBox.h"

namespace watch {

// ShellExecuteA(desktop window, "open", file, parameters (none when empty),
// no directory, SW_SHOW); returns the shell's result (32 or less: failed).
INT_PTR ShellOpen(const std::string& file, const std::string& parameters);

// The shell-launch error text of `result`, from the string table.
std::string ShellLaunchErrorText(INT_PTR result);

// The box of a failed start: no owner, the error icon, `caption`, the error
// text of `result`.
void ShowShellLaunchError(INT_PTR result, const std::string& caption, win::MessageBoxEnder* boxes);

}  // namespace watch

#pragma once
// Starting an outside program or web page through the shell, and the box a
// failed start shows. Any thread (the launchers call these).
#include <windows.h>

#include <string>

#include "win/MessageBox.h"

namespace watch {

// ShellExecuteA(desktop window, "open", file, parameters (none when empty),
// no directory, SW_SHOW); returns the shell's result (32 or less: failed).
// For web addresses and the program's own files; a program path the user
// chose goes through StartProgram.
INT_PTR ShellOpen(const std::string& file, const std::string& parameters);

// Whether `path` names exactly one existing file the shell would start as
// it is: acceptable by its text (LaunchPathAcceptable), unchanged by the
// environment-variable expansion the shell applies to it, and a file, not
// a folder.
bool IsStartableProgram(const std::string& path);
// ShellOpenIn for a program path the user chose: a path that is not
// startable is never handed to the shell and fails as a missing file
// (SE_ERR_FNF), with the shell's own text for it.
INT_PTR StartProgram(HWND owner, const std::string& path, const std::string& parameters,
                     const char* directory, int show);
// ShellExecuteA(owner, "open", file, parameters (none when empty),
// directory (none when null), show).
INT_PTR ShellOpenIn(HWND owner, const std::string& file, const std::string& parameters,
                    const char* directory, int show);

// COM for the calling thread while it launches: the shell may hand a launch
// to a COM-based extension.
class ShellComScope {
 public:
  ShellComScope();
  ~ShellComScope();
  ShellComScope(const ShellComScope&) = delete;
  ShellComScope& operator=(const ShellComScope&) = delete;

 private:
  bool ok_;
};

// The shell-launch error text of `result`, from the string table.
std::string ShellLaunchErrorText(INT_PTR result);

// The box of a failed start: no owner, the error icon, `caption`, the error
// text of `result`.
void ShowShellLaunchError(INT_PTR result, const std::string& caption, win::MessageBoxEnder* boxes);

}  // namespace watch

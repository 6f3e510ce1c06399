#include "watchers/ShellLaunch.h"

#include <objbase.h>
#include <shellapi.h>

#include "watchers/LaunchParameters.h"
#include "watchers/ShellLaunchError.h"
#include "win/ResourceText.h"

namespace watch {

INT_PTR ShellOpen(const std::string& file, const std::string& parameters) {
  return ShellOpenIn(GetDesktopWindow(), file, parameters, nullptr, SW_SHOW);
}

INT_PTR ShellOpenIn(HWND owner, const std::string& file, const std::string& parameters,
                    const char* directory, int show) {
  HINSTANCE result = ShellExecuteA(owner, "open", file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(), directory, show);
  return reinterpret_cast<INT_PTR>(result);
}

bool IsStartableProgram(const std::string& path) {
  if (!LaunchPathAcceptable(path)) return false;
  // The shell expands "%NAME%" in the file it is given: a path that changes
  // by it would start some other file.
  char expanded[kMaxLaunchPath + 2] = {};
  const DWORD needed = ExpandEnvironmentStringsA(path.c_str(), expanded, sizeof(expanded));
  if (needed == 0 || needed > sizeof(expanded) || path != expanded) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

INT_PTR StartProgram(HWND owner, const std::string& path, const std::string& parameters,
                     const char* directory, int show) {
  if (!IsStartableProgram(path)) return SE_ERR_FNF;
  return ShellOpenIn(owner, path, parameters, directory, show);
}

ShellComScope::ShellComScope()
    : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ShellComScope::~ShellComScope() {
  if (ok_) CoUninitialize();
}

std::string ShellLaunchErrorText(INT_PTR result) {
  return win::LoadResourceText(static_cast<UINT>(ShellLaunchErrorStringId(result)),
                               ShellLaunchErrorFallback(result));
}

void ShowShellLaunchError(INT_PTR result, const std::string& caption, win::MessageBoxEnder* boxes) {
  win::ShowMessageBox(nullptr, ShellLaunchErrorText(result).c_str(), caption.c_str(),
                      MB_OK | MB_ICONERROR, boxes);
}

}  // namespace watch

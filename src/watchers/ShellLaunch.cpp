#include "watchers/ShellLaunch.h"

#include <shellapi.h>

#include "watchers/ShellLaunchError.h"
#include "win/ResourceText.h"

namespace watch {

INT_PTR ShellOpen(const std::string& file, const std::string& parameters) {
  HINSTANCE result = ShellExecuteA(GetDesktopWindow(), "open", file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                                   SW_SHOW);
  return reinterpret_cast<INT_PTR>(result);
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

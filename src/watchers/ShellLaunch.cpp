#include "watchers/ShellLaunch.h"

#include <objbase.h>
#include <shellapi.h>

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

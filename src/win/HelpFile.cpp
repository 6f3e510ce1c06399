#include "win/HelpFile.h"

namespace win {

std::string HelpFilePath() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return {};
  std::string help(path, n);
  size_t dot = help.find_last_of('.');
  size_t slash = help.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) help.resize(dot);
  return help + ".HLP";
}

bool OpenHelpFile(HWND owner, UINT command, ULONG_PTR data,
                  const std::function<void(const std::string& text)>& tellMissing) {
  const std::string help = HelpFilePath();
  if (help.empty()) return false;
  if (GetFileAttributesA(help.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (tellMissing) tellMissing("The help file " + help + " was not found.");
    return false;
  }
  return WinHelpA(owner, help.c_str(), command, data) != FALSE;
}

}  // namespace win

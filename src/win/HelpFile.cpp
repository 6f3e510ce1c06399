#include "win/HelpFile.h"

namespace win {

std::string HelpFilePath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return {};
  std::string help(path, n);
  const size_t dot = help.find_last_of('.');
  const size_t slash = help.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) help.resize(dot);
  return help + ".HLP";
}

bool OpenHelpFile(HWND owner, UINT command, ULONG_PTR data, std::string& path) {
  path = HelpFilePath();
  if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  WinHelpA(owner, path.c_str(), command, data);
  return true;
}

std::string HelpFileMissingText(const std::string& path) {
  return "The help file " + path + " was not found.";
}

}  // namespace win

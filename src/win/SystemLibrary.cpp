#include "win/SystemLibrary.h"

#include <cstring>

namespace win {
namespace {

// Windows 7 without its loader update refuses the search flag: name the
// file in the system folder outright instead.
HMODULE LoadFromSystemFolderPath(const char* name) {
  char path[MAX_PATH];
  const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  const size_t nameLength = std::strlen(name);
  if (folder == 0 || folder + 1 + nameLength >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  path[folder] = '\\';
  std::memcpy(path + folder + 1, name, nameLength + 1);
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
  if (!name || !*name || std::strpbrk(name, "\\/:")) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadFromSystemFolderPath(name);
  return module;
}

}  // namespace win

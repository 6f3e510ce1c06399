#pragma once
// System libraries the program loads at run time, taken from the system
// folder only: a DLL of the same name beside the exe (a downloads folder, a
// writable install folder) must never run inside the program.
#include <windows.h>

namespace win {

// LoadLibraryExA(name, LOAD_LIBRARY_SEARCH_SYSTEM32). `name` is a bare file
// name ("rasapi32.dll"); anything with a path separator is refused with
// ERROR_INVALID_PARAMETER. Null on failure, with the reason in GetLastError.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace win

#pragma once
// The dial-up library's entry points as the program calls them: looked up by
// name in a module loaded at run time from the system folder, with the old
// record layouts. The program never imports the library, so it starts where
// the library is missing.
#include <windows.h>

#include <vector>

#include "dialup/RasLayouts.h"

namespace dialup {

inline constexpr const char* kRasLibraryName = "rasapi32.dll";

// Notifier type 0: called on the library's own thread with the state and error.
using RasDialNotifyFn = void(WINAPI*)(UINT message, DWORD state, DWORD error);

using RasEnumEntriesFn = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phonebook, RasEntryName* entries,
                                        LPDWORD bytes, LPDWORD count);
using RasDialFn = DWORD(WINAPI*)(void* extensions, LPCSTR phonebook, RasDialParams* params,
                                 DWORD notifierType, void* notifier, RasHandle* connection);
using RasHangUpFn = DWORD(WINAPI*)(RasHandle connection);
using RasGetConnectStatusFn = DWORD(WINAPI*)(RasHandle connection, RasConnStatus* status);
// The records are RasConn or RasConnCurrent, told apart by their size field.
using RasEnumConnectionsFn = DWORD(WINAPI*)(void* connections, LPDWORD bytes, LPDWORD count);
using RasGetErrorStringFn = DWORD(WINAPI*)(UINT code, LPSTR text, DWORD size);

// The entry point `name` of `module`, or null (GetLastError tells why).
template <typename Fn>
Fn FindEntry(HMODULE module, const char* name) {
  if (!module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Enumerates the active connections: into one record first and, when the
// library asks for more room (603, 610 or 614), once more into a buffer of
// the size it reports. A library that refuses the record's size (632) is
// asked once more with the other layout (oldest or current); the layout it
// took is asked first next time, and a change is traced. Returns the
// library's last answer; `handles` holds the connections' handles, in the
// library's order, when that is 0.
DWORD EnumerateConnections(RasEnumConnectionsFn enumerate, std::vector<RasHandle>& handles);

}  // namespace dialup

#pragma once
// Words shown on a service's status row for a socket error code, from the
// program's string table.
#include <windows.h>

#include <string>

// Never empty: a code without words, or whose string cannot be loaded from
// `resources` (the program's own module when null), gives "Winsock error
// not defined".
std::string SocketErrorText(int code, HINSTANCE resources = nullptr);

#pragma once
// The phonebook's entry names, for the dialer pages of the configuration
// dialog and the wizard. The library is loaded for the call and unloaded
// again; when it is missing the user sees the notice that says so.
#include <windows.h>

#include <string>
#include <vector>

namespace dialup {

// Appends the entry names in the library's order. Returns 0, or the error
// code (the load's own when the library is missing).
DWORD ListEntryNames(std::vector<std::string>& names);

}  // namespace dialup

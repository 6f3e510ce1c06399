#pragma once
// The text a launcher shows when ShellExecuteA fails (returns 32 or less)
// while it starts an outside program: one string-table text per result the
// shell documents, and "Shell error not defined." for any other. No Win32.
#include <cstdint>

namespace watch {

// True when a ShellExecuteA result means the launch failed.
constexpr bool ShellLaunchFailed(std::intptr_t result) { return result <= 32; }

// String-table id of the text for `result`.
int ShellLaunchErrorStringId(std::intptr_t result);

// The same text built in, for when the string table cannot be read.
const char* ShellLaunchErrorFallback(std::intptr_t result);

}  // namespace watch

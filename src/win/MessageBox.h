#pragma once
// Every message box of the program goes through here, so that tests can see
// and answer them without a real modal loop, and so that Exit can end a box a
// launcher thread is showing. Callable from any thread.
#include <windows.h>

#include <functional>

namespace win {

// Answers a box instead of showing it: gets what MessageBoxA would get and
// returns the button pressed.
using MessageBoxHandler =
    std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;

// Shows `text` (a real MessageBoxA unless a handler is installed).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Installs a handler for the whole process; an empty one restores real boxes.
// Returns the handler it replaced.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace win

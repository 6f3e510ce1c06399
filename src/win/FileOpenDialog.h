#pragma once
// The system's file-open dialog behind one seam, so tests can answer it.
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace win {

// Answers instead of showing the dialog: true with a path, false for Cancel.
using FileOpenHandler =
    std::function<bool(HWND owner, const char* defaultName, DWORD flags, std::string& path)>;

// Asks for a file, starting with `defaultName` in the name field; `flags`
// are OFN_* flags. No filter: every file is shown. Paths longer than
// `maxChars` cannot be chosen. False (and `path` unchanged) on Cancel, and
// at once while the owner's modal chain is being ended, or when the dialog's
// system library cannot be loaded. Runs on the user-interface thread only.
bool AskFileToOpen(HWND owner, const char* defaultName, DWORD flags, std::size_t maxChars,
                   std::string& path);

// Installs a handler for the whole process; an empty one restores the real
// dialog. Returns the handler it replaced.
FileOpenHandler SetFileOpenHandler(FileOpenHandler handler);

}  // namespace win

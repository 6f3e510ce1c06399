#include "win/FileOpenDialog.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "win/Lock.h"
#include "win/ModalChain.h"
#include "win/SystemLibrary.h"

namespace win {
namespace {

Lock& HandlerLock() {
  static Lock lock;
  return lock;
}

FileOpenHandler& Handler() {
  static FileOpenHandler handler;
  return handler;
}

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);

// The dialog's library (and the printing, security and network libraries it
// brings along) is loaded the first time a Browse button is pressed, not at
// start-up, and stays for the rest of the run.
GetOpenFileNameFn LoadGetOpenFileName() {
  static GetOpenFileNameFn function = nullptr;
  if (!function) {
    if (HMODULE module = LoadSystemLibrary("comdlg32.dll"))
      function = reinterpret_cast<GetOpenFileNameFn>(
          reinterpret_cast<void*>(GetProcAddress(module, "GetOpenFileNameA")));
  }
  return function;
}

}  // namespace

bool AskFileToOpen(HWND owner, const char* defaultName, DWORD flags, std::size_t maxChars,
                   std::string& path) {
  if (IsModalChainEnding(owner)) return false;
  FileOpenHandler handler;
  {
    LockGuard guard(HandlerLock());
    handler = Handler();
  }
  std::string chosen;
  if (handler) {
    if (!handler(owner, defaultName ? defaultName : "", flags, chosen)) return false;
    if (chosen.size() > maxChars) return false;
    path = std::move(chosen);
    return true;
  }

  const GetOpenFileNameFn getOpenFileName = LoadGetOpenFileName();
  if (!getOpenFileName) return false;
  std::vector<char> buf(maxChars + 1, '\0');
  if (defaultName) lstrcpynA(buf.data(), defaultName, static_cast<int>(buf.size()));
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFile = buf.data();
  ofn.nMaxFile = static_cast<DWORD>(buf.size());
  ofn.Flags = flags;
  if (!getOpenFileName(&ofn)) return false;
  path = buf.data();
  return true;
}

FileOpenHandler SetFileOpenHandler(FileOpenHandler handler) {
  LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace win

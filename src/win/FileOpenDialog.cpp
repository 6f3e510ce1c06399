#include "win/FileOpenDialog.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "win/Lock.h"
#include "win/ModalChain.h"

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

  std::vector<char> buf(maxChars + 1, '\0');
  if (defaultName) lstrcpynA(buf.data(), defaultName, static_cast<int>(buf.size()));
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFile = buf.data();
  ofn.nMaxFile = static_cast<DWORD>(buf.size());
  ofn.Flags = flags;
  if (!GetOpenFileNameA(&ofn)) return false;
  path = buf.data();
  return true;
}

FileOpenHandler SetFileOpenHandler(FileOpenHandler handler) {
  LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace win

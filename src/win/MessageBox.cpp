#include "win/MessageBox.h"

#include <utility>

#include "win/Lock.h"

namespace win {
namespace {

Lock& HandlerLock() {
  static Lock lock;
  return lock;
}

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  MessageBoxHandler handler;
  {
    // A copy, so the box runs outside the lock: it may take as long as the user likes.
    LockGuard guard(HandlerLock());
    handler = Handler();
  }
  if (handler) return handler(owner, text ? text : "", caption ? caption : "", type);
  return MessageBoxA(owner, text ? text : "", caption, type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace win

#include "win/Inbox.h"

namespace win {

bool InboxWindow::Create() {
  return Window::Create("Tetherly.Inbox", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

bool InboxWindow::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != kWake) return false;
  if (onWake_) onWake_();
  result = 0;
  return true;
}

}  // namespace win

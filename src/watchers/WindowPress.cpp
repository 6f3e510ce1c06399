#include "watchers/WindowPress.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "watchers/MatchRules.h"
#include "win/Clock.h"

namespace watch {
namespace {

thread_local HungThreads* t_hung = nullptr;

DWORD ThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

constexpr LPARAM kKeyLParam = 1;  // repeat count 1, no transition bits, on both

void SendKey(HWND control, UINT message) { SendBounded(control, message, VK_SPACE, kKeyLParam); }

}  // namespace

bool HungThreads::Contains(DWORD threadId) const {
  return std::find(threads_.begin(), threads_.end(), threadId) != threads_.end();
}

void HungThreads::Add(DWORD threadId) {
  if (threadId != 0 && !Contains(threadId)) threads_.push_back(threadId);
}

SendScope::SendScope(HungThreads& hung) : previous_(t_hung) { t_hung = &hung; }

SendScope::~SendScope() { t_hung = previous_; }

DWORD SendBoundMs() { return std::max(win::ScaledMs(kSendBoundMs), kSendFloorMs); }

bool IsHung(HWND window) { return t_hung && t_hung->Contains(ThreadOf(window)); }

bool SendBounded(HWND window, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
  const DWORD thread = ThreadOf(window);
  if (thread == 0) return false;  // not a window (any more)
  if (t_hung && t_hung->Contains(thread)) return false;
  DWORD_PTR answer = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutA(window, message, wp, lp, SMTO_ABORTIFHUNG | SMTO_NORMAL, SendBoundMs(),
                          &answer)) {
    if (result) *result = answer;
    return true;
  }
  // A window that went away meanwhile is not a hung client.
  const DWORD error = GetLastError();
  if (error != ERROR_INVALID_WINDOW_HANDLE && t_hung) t_hung->Add(thread);
  return false;
}

void SpacePress(HWND control) {
  SendBounded(control, WM_SETFOCUS, 0, 0);
  SendKey(control, WM_KEYDOWN);
  SendKey(control, WM_KEYUP);
}

void FocusSpacePress(HWND control) {
  FocusOn(control);
  SpaceKeys(control);
}

void SpaceKeys(HWND control) {
  SendKey(control, WM_KEYDOWN);
  SendKey(control, WM_KEYUP);
}

void FocusOn(HWND control) {
  if (!IsHung(control)) SetFocus(control);
}

void ClickAt(HWND control, int x, int y) {
  const LPARAM point = MAKELPARAM(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
  SendBounded(control, WM_LBUTTONDOWN, 0, point);
  SendBounded(control, WM_LBUTTONUP, 0, point);
}

void SendClose(HWND window) { SendBounded(window, WM_CLOSE, 0, 0); }

POINT ClickPointInside(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  POINT p = {r.left + 5, r.top + 5};
  ScreenToClient(control, &p);
  return p;
}

std::string ReadText(HWND control, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buf(bufferSize, '\0');
  DWORD_PTR copied = 0;
  if (!SendBounded(control, WM_GETTEXT, bufferSize, reinterpret_cast<LPARAM>(buf.data()), &copied))
    return {};
  buf[bufferSize - 1] = '\0';
  return std::string(buf.data(), strnlen(buf.data(), bufferSize - 1));
}

std::string ReadClass(HWND control, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buf(bufferSize, '\0');
  int n = GetClassNameA(control, buf.data(), static_cast<int>(bufferSize));
  return n > 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : std::string();
}

std::string ReadCaption(HWND control, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buf(bufferSize, '\0');
  int n = GetWindowTextA(control, buf.data(), static_cast<int>(bufferSize));
  return n > 0 ? std::string(buf.data(), strnlen(buf.data(), bufferSize - 1)) : std::string();
}

}  // namespace watch

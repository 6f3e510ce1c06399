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

// The second message of a pair follows the first even when the first timed
// out (it reaches the client when it wakes): posted then, so it comes after.
bool SendPair(HWND control, UINT first, UINT second, WPARAM wp, LPARAM lp) {
  switch (SendWithin(control, first, wp, lp)) {
    case SendOutcome::kAnswered:
      return SendWithin(control, second, wp, lp) == SendOutcome::kAnswered;
    case SendOutcome::kTimedOut:
      PostMessageA(control, second, wp, lp);
      return false;
    default:
      return false;
  }
}

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

SendOutcome SendWithin(HWND window, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
  const DWORD thread = ThreadOf(window);
  if (thread == 0) return SendOutcome::kNotSent;  // not a window (any more)
  if (t_hung && t_hung->Contains(thread)) return SendOutcome::kNotSent;
  DWORD_PTR answer = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutA(window, message, wp, lp, SMTO_ABORTIFHUNG | SMTO_NORMAL, SendBoundMs(),
                          &answer)) {
    if (result) *result = answer;
    return SendOutcome::kAnswered;
  }
  // A window that went away meanwhile is not a hung client.
  if (GetLastError() == ERROR_INVALID_WINDOW_HANDLE) return SendOutcome::kNotSent;
  if (t_hung) t_hung->Add(thread);
  return SendOutcome::kTimedOut;
}

bool SendBounded(HWND window, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
  return SendWithin(window, message, wp, lp, result) == SendOutcome::kAnswered;
}

bool SpacePress(HWND control) {
  SendWithin(control, WM_SETFOCUS, 0, 0);
  return SpaceKeys(control);
}

bool FocusSpacePress(HWND control) {
  FocusOn(control);
  return SpaceKeys(control);
}

bool SpaceKeys(HWND control) { return SendPair(control, WM_KEYDOWN, WM_KEYUP, VK_SPACE, kKeyLParam); }

void FocusOn(HWND control) {
  if (!IsHung(control)) SetFocus(control);
}

bool ClickAt(HWND control, int x, int y) {
  const LPARAM point = MAKELPARAM(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
  return SendPair(control, WM_LBUTTONDOWN, WM_LBUTTONUP, 0, point);
}

bool SendClose(HWND window) { return SendBounded(window, WM_CLOSE, 0, 0); }

POINT ClickPointInside(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  POINT p = {r.left + 5, r.top + 5};
  ScreenToClient(control, &p);
  return p;
}

bool TryReadText(HWND control, std::string& text, std::size_t bufferSize) {
  text.clear();
  if (bufferSize == 0) return false;
  std::vector<char> buf(bufferSize, '\0');
  DWORD_PTR copied = 0;
  if (!SendBounded(control, WM_GETTEXT, bufferSize, reinterpret_cast<LPARAM>(buf.data()), &copied))
    return false;
  buf[bufferSize - 1] = '\0';
  text.assign(buf.data(), strnlen(buf.data(), bufferSize - 1));
  return true;
}

std::string ReadText(HWND control, std::size_t bufferSize) {
  std::string text;
  TryReadText(control, text, bufferSize);
  return text;
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

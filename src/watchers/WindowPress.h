#pragma once
// The window-press primitives every watcher uses on the controls of another
// process: press, click, close, and read their texts. Nothing here knows any
// client; the client watchers (AolWatcher, Cs2000Watcher, ...) compose these.
//
// Every message goes out as SendMessageTimeoutA with SMTO_ABORTIFHUNG and a
// bound of about a second (SendBoundMs), so a client that stops answering
// cannot freeze the calling thread. An answering client gets exactly the
// messages listed below, in order. A send that times out marks the window's
// thread as hung in the current SendScope; nothing more is sent to that
// thread while the scope lasts (one timer tick, one sign-on), and reads from
// it fail. A send that timed out still reaches the client when it wakes, so
// when the first message of a pair (key-down/key-up, button-down/button-up)
// times out, the second is posted after it: a control is never left pressed
// or holding the mouse.
//
//   SpacePress(c)       WM_SETFOCUS(0, 0), WM_KEYDOWN(VK_SPACE, 1), WM_KEYUP(VK_SPACE, 1)
//   FocusSpacePress(c)  SetFocus(c), WM_KEYDOWN(VK_SPACE, 1), WM_KEYUP(VK_SPACE, 1)
//                       (across processes SetFocus fails and sends nothing)
//   ClickAt(c, x, y)    WM_LBUTTONDOWN(0, y:x), WM_LBUTTONUP(0, y:x); x and y are
//                       client coordinates of c, each cut to 16 bits
//   SendClose(w)        WM_CLOSE(0, 0)
//   SpaceKeys(c)        WM_KEYDOWN(VK_SPACE, 1), WM_KEYUP(VK_SPACE, 1)
//   FocusOn(c)          SetFocus(c), skipped for a thread found hung
//
// The presses return whether the client took the whole pair (both messages
// answered within their bounds): flags and trace lines that say a control
// was pressed follow only such presses.
//
// The key messages carry lParam 1 on the key-up too (repeat count 1, no
// transition bits): the clients are known to take exactly that.
//
// Threads: any thread may use these; a SendScope belongs to the thread that
// opened it.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "watchers/MatchRules.h"

namespace watch {

// The threads found hung while a scope lasts. Owned by whoever spans the
// scope (a timer tick keeps one across its scans).
class HungThreads {
 public:
  void Clear() { threads_.clear(); }
  bool Contains(DWORD threadId) const;
  void Add(DWORD threadId);
  bool empty() const { return threads_.empty(); }

 private:
  std::vector<DWORD> threads_;
};

// Makes `hung` the calling thread's current set until destroyed; scopes nest.
// Without a scope every send is still bounded, but a hung thread is tried
// again by the next send.
class SendScope {
 public:
  explicit SendScope(HungThreads& hung);
  ~SendScope();
  SendScope(const SendScope&) = delete;
  SendScope& operator=(const SendScope&) = delete;

 private:
  HungThreads* previous_;
};

// The bound of one send: 1000 ms scaled by the time facility, never below
// kSendFloorMs, so a busy but answering client is not taken for hung when
// time is scaled down.
constexpr DWORD kSendBoundMs = 1000;
constexpr DWORD kSendFloorMs = 500;
DWORD SendBoundMs();

// What became of one bounded send.
enum class SendOutcome {
  kAnswered,  // the client handled it within the bound
  kTimedOut,  // not within the bound: it still waits for the client
  kNotSent,   // the thread was found hung earlier, or the window is gone
};

// A bounded SendMessageA; *result is set only when answered.
SendOutcome SendWithin(HWND window, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result = nullptr);
// The same, true only when answered.
bool SendBounded(HWND window, UINT message, WPARAM wp, LPARAM lp, DWORD_PTR* result = nullptr);
// Whether the window's thread was found hung in the current scope.
bool IsHung(HWND window);

// Each true when the client took the whole pair.
bool SpacePress(HWND control);
bool FocusSpacePress(HWND control);
bool SpaceKeys(HWND control);
bool ClickAt(HWND control, int x, int y);
void FocusOn(HWND control);
// True when the client answered it.
bool SendClose(HWND window);

// The point 5 pixels in from the control's top-left corner, in its client
// coordinates: (5, 5) for a control without a border.
POINT ClickPointInside(HWND control);

// Reads. Sizes are buffer sizes: the text keeps at most size - 1 characters.
constexpr std::size_t kTextBuffer = 256;
constexpr std::size_t kShortTextBuffer = 64;
// WM_GETTEXT into `bufferSize` bytes; false (and `text` empty) when the
// client did not answer: an unread text is not an empty one.
bool TryReadText(HWND control, std::string& text, std::size_t bufferSize = kTextBuffer);
// The same, empty when the read failed.
std::string ReadText(HWND control, std::size_t bufferSize = kTextBuffer);
// GetClassNameA into `bufferSize` bytes.
std::string ReadClass(HWND control, std::size_t bufferSize = kTextBuffer);
// GetWindowTextA into `bufferSize` bytes (16: the first 15 characters of the
// caption). Sends nothing to a window of another process.
std::string ReadCaption(HWND control, std::size_t bufferSize = kCaptionBuffer);

}  // namespace watch

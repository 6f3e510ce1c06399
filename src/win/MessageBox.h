#pragma once
// Every message box of the program goes through here, so that tests can see
// and answer them without a real modal loop, and so that Exit can end a box a
// launcher thread is showing. Callable from any thread.
#include <windows.h>

#include <functional>
#include <memory>

namespace win {

// Answers a box instead of showing it: gets what MessageBoxA would get and
// returns the button pressed.
using MessageBoxHandler =
    std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;

// Lets one thread end the boxes other threads show with it: Exit ends the box
// of a launcher thread this way, so the launcher does not go on using what
// Exit frees. Once ended, later boxes shown with it return at once. The ender
// must outlive every box shown with it.
class MessageBoxEnder {
 public:
  MessageBoxEnder();
  ~MessageBoxEnder();
  MessageBoxEnder(const MessageBoxEnder&) = delete;
  MessageBoxEnder& operator=(const MessageBoxEnder&) = delete;

  // Ends every box shown with this ender now; from any thread.
  void EndAll();
  bool Ended() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
  friend int ShowMessageBox(HWND, const char*, const char*, UINT, MessageBoxEnder*);
  friend bool WaitWhileMessageBoxUp(DWORD);
};

// Shows `text` (a real MessageBoxA unless a handler is installed). With an
// ender, another thread may end the box: it then returns what closing it
// would (IDOK for an OK box, IDCANCEL or IDNO where the box has them).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type,
                   MessageBoxEnder* ender = nullptr);

// Installs a handler for the whole process; an empty one restores real boxes.
// Returns the handler it replaced.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// For a handler that stands in for a box the user leaves up: waits up to
// `ms` real milliseconds; true as soon as the box being handled on this
// thread is ended through its ender (false at once when it has none).
bool WaitWhileMessageBoxUp(DWORD ms);

}  // namespace win

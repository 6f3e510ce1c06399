#pragma once
// Drives a modal dialog from inside its own loop: the script runs as soon
// as this thread shows a modal dialog (an enabled dialog window whose owner
// it has disabled), on a thread timer that its message loop dispatches.
// One script waits at a time; a running script may set up the next one for
// a dialog it is about to open.
#include <windows.h>

#include <functional>

namespace testing_support {

class ModalScript {
 public:
  explicit ModalScript(std::function<void(HWND dialog)> script, DWORD limitMs = 10000);
  // The same for a dialog `find` finds (null while there is none): one shown
  // without an owner, for instance.
  ModalScript(std::function<HWND()> find, std::function<void(HWND dialog)> script, DWORD limitMs = 10000);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  bool ran() const { return ran_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  std::function<HWND()> find_;
  std::function<void(HWND)> script_;
  DWORD start_;
  DWORD limitMs_;
  UINT_PTR timer_ = 0;
  bool ran_ = false;
};

// The modal dialog this thread shows on top, or null.
HWND FindModalDialog();

// Presses a button of a dialog as a click would.
void Press(HWND dialog, int id);

}  // namespace testing_support

#pragma once
// Base of every plain (non-dialog) window of the program. A static thunk
// stores `this` at WM_NCCREATE and routes each message to OnMessage; what a
// handler leaves unhandled goes to DefWindowProcA. Exceptions never cross
// into user32.
#include <windows.h>

namespace win {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Registers `className` once per process (if needed) and creates the window.
  bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
              int y, int width, int height, HWND parent, HMENU menuOrId);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

 protected:
  // Returns true when handled; `result` is then returned from the window
  // procedure.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
  // Called once from WM_NCDESTROY, after which hwnd() is null.
  virtual void OnFinalDestroy() {}

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace win

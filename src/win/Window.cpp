#include "win/Window.h"

namespace win {

Window::~Window() { Destroy(); }

bool Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing = {};
  if (!GetClassInfoA(instance, className, &existing)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) return false;
  }
  HWND h = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                           menuOrId, instance, this);
  return h != nullptr;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);

  LRESULT result = 0;
  bool handled = false;
  try {
    handled = self->OnMessage(msg, wp, lp, result);
  } catch (...) {
    handled = false;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnFinalDestroy();
    } catch (...) {
    }
  }
  return handled ? result : DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace win

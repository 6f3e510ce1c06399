#pragma once
// A tab control of a dialog: tabs counted from 0, -1 for "none".
#include <windows.h>
#include <commctrl.h>

namespace win {

class TabControl {
 public:
  TabControl() = default;
  explicit TabControl(HWND control) : hwnd_(control) {}
  void Attach(HWND control) { hwnd_ = control; }
  HWND hwnd() const { return hwnd_; }

  int Count() const;
  // A text tab without an image; returns its index or -1.
  int Insert(int index, const char* text);
  void DeleteAll();
  int Current() const;
  // Selects a tab without the TCN_SELCHANGING / TCN_SELCHANGE notifications.
  void SetCurrent(int index);
  // The tab's rectangle in the control's client coordinates.
  RECT ItemRect(int index) const;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace win

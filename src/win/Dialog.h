#pragma once
// Base of every dialog made from an .rc template. Modeless and modal dialogs
// differ only in how they end: OnOK/OnCancel end a modal loop, and destroy a
// modeless window (subclasses override them, e.g. to hide instead).
#include <windows.h>

namespace win {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  bool CreateModeless(int templateId, HWND parent);
  INT_PTR RunModal(int templateId, HWND parent);
  void EndModal(INT_PTR result);
  void Destroy();

  HWND hwnd() const { return hwnd_; }
  bool IsModal() const { return modal_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  void SetItemText(int id, const char* text) const { SetDlgItemTextA(hwnd_, id, text); }
  // Copies at most size-1 characters; the text is always terminated.
  void GetItemText(int id, char* buf, int size) const;

 protected:
  // WM_INITDIALOG; return FALSE when focus was set by the handler.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  virtual bool OnTimer(UINT_PTR id) { return false; }
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) { return false; }
  virtual void OnOK();
  virtual void OnCancel();
  // WM_DESTROY, while the window still exists.
  virtual void OnDestroy() {}
  // After WM_NCDESTROY; hwnd() is null.
  virtual void OnFinalDestroy() {}

 private:
  static INT_PTR CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Route(UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace win

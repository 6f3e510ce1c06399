#pragma once
// Base of every dialog made from an .rc template. Modeless and modal dialogs
// differ only in how they end: OnOK/OnCancel end a modal loop, and destroy a
// modeless window (subclasses override them, e.g. to hide instead).
#include <windows.h>

#include <string>

namespace win {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  bool CreateModeless(int templateId, HWND parent);
  // Runs the dialog's own modal loop. Refused (IDCANCEL at once) while the
  // chain of windows that would own it is being ended (win/ModalChain.h).
  INT_PTR RunModal(int templateId, HWND parent);
  void EndModal(INT_PTR result);
  void Destroy();

  HWND hwnd() const { return hwnd_; }
  bool IsModal() const { return modal_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  void SetItemText(int id, const char* text) const { SetDlgItemTextA(hwnd_, id, text); }
  // Copies at most size-1 characters; the text is always terminated.
  void GetItemText(int id, char* buf, int size) const;
  // The whole text of a control, however long.
  std::string ItemText(int id) const;
  bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void SetChecked(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  void EnableItem(int id, bool on) const { EnableWindow(Item(id), on ? TRUE : FALSE); }
  void ShowItem(int id, bool on) const { ShowWindow(Item(id), on ? SW_SHOW : SW_HIDE); }
  // Caps what the user can type or paste into an edit control.
  void LimitText(int id, int chars) const;

 protected:
  // WM_INITDIALOG; return FALSE when focus was set by the handler.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  virtual bool OnTimer(UINT_PTR id) { return false; }
  // Returns true when handled. `result` is the message's answer: for the
  // messages whose answer is the dialog procedure's own return value
  // (WM_CTLCOLOR*, WM_QUERYDRAGICON, WM_COMPAREITEM, ...) it is returned as
  // is; for every other message it goes to DWLP_MSGRESULT.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) { return false; }
  virtual void OnOK();
  virtual void OnCancel();
  // WM_DESTROY, while the window still exists.
  virtual void OnDestroy() {}
  // After WM_NCDESTROY; hwnd() is null.
  virtual void OnFinalDestroy() {}

  // The dialog procedure of `self` for a window whose WM_INITDIALOG does not
  // carry `this` (property sheet pages): call with `self` at WM_INITDIALOG and
  // with nullptr afterwards.
  static INT_PTR Dispatch(Dialog* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  static INT_PTR CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Route(UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// Messages whose answer a dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
bool AnswersByReturnValue(UINT msg);

}  // namespace win

#include "win/Dialog.h"

namespace win {

Dialog::~Dialog() { Destroy(); }

bool Dialog::CreateModeless(int templateId, HWND parent) {
  modal_ = false;
  HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                              &Dialog::Thunk, reinterpret_cast<LPARAM>(this));
  return h != nullptr;
}

INT_PTR Dialog::RunModal(int templateId, HWND parent) {
  modal_ = true;
  INT_PTR rc = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                               &Dialog::Thunk, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return rc;
}

void Dialog::EndModal(INT_PTR result) {
  if (hwnd_ && modal_) EndDialog(hwnd_, result);
}

void Dialog::Destroy() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

void Dialog::GetItemText(int id, char* buf, int size) const {
  if (!buf || size <= 0) return;
  buf[0] = '\0';
  GetDlgItemTextA(hwnd_, id, buf, size);
  buf[size - 1] = '\0';
}

bool Dialog::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void Dialog::OnOK() {
  if (modal_) EndModal(IDOK);
  else Destroy();
}

void Dialog::OnCancel() {
  if (modal_) EndModal(IDCANCEL);
  else Destroy();
}

INT_PTR Dialog::Route(UINT msg, WPARAM wp, LPARAM lp) {
  INT_PTR result = 0;
  if (OnMessage(msg, wp, lp, result)) {
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_TIMER:
      return OnTimer(wp) ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Dialog::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;

  INT_PTR rc = FALSE;
  try {
    rc = self->Route(msg, wp, lp);
  } catch (...) {
    rc = FALSE;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnFinalDestroy();
    } catch (...) {
    }
  }
  return rc;
}

}  // namespace win

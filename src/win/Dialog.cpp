#include "win/Dialog.h"

#include "win/ModalChain.h"

namespace win {

Dialog::~Dialog() { Destroy(); }

bool Dialog::CreateModeless(int templateId, HWND parent) {
  modal_ = false;
  HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                              &Dialog::Thunk, reinterpret_cast<LPARAM>(this));
  return h != nullptr;
}

INT_PTR Dialog::RunModal(int templateId, HWND parent) {
  if (IsModalChainEnding(parent)) return IDCANCEL;
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

std::string Dialog::ItemText(int id) const {
  HWND item = Item(id);
  if (!item) return {};
  const int length = GetWindowTextLengthA(item);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(item, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void Dialog::LimitText(int id, int chars) const {
  SendDlgItemMessageA(hwnd_, id, EM_LIMITTEXT, static_cast<WPARAM>(chars), 0);
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

bool AnswersByReturnValue(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

INT_PTR Dialog::Route(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) ForgetModalChainEnding(hwnd_);
  INT_PTR result = 0;
  if (OnMessage(msg, wp, lp, result)) {
    if (AnswersByReturnValue(msg)) return result;
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

INT_PTR Dialog::Dispatch(Dialog* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG && self) {
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
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

INT_PTR CALLBACK Dialog::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = msg == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lp) : nullptr;
  return Dispatch(self, hwnd, msg, wp, lp);
}

}  // namespace win

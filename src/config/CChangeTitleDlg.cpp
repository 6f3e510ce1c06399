#include "config/CChangeTitleDlg.h"

#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"

INT_PTR CChangeTitleDlg::Run(HWND owner) {
  title_.clear();
  return RunModal(IDD_CHANGE_TITLE, owner);
}

BOOL CChangeTitleDlg::OnInitDialog() {
  LimitText(IDC_TITLE_TEXT, static_cast<int>(config::kMaxTitle));
  return TRUE;
}

void CChangeTitleDlg::OnOK() {
  const std::string text = ItemText(IDC_TITLE_TEXT);
  const std::string refusal = config::LengthMessage(text, config::kMaxTitle);
  if (!refusal.empty()) {
    config::ShowMessage(hwnd(), refusal, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(IDC_TITLE_TEXT));
    return;
  }
  title_ = text;
  win::Dialog::OnOK();
}

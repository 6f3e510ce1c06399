#include "config/CListEditDlg.h"

#include "config/ConfigMessageBox.h"
#include "res/resource.h"
#include "win/ComboBox.h"

CListEditDlg::CListEditDlg(const config::ListEditUse& use, std::vector<std::string> entries)
    : use_(use), entries_(std::move(entries)) {}

INT_PTR CListEditDlg::Run(HWND owner) {
  result_.clear();
  return RunModal(IDD_LIST_EDIT, owner);
}

BOOL CListEditDlg::OnInitDialog() {
  SetWindowTextA(hwnd(), use_.title);
  SetItemText(IDC_LIST_ADD_LABEL, use_.addLabel);
  SetItemText(IDC_LIST_DELETE_LABEL, use_.deleteLabel);
  LimitText(IDC_LIST_ADD_TEXT, static_cast<int>(use_.maxLength));
  win::ComboFill(Item(IDC_LIST_ENTRIES), entries_);
  SendDlgItemMessageA(hwnd(), IDC_LIST_ENTRIES, CB_SETCURSEL, 0, 0);
  return TRUE;
}

bool CListEditDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_LIST_ADD && code == BN_CLICKED) {
    Add();
    return true;
  }
  if (id == IDC_LIST_DELETE && code == BN_CLICKED) {
    Delete();
    return true;
  }
  return win::Dialog::OnCommand(id, code, control);
}

void CListEditDlg::Add() {
  const std::string text = ItemText(IDC_LIST_ADD_TEXT);
  const std::string refusal = config::ListEntryMessage(use_, text);
  if (!refusal.empty()) {
    config::ShowMessage(hwnd(), refusal, MB_OK);
    SetFocus(Item(IDC_LIST_ADD_TEXT));
    return;
  }
  SendDlgItemMessageA(hwnd(), IDC_LIST_ENTRIES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SetItemText(IDC_LIST_ADD_TEXT, "");
}

void CListEditDlg::Delete() {
  const LRESULT selected = SendDlgItemMessageA(hwnd(), IDC_LIST_ENTRIES, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    config::ShowMessage(hwnd(), config::kNothingToDelete, MB_OK);
    return;
  }
  SendDlgItemMessageA(hwnd(), IDC_LIST_ENTRIES, CB_DELETESTRING, selected, 0);
  SendDlgItemMessageA(hwnd(), IDC_LIST_ENTRIES, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void CListEditDlg::OnOK() {
  result_ = win::ComboItems(Item(IDC_LIST_ENTRIES));
  win::Dialog::OnOK();
}

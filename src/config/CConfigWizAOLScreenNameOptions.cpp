#include "config/CConfigWizAOLScreenNameOptions.h"

#include "config/CConfigWizPSheet.h"
#include "config/CListEditDlg.h"
#include "config/WizardTexts.h"
#include "res/resource.h"
#include "win/ComboBox.h"

CConfigWizAOLScreenNameOptions::CConfigWizAOLScreenNameOptions(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_AOL_SCREEN_NAMES, sheet) {}

bool CConfigWizAOLScreenNameOptions::IsCs() const {
  return sheet_.answers().kind == config::IspKind::Cs2000;
}
int CConfigWizAOLScreenNameOptions::PictureId() const { return IsCs() ? IDB_WIZ_CS2000 : IDB_WIZ_AOL; }

bool CConfigWizAOLScreenNameOptions::OnLoad() {
  const settings::SignOnClient client = IsCs() ? settings::SignOnClient::Cs : settings::SignOnClient::Aol;
  SetItemText(IDC_WIZ_SIGNON_QUESTION, (IsCs() ? config::CsTexts() : config::AolTexts()).signOnQuestion);
  DWORD signOn = 0;
  store().ReadFlag(IsCs() ? settings::kCsSignOn : settings::kAolSignOn, signOn);
  SetYes(IDC_WIZ_SIGNON_YES, IDC_WIZ_SIGNON_NO, signOn == 1);
  DWORD useName = 0;
  std::string defaultName;
  std::vector<std::string> names;
  store().ReadScreenNames(client, useName, defaultName, names);
  HWND combo = Item(IDC_SIGNON_NAMES);
  win::ComboFill(combo, names);
  if (!win::ComboSelectExact(combo, defaultName)) SendMessageA(combo, CB_SETCURSEL, 0, 0);
  EnableNames();
  return true;
}

void CConfigWizAOLScreenNameOptions::EnableNames() {
  const bool signOn = IsChecked(IDC_WIZ_SIGNON_YES);
  for (int id : {IDC_WIZ_NAMES_LABEL, IDC_SIGNON_NAMES, IDC_SIGNON_SCREEN_NAMES}) EnableItem(id, signOn);
}

bool CConfigWizAOLScreenNameOptions::OnCommand(WORD id, WORD code, HWND control) {
  if ((id == IDC_WIZ_SIGNON_YES || id == IDC_WIZ_SIGNON_NO) && code == BN_CLICKED) {
    EnableNames();
    return true;
  }
  if (id == IDC_SIGNON_SCREEN_NAMES && code == BN_CLICKED) {
    EditNames();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

void CConfigWizAOLScreenNameOptions::EditNames() {
  HWND combo = Item(IDC_SIGNON_NAMES);
  CListEditDlg edit(config::kScreenNameUse, win::ComboItems(combo));
  if (edit.Run(hwnd()) != IDOK) return;
  const std::string previous = win::ComboSelection(combo);
  win::ComboFill(combo, edit.result());
  if (!win::ComboSelectExact(combo, previous)) SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

bool CConfigWizAOLScreenNameOptions::OnNext() {
  config::ClientAnswers& a = IsCs() ? answers().cs : answers().aol;
  a.signOn = IsChecked(IDC_WIZ_SIGNON_YES);
  a.names.clear();
  for (std::string& name : win::ComboItems(Item(IDC_SIGNON_NAMES)))
    if (!name.empty()) a.names.push_back(std::move(name));
  a.defaultName = win::ComboSelection(Item(IDC_SIGNON_NAMES));
  return true;
}

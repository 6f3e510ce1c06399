#include "config/CSignOnPage.h"

#include "config/CListEditDlg.h"
#include "res/resource.h"
#include "win/ComboBox.h"
#include "win/FileOpenDialog.h"

CSignOnPage::CSignOnPage(int templateId, SettingsStore& store, PageSet* pages, const SignOnLayout& layout)
    : ConfigPage(templateId, store, pages), layout_(layout) {}

bool CSignOnPage::OnLoad() {
  LimitText(layout_.path, static_cast<int>(config::kMaxClientPath));
  SetChecked(layout_.stayOnline, store_.Read(layout_.stayOnlineSetting) == 1);
  DWORD launch = 0;
  std::string path;
  store_.ReadBrowserLaunch(layout_.client, launch, path);
  SetChecked(layout_.launch, launch == 1);
  SetItemText(layout_.path, path.c_str());
  SetChecked(layout_.atStartup, store_.Read(layout_.dialAtStartup) == 1);
  DWORD signOn = 0;
  store_.ReadFlag(layout_.signOnSetting, signOn);
  SetChecked(layout_.signOn, signOn == 1);
  SetChecked(IDC_SIGNON_RECONNECT, store_.Read(layout_.autoRedial) == 1);

  DWORD useName = 0;
  std::string defaultName;
  std::vector<std::string> names;
  store_.ReadScreenNames(layout_.client, useName, defaultName, names);
  SetChecked(layout_.useName, useName == 1);
  win::ComboFill(Item(IDC_SIGNON_NAMES), names);
  win::ComboSelectExact(Item(IDC_SIGNON_NAMES), defaultName);
  ApplyEnableRules();
  return true;
}

void CSignOnPage::ApplyEnableRules() {
  const bool stay = IsStayOnline();
  const bool launch = stay && IsLaunch();
  const bool signOn = launch && IsSignOn();
  const bool useName = signOn && IsChecked(layout_.useName);
  EnableItem(layout_.launch, stay);
  EnableItem(IDC_SIGNON_RECONNECT, stay);
  if (layout_.advanced) EnableItem(layout_.advanced, stay);
  for (int id : {layout_.path, layout_.browse, layout_.atStartup, layout_.signOn, IDC_SIGNON_PATH_LABEL})
    EnableItem(id, launch);
  EnableItem(layout_.useName, signOn);
  EnableItem(IDC_SIGNON_NAMES, useName);
  EnableItem(IDC_SIGNON_SCREEN_NAMES, useName);
}

void CSignOnPage::SwitchOff() {
  SetChecked(layout_.stayOnline, false);
  ApplyEnableRules();
  UpdateFollowers();
}

bool CSignOnPage::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED) {
    if (id == layout_.stayOnline) {
      if (IsStayOnline() && pages_) WroteAtOnce(TurnOtherClientOff());
      ApplyEnableRules();
      UpdateFollowers();
      Changed();
      return true;
    }
    if (id == layout_.launch || id == layout_.signOn || id == layout_.useName) {
      ApplyEnableRules();
      UpdateFollowers();
      Changed();
      return true;
    }
    if (id == layout_.atStartup) {
      if (IsAtStartup() && pages_)
        WroteAtOnce(store_.Write(settings::kConnection, settings::kConnectionManual));
      Changed();
      return true;
    }
    if (id == IDC_SIGNON_RECONNECT) {
      Changed();
      return true;
    }
    if (id == layout_.browse) {
      Browse();
      return true;
    }
    if (id == IDC_SIGNON_SCREEN_NAMES) {
      EditScreenNames();
      return true;
    }
    if (layout_.advanced && id == layout_.advanced) {
      OnAdvanced();
      return true;
    }
  }
  if ((id == layout_.path && code == EN_CHANGE) || (id == IDC_SIGNON_NAMES && code == CBN_SELCHANGE)) {
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

void CSignOnPage::Browse() {
  std::string path;
  if (!win::AskFileToOpen(hwnd(), layout_.browseDefaultName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          config::kMaxClientPath, path))
    return;
  SetItemText(layout_.path, path.c_str());
  Changed();
}

void CSignOnPage::EditScreenNames() {
  HWND combo = Item(IDC_SIGNON_NAMES);
  CListEditDlg edit(config::kScreenNameUse, win::ComboItems(combo));
  if (edit.Run(hwnd()) != IDOK) return;
  const std::string previous = win::ComboSelection(combo);
  win::ComboFill(combo, edit.result());
  win::ComboSelectExact(combo, previous);
  Changed();
}

ConfigPage::SaveResult CSignOnPage::OnSave() {
  const bool launch = IsLaunch();
  const std::string path = ItemText(layout_.path);
  SaveResult refusal;
  if (launch && path.empty()) return RefuseWith(layout_.path, layout_.pathNeeded, MB_OK | MB_ICONINFORMATION);
  if (!FitsLength(layout_.path, config::kMaxClientPath, refusal)) return refusal;

  bool ok = store_.Write(layout_.stayOnlineSetting, IsStayOnline() ? 1 : 0);
  if (launch) {
    ok = store_.WriteBrowserLaunch(layout_.client, 1, path) && ok;
    if (IsAtStartup()) {
      ok = store_.Write(layout_.dialAtStartup, 1) && ok;
      ok = WriteWinStartOn() && ok;
    } else {
      ok = store_.Write(layout_.dialAtStartup, 0) && ok;
    }
    ok = store_.Write(layout_.signOnSetting, IsSignOn() ? 1 : 0) && ok;
  } else {
    ok = store_.WriteBrowserLaunch(layout_.client, 0, std::string()) && ok;  // keeps the stored path
  }
  ok = store_.Write(layout_.autoRedial, IsChecked(IDC_SIGNON_RECONNECT) ? 1 : 0) && ok;
  std::vector<std::string> names;
  for (std::string& name : win::ComboItems(Item(IDC_SIGNON_NAMES)))
    if (!name.empty()) names.push_back(std::move(name));
  ok = store_.WriteScreenNames(layout_.client, IsChecked(layout_.useName) ? 1 : 0,
                               win::ComboSelection(Item(IDC_SIGNON_NAMES)), names) && ok;
  return WrittenIf(ok);
}

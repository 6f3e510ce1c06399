#include "config/CSignOnPage.h"

#include "config/CListEditDlg.h"
#include "res/resource.h"
#include "win/ComboBox.h"
#include "win/FileOpenDialog.h"

CSignOnPage::CSignOnPage(int templateId, SettingsStore& store, PageSet* pages, const SignOnLayout& layout)
    : ConfigPage(templateId, store, pages), layout_(layout) {}

namespace {

// The program path and the screen names, noted as the page shows them.
constexpr const char* kPathName = "program path";
constexpr const char* kNamesName = "screen names";

}  // namespace

bool CSignOnPage::OnLoad() {
  LimitText(layout_.path, static_cast<int>(config::kMaxClientPath));
  LoadBox(layout_.stayOnline, layout_.stayOnlineSetting);
  DWORD launch = 0;
  std::string path;
  store_.ReadBrowserLaunch(layout_.client, launch, path);
  SetChecked(layout_.launch, launch == 1);
  SetItemText(layout_.path, path.c_str());
  Loaded(layout_.launchSetting, launch == 1 ? 1 : 0);
  Loaded(kPathName, ItemText(layout_.path));
  LoadBox(layout_.atStartup, layout_.dialAtStartup);
  DWORD signOn = 0;
  store_.ReadFlag(layout_.signOnSetting, signOn);
  SetChecked(layout_.signOn, signOn == 1);
  Loaded(layout_.signOnSetting, signOn == 1 ? 1 : 0);
  LoadBox(IDC_SIGNON_RECONNECT, layout_.autoRedial);

  DWORD useName = 0;
  std::string defaultName;
  std::vector<std::string> names;
  store_.ReadScreenNames(layout_.client, useName, defaultName, names);
  SetChecked(layout_.useName, useName == 1);
  Loaded(layout_.useNameSetting, useName == 1 ? 1 : 0);
  win::ComboFill(Item(IDC_SIGNON_NAMES), names);
  win::ComboSelectExact(Item(IDC_SIGNON_NAMES), defaultName);
  Loaded(kNamesName, ShownNames());
  ApplyEnableRules();
  return true;
}

std::vector<std::string> CSignOnPage::NamesToStore() const {
  std::vector<std::string> names;
  for (std::string& name : win::ComboItems(Item(IDC_SIGNON_NAMES)))
    if (!name.empty()) names.push_back(std::move(name));
  return names;
}

std::string CSignOnPage::ShownNames() const {
  return Joined(NamesToStore()) + "default " + win::ComboSelection(Item(IDC_SIGNON_NAMES));
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
  Loaded(layout_.stayOnlineSetting, 0);  // what the rule writes at once
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

  bool ok = WriteIfNew(layout_.stayOnlineSetting, IsStayOnline() ? 1 : 0);
  if (launch) {
    // The pair goes together; an unchanged path stays as stored.
    const bool newPath = Differs(kPathName, path);
    if (newPath || Differs(layout_.launchSetting, 1)) {
      const bool written = store_.WriteBrowserLaunch(layout_.client, 1, newPath ? path : std::string());
      if (written) {
        Loaded(layout_.launchSetting, 1);
        Loaded(kPathName, path);
      }
      ok = written && ok;
    }
    const bool atStartup = IsAtStartup();
    ok = WriteIfNew(layout_.dialAtStartup, atStartup ? 1 : 0) && ok;
    if (atStartup) ok = WriteWinStartOn() && ok;
    ok = WriteIfNew(layout_.signOnSetting, IsSignOn() ? 1 : 0) && ok;
  } else {
    ok = WriteIfNew(Named(layout_.launchSetting), "0",
                    [&] { return store_.WriteBrowserLaunch(layout_.client, 0, std::string()); }) &&
         ok;  // keeps the stored path
  }
  ok = WriteIfNew(layout_.autoRedial, IsChecked(IDC_SIGNON_RECONNECT) ? 1 : 0) && ok;
  const DWORD useName = IsChecked(layout_.useName) ? 1 : 0;
  if (Differs(kNamesName, ShownNames())) {
    // The list, its default and the flag are one write.
    const bool written = store_.WriteScreenNames(layout_.client, useName,
                                                 win::ComboSelection(Item(IDC_SIGNON_NAMES)), NamesToStore());
    if (written) {
      Loaded(layout_.useNameSetting, useName);
      Loaded(kNamesName, ShownNames());
    }
    ok = written && ok;
  } else {
    ok = WriteIfNew(layout_.useNameSetting, useName) && ok;
  }
  return WrittenIf(ok);
}

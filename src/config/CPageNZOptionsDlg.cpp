#include "config/CPageNZOptionsDlg.h"

#include "config/CrossPageRules.h"
#include "res/resource.h"
#include "win/ComboBox.h"
#include "win/FileOpenDialog.h"

CPageNZOptionsDlg::CPageNZOptionsDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_NZ_OPTIONS, store, pages) {}

bool CPageNZOptionsDlg::IsNetZeroChecked() const { return IsChecked(IDC_NZ_STAY_ONLINE); }
bool CPageNZOptionsDlg::IsUseDialerChecked() const { return IsChecked(IDC_NZ_USE_DIALER); }

bool CPageNZOptionsDlg::OnLoad() {
  LimitText(IDC_NZ_PATH, static_cast<int>(config::kMaxStoredText));
  LoadBox(IDC_NZ_STAY_ONLINE, settings::kNetZeroStayOnline);
  std::vector<std::string> versions(std::begin(settings::kNetZeroVersions), std::end(settings::kNetZeroVersions));
  HWND combo = Item(IDC_NZ_VERSION);
  win::ComboFill(combo, versions);
  std::string version;
  store_.Read(settings::kNetZeroVersion, version);
  Loaded(settings::kNetZeroVersion, version);
  if (version.empty()) SendMessageA(combo, CB_SETCURSEL, versions.size() - 1, 0);
  else win::ComboSelectExact(combo, version);
  LoadBox(IDC_NZ_USE_DIALER, settings::kNetZeroUseDialer);
  std::string path;
  store_.Read(settings::kNetZeroProgramPath, path);
  SetItemText(IDC_NZ_PATH, path.empty() ? config::kNetZeroPathPlaceholder : path.c_str());
  Loaded(settings::kNetZeroProgramPath, config::NetZeroPathFromField(ItemText(IDC_NZ_PATH)));
  LoadBox(IDC_NZ_RECONNECT, settings::kNetZeroAutoRedial);
  LoadBox(IDC_NZ_AT_STARTUP, settings::kNetZeroDialAtStartup);
  DWORD trayDial = 0;
  store_.ReadFlag(settings::kNetZeroTrayDial, trayDial);
  SetChecked(IDC_NZ_TRAY_DIAL, trayDial == 1);
  Loaded(settings::kNetZeroTrayDial, trayDial == 1 ? 1 : 0);
  ApplyEnableRules();
  return true;
}

void CPageNZOptionsDlg::ApplyEnableRules() {
  const bool netZero = IsNetZeroChecked();
  const bool dialer = netZero && IsUseDialerChecked();
  for (int id : {IDC_NZ_VERSION, IDC_NZ_VERSION_LABEL, IDC_NZ_USE_DIALER, IDC_NZ_RECONNECT})
    EnableItem(id, netZero);
  for (int id : {IDC_NZ_AT_STARTUP, IDC_NZ_TRAY_DIAL, IDC_NZ_PATH, IDC_NZ_BROWSE, IDC_NZ_PATH_LABEL})
    EnableItem(id, dialer);
}

void CPageNZOptionsDlg::SwitchOff(bool alsoAtStartup) {
  SetChecked(IDC_NZ_STAY_ONLINE, false);
  SetChecked(IDC_NZ_USE_DIALER, false);
  SetChecked(IDC_NZ_TRAY_DIAL, false);
  if (alsoAtStartup) SetChecked(IDC_NZ_AT_STARTUP, false);
  ApplyEnableRules();
  // What the rule writes at once is what the page now shows.
  for (const settings::DwordSetting* off :
       {&settings::kNetZeroStayOnline, &settings::kNetZeroUseDialer, &settings::kNetZeroTrayDial})
    Loaded(*off, 0);
  if (alsoAtStartup) Loaded(settings::kNetZeroDialAtStartup, 0);
}

bool CPageNZOptionsDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_NZ_STAY_ONLINE:
        if (IsNetZeroChecked() && pages_) {
          bool written = rules::IspDialerOff(*pages_, store_, /*netZeroForm=*/true);
          written = rules::AttOff(*pages_, store_) && written;
          written = rules::MsnOff(*pages_, store_) && written;
          WroteAtOnce(written);
        }
        ApplyEnableRules();
        Changed();
        return true;
      case IDC_NZ_USE_DIALER:
        // Only "Tetherly! with NetZero" takes the NetZero form of the rule.
        if (IsUseDialerChecked() && pages_)
          WroteAtOnce(rules::IspDialerOff(*pages_, store_, /*netZeroForm=*/false));
        ApplyEnableRules();
        Changed();
        return true;
      case IDC_NZ_RECONNECT:
      case IDC_NZ_AT_STARTUP:
      case IDC_NZ_TRAY_DIAL:
        Changed();
        return true;
      case IDC_NZ_BROWSE:
        Browse();
        return true;
      default:
        break;
    }
  }
  if ((id == IDC_NZ_PATH && code == EN_CHANGE) || (id == IDC_NZ_VERSION && code == CBN_SELCHANGE)) {
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

void CPageNZOptionsDlg::Browse() {
  std::string path;
  if (!win::AskFileToOpen(hwnd(), "nzStart.exe", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          config::kMaxStoredText, path))
    return;
  SetItemText(IDC_NZ_PATH, path.c_str());
  Changed();
}

ConfigPage::SaveResult CPageNZOptionsDlg::OnSave() {
  if (!IsNetZeroChecked()) return WrittenIf(WriteIfNew(settings::kNetZeroStayOnline, 0));

  bool ok = true;
  if (IsUseDialerChecked()) {
    // The placeholder only says that no path is set.
    const std::string path = config::NetZeroPathFromField(ItemText(IDC_NZ_PATH));
    if (path.empty()) return RefuseWith(IDC_NZ_PATH, config::kNetZeroPathNeeded, MB_OK | MB_ICONINFORMATION);
    SaveResult refusal;
    if (!FitsLength(IDC_NZ_PATH, config::kMaxStoredText, refusal)) return refusal;
    if (!WriteIfNew(settings::kNetZeroProgramPath, path)) return SaveResult::Failed;
    const bool atStartup = IsChecked(IDC_NZ_AT_STARTUP);
    ok = WriteIfNew(settings::kNetZeroDialAtStartup, atStartup ? 1 : 0) && ok;
    if (atStartup) ok = WriteWinStartOn() && ok;
    ok = WriteIfNew(settings::kNetZeroTrayDial, IsChecked(IDC_NZ_TRAY_DIAL) ? 1 : 0) && ok;
    ok = WriteIfNew(settings::kNetZeroUseDialer, 1) && ok;
  } else {
    ok = WriteIfNew(settings::kNetZeroUseDialer, 0) && ok;
  }
  const std::string version = win::ComboSelection(Item(IDC_NZ_VERSION));
  if (!version.empty()) ok = WriteIfNew(settings::kNetZeroVersion, version) && ok;
  ok = WriteIfNew(settings::kNetZeroAutoRedial, IsChecked(IDC_NZ_RECONNECT) ? 1 : 0) && ok;
  ok = WriteIfNew(settings::kNetZeroStayOnline, 1) && ok;
  return WrittenIf(ok);
}

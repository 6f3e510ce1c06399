#include "config/CConfigWizNZDialer.h"

#include "config/CConfigWizPSheet.h"
#include "config/ConfigTexts.h"
#include "config/WizardTexts.h"
#include "res/resource.h"
#include "win/ComboBox.h"
#include "win/FileOpenDialog.h"

namespace {

constexpr int kDialerControls[] = {IDC_WIZ_NZ_TRAY_QUESTION, IDC_WIZ_NZ_TRAY_YES,   IDC_WIZ_NZ_TRAY_NO,
                                   IDC_WIZ_NZ_STARTUP_QUESTION, IDC_WIZ_NZ_STARTUP_YES, IDC_WIZ_NZ_STARTUP_NO,
                                   IDC_WIZ_NZ_PATH_LABEL, IDC_NZ_PATH, IDC_NZ_BROWSE};

}  // namespace

CConfigWizNZDialer::CConfigWizNZDialer(CConfigWizPSheet& sheet) : CConfigWizPage(IDD_WIZ_NZ_DIALER, sheet) {}

int CConfigWizNZDialer::PictureId() const { return IDB_WIZ_NETZERO; }

bool CConfigWizNZDialer::OnLoad() {
  LimitText(IDC_NZ_PATH, static_cast<int>(config::kMaxStoredText));
  std::vector<std::string> versions(std::begin(settings::kNetZeroVersions), std::end(settings::kNetZeroVersions));
  HWND combo = Item(IDC_NZ_VERSION);
  win::ComboFill(combo, versions);
  std::string version;
  store().Read(settings::kNetZeroVersion, version);
  // No version stored: the newest.
  if (!win::ComboSelectExact(combo, version)) SendMessageA(combo, CB_SETCURSEL, versions.size() - 1, 0);
  SetYes(IDC_WIZ_NZ_DIALER_YES, IDC_WIZ_NZ_DIALER_NO, store().Read(settings::kNetZeroUseDialer) == 1);
  SetYes(IDC_WIZ_NZ_REDIAL_YES, IDC_WIZ_NZ_REDIAL_NO, store().Read(settings::kNetZeroAutoRedial) == 1);
  DWORD trayDial = 0;
  store().ReadFlag(settings::kNetZeroTrayDial, trayDial);
  SetYes(IDC_WIZ_NZ_TRAY_YES, IDC_WIZ_NZ_TRAY_NO, trayDial == 1);
  SetYes(IDC_WIZ_NZ_STARTUP_YES, IDC_WIZ_NZ_STARTUP_NO, store().Read(settings::kNetZeroDialAtStartup) == 1);
  std::string path;
  store().Read(settings::kNetZeroProgramPath, path);
  SetItemText(IDC_NZ_PATH, path.empty() ? config::kNetZeroPathPlaceholder : path.c_str());
  EnableDialerControls();
  return true;
}

void CConfigWizNZDialer::EnableDialerControls() {
  const bool dialer = IsChecked(IDC_WIZ_NZ_DIALER_YES);
  for (int id : kDialerControls) EnableItem(id, dialer);
}

bool CConfigWizNZDialer::OnCommand(WORD id, WORD code, HWND control) {
  if ((id == IDC_WIZ_NZ_DIALER_YES || id == IDC_WIZ_NZ_DIALER_NO) && code == BN_CLICKED) {
    EnableDialerControls();
    return true;
  }
  if (id == IDC_NZ_BROWSE && code == BN_CLICKED) {
    Browse();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

void CConfigWizNZDialer::Browse() {
  std::string path;
  if (!win::AskFileToOpen(hwnd(), "nzStart.exe", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, config::kMaxStoredText,
                          path))
    return;
  SetItemText(IDC_NZ_PATH, path.c_str());
}

bool CConfigWizNZDialer::OnNext() {
  const bool dialer = IsChecked(IDC_WIZ_NZ_DIALER_YES);
  const std::string field = ItemText(IDC_NZ_PATH);
  if (dialer) {
    if (field.empty()) return Refuse(IDC_NZ_PATH, config::kNetZeroPathEmpty);
    if (field == config::kNetZeroPathPlaceholder) return Refuse(IDC_NZ_PATH, config::kNetZeroPathInvalid);
    if (!Fits(IDC_NZ_PATH, config::kMaxStoredText)) return false;
  }
  config::NetZeroAnswers& n = answers().netZero;
  n.stayOnline = true;
  n.useDialer = dialer;
  n.version = win::ComboSelection(Item(IDC_NZ_VERSION));
  n.autoRedial = IsChecked(IDC_WIZ_NZ_REDIAL_YES);
  n.trayDial = dialer && IsChecked(IDC_WIZ_NZ_TRAY_YES);
  n.dialAtStartup = dialer && IsChecked(IDC_WIZ_NZ_STARTUP_YES);
  // Without the dialer a path is kept only when it is a real one that fits.
  const std::string path = config::NetZeroPathFromField(field);
  n.path = dialer || path.size() <= config::kMaxStoredText ? path : std::string();
  return true;
}

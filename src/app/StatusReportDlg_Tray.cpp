// The tray icon's clicks, its right-click menu and the menu's commands.
#include "app/StatusReportDlg.h"

#include <string>

#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/HelpFile.h"
#include "win/MessageBox.h"

namespace {

constexpr int kSignOnPosition = 8;
constexpr int kMaxScreenNames = 7;
constexpr const char* kAskDisconnect = "Are you sure you want to disconnect your dial-up session?";
constexpr const char* kAskConfigureDialer =
    "You have not configured to use modem dialer. Do you want to configure it now?";
// Every grayed item of the menu is disabled as well.
constexpr UINT kGrayed = MF_DISABLED | MF_GRAYED;

bool IsOn(const SettingsStore& store, const settings::DwordSetting& setting) {
  return store.Read(setting) == 1;
}

}  // namespace

int StatusReportDlg::Ask(const char* text, UINT type) {
  if (seams_.prompt.ask) return seams_.prompt.ask(text, type);
  return win::ShowMessageBox(hwnd(), text, "Tetherly!", type);
}

void StatusReportDlg::OnTrayNotify(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONUP) OnLeftClick();
  else if (mouseMessage == WM_RBUTTONUP) ShowTrayMenu();
}

void StatusReportDlg::OnLeftClick() {
  DWORD trayDial = 0;
  store_.ReadFlag(settings::kNetZeroTrayDial, trayDial);
  if (trayDial == 1 && IsOn(store_, settings::kNetZeroUseDialer) &&
      IsOn(store_, settings::kNetZeroStayOnline)) {
    CallSeam(seams_.watchers.toggleNetZeroDialer);
    netZeroDialerStarted_ = true;
  } else if (IsOn(store_, settings::kModemOneStop) && IsOn(store_, settings::kModemUseDialer)) {
    OneStopDialOrHangUp();
  } else {
    ToggleService();
  }
}

void StatusReportDlg::OneStopDialOrHangUp() {
  EnsureDialDialog();
  bool dialing = seams_.dial.isDialing && seams_.dial.isDialing();
  if (!dialing) {
    CallSeam(seams_.dial.startDial);
    return;
  }
  if (!IsOn(store_, settings::kModemPromptToDisconnect) ||
      Ask(kAskDisconnect, MB_YESNO | MB_ICONQUESTION) == IDYES)
    CallSeam(seams_.dial.hangUp);
}

HMENU StatusReportDlg::BuildTrayMenu() {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  if (!menu) return nullptr;
  HMENU popup = GetSubMenu(menu, 0);
  if (!popup) return menu;

  const bool canDial = dialState_ == 1;
  // During a redial's countdown the line is idle, yet Hang Up is how a user
  // whose dial dialog is hidden ends the retries.
  const bool canHangUp = !canDial || (seams_.dial.redialPending && seams_.dial.redialPending());
  EnableMenuItem(popup, cmd::kDial, MF_BYCOMMAND | (canDial ? MF_ENABLED : kGrayed));
  EnableMenuItem(popup, cmd::kHangUp, MF_BYCOMMAND | (canHangUp ? MF_ENABLED : kGrayed));
  if (!IsOn(store_, settings::kNetZeroStayOnline) && !IsOn(store_, settings::kModemUseDialer)) {
    EnableMenuItem(popup, cmd::kDial, MF_BYCOMMAND | kGrayed);
    EnableMenuItem(popup, cmd::kHangUp, MF_BYCOMMAND | kGrayed);
  }

  if (!FillSignOnPopup(popup)) DeleteMenu(popup, kSignOnPosition, MF_BYPOSITION);

  if (mode_ == ConnectionMode::AutoNetSense)
    EnableMenuItem(popup, cmd::kActivateAutoNetSense, MF_BYCOMMAND | kGrayed);
  if (wizardOpen_ || configOpen_) {
    EnableMenuItem(popup, cmd::kConfigurationWizard, MF_BYCOMMAND | kGrayed);
    EnableMenuItem(popup, cmd::kAdvancedConfigurations, MF_BYCOMMAND | kGrayed);
  }
  return menu;
}

// The "SignOn ... Using" popup: the screen names of the client the user
// works with, when that client is launched and signs on with a screen name.
bool StatusReportDlg::FillSignOnPopup(HMENU popup) {
  screenNames_.clear();
  for (std::string& bound : boundNames_) bound.clear();

  settings::SignOnClient client;
  const char* caption = nullptr;
  if (IsOn(store_, settings::kAolStayOnline)) {
    client = settings::SignOnClient::Aol;
    caption = "SignOn AOL Using...";
  } else if (IsOn(store_, settings::kCsStayOnline)) {
    client = settings::SignOnClient::Cs;
    caption = "SignOn CS2000 Using...";
  } else {
    return false;
  }
  const bool aol = client == settings::SignOnClient::Aol;
  DWORD launch = 0, signOn = 0, useName = 0;
  std::string path, defaultName;
  store_.ReadBrowserLaunch(client, launch, path);
  store_.ReadFlag(aol ? settings::kAolSignOn : settings::kCsSignOn, signOn);
  store_.ReadScreenNames(client, useName, defaultName, screenNames_);
  if (!(launch && signOn && useName)) {
    screenNames_.clear();
    return false;
  }

  HMENU names = GetSubMenu(popup, kSignOnPosition);
  ModifyMenuA(popup, kSignOnPosition, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(names),
              caption);
  if (!names) return true;
  const int n = static_cast<int>(std::min<size_t>(screenNames_.size(), kMaxScreenNames));
  for (int i = kMaxScreenNames - 1; i >= n; --i) DeleteMenu(names, i, MF_BYPOSITION);
  for (int k = 0; k < n; ++k) {
    ModifyMenuA(names, k, MF_BYPOSITION | MF_STRING, cmd::kScreenNameFirst + k,
                screenNames_[k].c_str());
    boundNames_[k] = screenNames_[k];
  }
  return true;
}

void StatusReportDlg::ShowTrayMenu() {
  POINT at;
  GetCursorPos(&at);
  HMENU menu = BuildTrayMenu();
  if (!menu) return;
  SetForegroundWindow(hwnd());  // so the menu closes when the user clicks elsewhere
  if (HMENU popup = GetSubMenu(menu, 0))
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void StatusReportDlg::OnDialCommand() {
  if (IsOn(store_, settings::kNetZeroUseDialer) && IsOn(store_, settings::kNetZeroStayOnline)) {
    CallSeam(seams_.watchers.toggleNetZeroDialer);
    netZeroDialerStarted_ = true;
  } else if (IsOn(store_, settings::kModemUseDialer)) {
    EnsureDialDialog();
    bool dialing = seams_.dial.isDialing && seams_.dial.isDialing();
    if (!dialing) CallSeam(seams_.dial.startDial);
  } else if (Ask(kAskConfigureDialer, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    RunConfigDialogFromMenu();
  }
}

void StatusReportDlg::OnHangUpCommand() {
  if (seams_.dial.exists && seams_.dial.exists()) CallSeam(seams_.dial.hangUp);
}

void StatusReportDlg::OnScreenNameCommand(int k) {
  if (k < 0 || k >= kMaxScreenNames || boundNames_[k].empty()) return;
  const std::string name = boundNames_[k];
  // Both clients get the same list and default.
  store_.WriteScreenNames(settings::SignOnClient::Aol, 1, name, screenNames_);
  store_.WriteScreenNames(settings::SignOnClient::Cs, 1, name, screenNames_);
  ToggleService();
}

void StatusReportDlg::RunWizardFromMenu() {
  if (!seams_.config.runWizard || wizardOpen_ || configOpen_) return;
  wizardOpen_ = true;
  INT_PTR result = seams_.config.runWizard(false);
  wizardOpen_ = false;
  if (result == kWizardFinished && hwnd()) ReloadSettings();
}

void StatusReportDlg::RunConfigDialogFromMenu() {
  if (!seams_.config.runConfigDialog || wizardOpen_ || configOpen_) return;
  configOpen_ = true;
  INT_PTR result = seams_.config.runConfigDialog();
  configOpen_ = false;
  if (result == IDOK && hwnd()) ReloadSettings();
}

void StatusReportDlg::OpenHelp() {
  if (seams_.config.showHelp) {
    seams_.config.showHelp();
    return;
  }
  // Not owned by the hidden controller: the help window gets its own place
  // on the taskbar.
  std::string problem;
  if (!win::OpenHelp(nullptr, win::kHelpContents, problem)) Ask(problem.c_str(), MB_OK | MB_ICONINFORMATION);
}

// Construction, initialisation and message routing of the controller.
#include "app/StatusReportDlg.h"

#include "base/Trace.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "watchers/ScanPeriod.h"
#include "win/Clock.h"

namespace {

constexpr DWORD kSplashMs = 3000;

// The launch flag counts only together with its program path.
DWORD ReadLaunchFlag(SettingsStore& store, bool aol) {
  DWORD flag = 0;
  std::string path;
  bool ok = store.ReadBrowserLaunch(aol ? settings::SignOnClient::Aol : settings::SignOnClient::Cs,
                                    flag, path);
  return ok ? flag : 0;
}

}  // namespace

StatusReportDlg::StatusReportDlg(ControllerOptions options) : options_(std::move(options)) {
  ReadCachedSettings();
}

StatusReportDlg::~StatusReportDlg() {
  if (hwnd()) {
    exiting_ = true;
    CallSeam(seams_.tray.removeIcon);
    CallSeam(seams_.tray.destroy);
    CallSeam(seams_.watchers.endWatchers);
    workers_.Shutdown(3000);
  }
  Destroy();
  // What the seams own (tray window, keep-alive cycle) goes while the
  // workers it refers to still exist.
  options_.seams = ControllerSeams{};
}

bool StatusReportDlg::Create() {
  if (options_.showSplash) ShowSplash();
  return CreateModeless(IDD_STATUS_REPORT, nullptr);
}

void StatusReportDlg::ReadCachedSettings() {
  cached_ = CachedSettings{};
  cached_.simulateMouse = store_.Read(settings::kSimulateMouse);
  ReadAolCsSettings();
  cached_.netZeroStayOnline = store_.Read(settings::kNetZeroStayOnline);
  cached_.attStayOnline = store_.Read(settings::kAttStayOnline);
  cached_.msnStayOnline = store_.Read(settings::kMsnStayOnline);
  cached_.pop3Enabled = cached_.msnStayOnline == 1 ? store_.Read(settings::kPop3Enable) : 0;
  cached_.pop3PeriodMinutes = store_.ReadPop3Interval();
  cached_.otherIsps = (cached_.netZeroStayOnline == 0 && cached_.attStayOnline == 0 &&
                       cached_.msnStayOnline == 0) ? 1 : 0;
  cached_.aolAutoRedial = store_.Read(settings::kAolAutoRedial);
  cached_.csAutoRedial = store_.Read(settings::kCsAutoRedial);
}

void StatusReportDlg::ReadAolCsSettings() {
  cached_.aolStayOnline = store_.Read(settings::kAolStayOnline);
  cached_.csStayOnline = 0;
  cached_.csLaunchBrowser = 0;
  if (cached_.aolStayOnline == 1) {
    cached_.aolScanPeriodMs = watch::ScanPeriodMs(store_.Read(settings::kAolScanInterval));
    cached_.aolLaunchBrowser = ReadLaunchFlag(store_, /*aol=*/true);
  } else {
    cached_.csStayOnline = store_.Read(settings::kCsStayOnline);
    if (cached_.csStayOnline == 1) {
      cached_.csLaunchBrowser = ReadLaunchFlag(store_, /*aol=*/false);
    }
  }
}

void StatusReportDlg::ShowSplash() {
  win::Dialog splash;
  if (!splash.CreateModeless(IDD_SPLASH, nullptr)) return;
  HWND h = splash.hwnd();
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(h);
  RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_ERASE);
  // Blocking for the user, but the splash keeps painting while it waits.
  win::PumpFor(kSplashMs);
  splash.Destroy();
}

BOOL StatusReportDlg::OnInitDialog() {
  SeedAndRunFirstWizard();
  StartWorkers();
  CallSeam(seams_.keepAlive.attach, hwnd(), workers_);
  cached_.pop3PeriodMinutes = store_.ReadPop3Interval();
  netZeroDialerStarted_ = false;
  CallSeam(seams_.tray.create, hwnd());
  CallSeam(seams_.watchers.attach, hwnd());
  CallSeam(seams_.watchers.attachNetZero, hwnd(), netZeroDialerStarted_,
           timerRecord_[timer_id::kNetZero]);
  CallSeam(seams_.mouse.attach, *this);
  CallSeam(seams_.dial.attach, *this);
  mode_ = ChooseInitialMode();
  AddIconAndStartTimersByMode();
  CallSeam(seams_.mouse.applyIdleDisconnect, 0);
  if (ShouldDialAtStartup()) PostMessageA(hwnd(), msg::kDialAtStartup, 0, 0);
  return TRUE;
}

void StatusReportDlg::SeedAndRunFirstWizard() {
  if (store_.Read(settings::kHostsAdded) == 1) return;
  store_.SeedDefaultHosts();
  if (seams_.config.runWizard) {
    wizardOpen_ = true;
    const INT_PTR result = seams_.config.runWizard(true);
    wizardOpen_ = false;
    // The settings were cached before the wizard ran; what it wrote counts
    // from this first run on, not from the next start.
    if (result == kWizardFinished) ReadCachedSettings();
  }
}

void StatusReportDlg::StartWorkers() {
  LaunchRoutine launch;
  if (seams_.watchers.launchClient) {
    // A copy: a launch may outlive the controller (Exit does not wait for it).
    launch = [client = seams_.watchers.launchClient](Launcher which, HWND controller) {
      client(static_cast<int>(which), controller);
    };
  }
  DWORD rc = workers_.Start(hwnd(), options_.sessions, std::move(launch));
  if (rc != ERROR_SUCCESS) TraceLine("Could not start the service worker threads");
}

ConnectionMode StatusReportDlg::ChooseInitialMode() {
  if (cached_.netZeroStayOnline == 1 && store_.Read(settings::kNetZeroUseDialer) == 1)
    return store_.Read(settings::kModemUseDialer) == 1 ? ConnectionMode::Stopped
                                                       : ConnectionMode::None;
  DWORD stored = store_.Read(settings::kConnection);
  // Only values the program knows become a mode; anything else is Manual.
  if (stored == 2) return ConnectionMode::Running;
  if (stored == 3) return ConnectionMode::AutoNetSense;
  return ConnectionMode::Stopped;
}

void StatusReportDlg::AddIconAndStartTimersByMode() {
  if (mode_ != ConnectionMode::AutoNetSense) {
    CallSeam(seams_.tray.addIcon, tray_look::kAddStopped);
    return;
  }
  if (IsDialUpConnected()) {
    CallSeam(seams_.tray.addIcon, tray_look::kAddRunning);
    StartRunningTimersAtInit();
  } else {
    CallSeam(seams_.tray.addIcon, tray_look::kAddAwaiting);
    StartTimerRecord(timer_id::kMonitorDisconnected, 2000);
  }
}

void StatusReportDlg::StartRunningTimersAtInit() {
  StartTimerRecord(timer_id::kMonitorConnected, 2000);
  StartTimerRecord(timer_id::kFirstCycle, 0);
  CallSeam(seams_.keepAlive.arm);
  if (cached_.simulateMouse == 1) {
    CallSeam(seams_.mouse.rememberCursor);
    StartTimerRecord(timer_id::kMouseCheck, 1000);
    KillMouseMoveTimer();
  }
  StartScannerTimers(true);
}

bool StatusReportDlg::ShouldDialAtStartup() {
  if (store_.Read(settings::kModemDialAtStartup) == 1 && store_.Read(settings::kModemUseDialer) == 1)
    return true;
  if (store_.Read(settings::kNetZeroDialAtStartup) == 1 &&
      store_.Read(settings::kNetZeroStayOnline) == 1 && store_.Read(settings::kNetZeroUseDialer) == 1)
    return true;
  if (store_.Read(settings::kAolDialAtStartup) == 1 && store_.Read(settings::kAolStayOnline) == 1 &&
      store_.Read(settings::kAolLaunchBrowser) == 1)
    return true;
  return store_.Read(settings::kCsDialAtStartup) == 1 && store_.Read(settings::kCsStayOnline) == 1 &&
         store_.Read(settings::kCsLaunchBrowser) == 1;
}

bool StatusReportDlg::OnCommand(WORD id, WORD code, HWND control) {
  switch (id) {
    case cmd::kExit:
      Exit();
      return true;
    case cmd::kStatusReport:
      RefreshStatusReport();
      ShowWindow(hwnd(), SW_SHOWNORMAL);
      UpdateWindow(hwnd());
      return true;
    case cmd::kActivateAutoNetSense:
      ActivateAutoNetSense();
      return true;
    case cmd::kConfigurationWizard:
      RunWizardFromMenu();
      return true;
    case cmd::kAdvancedConfigurations:
      RunConfigDialogFromMenu();
      return true;
    case cmd::kDial:
      OnDialCommand();
      return true;
    case cmd::kHangUp:
      OnHangUpCommand();
      return true;
    case cmd::kAbout:
      CallSeam(seams_.config.showAbout);
      return true;
    case cmd::kOnlineHelp:
      OpenHelp();
      return true;
    default:
      if (id >= cmd::kScreenNameFirst && id <= cmd::kScreenNameLast) {
        OnScreenNameCommand(id - cmd::kScreenNameFirst);
        return true;
      }
      return win::Dialog::OnCommand(id, code, control);
  }
}

// Enter, Esc and the close box only hide the window; the program stays in the tray.
void StatusReportDlg::OnOK() { ShowWindow(hwnd(), SW_HIDE); }
void StatusReportDlg::OnCancel() { ShowWindow(hwnd(), SW_HIDE); }

void StatusReportDlg::OnFinalDestroy() {
  if (options_.postQuitOnDestroy) PostQuitMessage(0);
}

bool StatusReportDlg::OnMessage(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (message) {
    case msg::kTrayNotify:
      OnTrayNotify(lp);
      return true;
    case msg::kExchangeProgress:
      if (wp == 1) SetTrayLook(tray_look::kSending);
      else if (wp == 2) SetTrayLook(tray_look::kReceiving);
      return true;
    case msg::kServiceResult:
      OnServiceResult(wp, lp);
      return true;
    case msg::kCurrentHost:
      OnCurrentHost(wp, lp);
      return true;
    case msg::kWelcomeDone:
      welcomeDone_ = static_cast<LONG>(lp);
      return true;
    case msg::kAdvertisementDone:
      advertisementDone_ = static_cast<LONG>(lp);
      return true;
    case msg::kWatcherLook:
      // A tick of a timer stopped since (the service stopped) shows nothing.
      if (IsTimerRunning(static_cast<UINT_PTR>(lp))) SetTrayLook(static_cast<int>(wp));
      return true;
    case msg::kNetZeroRedial:
      if (IsTimerRunning(timer_id::kNetZero)) CallSeam(seams_.watchers.redialNetZero);
      return true;
    case msg::kConnectionUp:
      OnConnectionUp();
      return true;
    case msg::kConnectionDown:
      OnConnectionDown();
      return true;
    case msg::kDialAtStartup:
      OnDialAtStartup();
      return true;
    case msg::kDialEvent:
      OnDialEvent(wp, lp);
      return true;
    case WM_PAINT:
      if (!IsIconic(hwnd())) return false;
      PaintMinimised();
      return true;
    case WM_SHOWWINDOW:
      if (wp) ApplyCells();
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN)));
      return true;
    default:
      return false;
  }
}

void StatusReportDlg::PaintMinimised() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT rc;
  GetClientRect(hwnd(), &rc);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
  int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
  if (icon) DrawIcon(dc, (rc.right - rc.left - cx + 1) / 2, (rc.bottom - rc.top - cy + 1) / 2, icon);
  EndPaint(hwnd(), &ps);
}

void StatusReportDlg::SetTrayLook(int look, const char* text) {
  CallSeam(seams_.tray.setLook, look, text);
}

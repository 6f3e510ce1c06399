// Service state: start, stop, toggle, reload, Auto NetSense and dial events.
#include "app/StatusReportDlg.h"

#include <cstring>
#include <string>

#include "base/Trace.h"
#include "settings/SettingsSchema.h"
#include "watchers/DialerPromptRules.h"
#include "win/Clock.h"

namespace {

constexpr DWORD kLaunchPauseMs = 100;
constexpr DWORD kDialAtStartupDelayMs = 2000;
constexpr size_t kTooltipChars = 63;

}  // namespace

void StatusReportDlg::StartServices() {
  bool intervalRunning = seams_.keepAlive.isArmed && seams_.keepAlive.isArmed();
  if (!intervalRunning) {
    StartTimerRecord(timer_id::kFirstCycle, 0);
    CallSeam(seams_.keepAlive.arm);
  }
  if (cached_.simulateMouse == 1 && !IsTimerRunning(timer_id::kMouseCheck)) {
    CallSeam(seams_.mouse.rememberCursor);
    StartTimerRecord(timer_id::kMouseCheck, 1000);
    KillMouseMoveTimer();
  }
  StartScannerTimers(false);
  workers_.Resume();
}

// Scanner timers of StartServices (and of initialisation in Auto NetSense,
// which does not request client launches).
void StatusReportDlg::StartScannerTimers(bool atInit) {
  if (cached_.aolStayOnline == 1) {
    if (!atInit && cached_.aolLaunchBrowser == 1) RequestLaunch(Launcher::Aol);
    if (!IsTimerRunning(timer_id::kAol)) StartTimerRecord(timer_id::kAol, cached_.aolScanPeriodMs);
  } else if (cached_.csStayOnline == 1) {
    if (!atInit && cached_.csLaunchBrowser == 1) RequestLaunch(Launcher::Cs2000);
    if (!IsTimerRunning(timer_id::kCs2000)) StartTimerRecord(timer_id::kCs2000, 1500);
  }

  if (cached_.netZeroStayOnline == 1) {
    if (!IsTimerRunning(timer_id::kNetZero)) StartTimerRecord(timer_id::kNetZero, 1500);
  } else if (cached_.attStayOnline == 1) {
    if (!IsTimerRunning(timer_id::kAtt)) StartTimerRecord(timer_id::kAtt, 1500);
  } else if (cached_.msnStayOnline == 1) {
    if (!IsTimerRunning(timer_id::kMsn)) {
      StartTimerRecord(timer_id::kMsn, 2000);
      if (!atInit) CallSeam(seams_.watchers.clearPop3Failed);
    }
    if (!atInit) StartPop3Timer();
  } else if (!IsTimerRunning(timer_id::kOtherIsps)) {
    StartTimerRecord(timer_id::kOtherIsps, 1500);
  }
  // At start-up the mail check runs whenever it is enabled, whichever
  // scanner was chosen.
  if (atInit) StartPop3Timer();
}

void StatusReportDlg::StartPop3Timer() {
  if (cached_.pop3Enabled == 1 && !IsTimerRunning(timer_id::kPop3))
    StartTimerRecord(timer_id::kPop3, watch::dialers::MailCheckPeriodMs(cached_.pop3PeriodMinutes));
}

void StatusReportDlg::RequestLaunch(Launcher which) {
  // No second launch while one is in progress.
  if (workers_.RequestLaunch(which)) win::SleepMs(kLaunchPauseMs);
}

void StatusReportDlg::StopServices() {
  workers_.Pause();
  CallSeam(seams_.keepAlive.kill);
  KillFeatureTimers(cached_);
}

void StatusReportDlg::KillFeatureTimers(const CachedSettings& flags) {
  KillMouseAndScannerTimers(flags);
  if (flags.msnStayOnline == 1) KillTimerRecord(timer_id::kMsn);
  if (flags.pop3Enabled == 1) KillTimerRecord(timer_id::kPop3);
}

// Everything but the MSN and POP3 timers, which a reload treats on their own.
void StatusReportDlg::KillMouseAndScannerTimers(const CachedSettings& flags) {
  if (flags.simulateMouse == 1) {
    KillTimerRecord(timer_id::kMouseMove);
    KillTimerRecord(timer_id::kMouseCheck);
  }
  if (flags.aolStayOnline == 1) KillTimerRecord(timer_id::kAol);
  if (flags.csStayOnline == 1) KillTimerRecord(timer_id::kCs2000);
  if (flags.netZeroStayOnline == 1) KillTimerRecord(timer_id::kNetZero);
  if (flags.attStayOnline == 1) KillTimerRecord(timer_id::kAtt);
  if (flags.otherIsps == 1) KillTimerRecord(timer_id::kOtherIsps);
}

void StatusReportDlg::ToggleService() {
  if (mode_ == ConnectionMode::AutoNetSense) {
    mode_ = ConnectionMode::Running;
    KillMonitorTimer();
  }
  if (mode_ == ConnectionMode::Running) {
    mode_ = ConnectionMode::Stopped;
    StopServices();
    SetTrayLook(tray_look::kStopped);
  } else if (mode_ == ConnectionMode::Stopped) {
    mode_ = ConnectionMode::Running;
    StartServices();
    SetTrayLook(tray_look::kRunning);
  }
}

void StatusReportDlg::ActivateAutoNetSense() {
  mode_ = ConnectionMode::AutoNetSense;
  FollowTheConnection();
}

// Auto NetSense: run while a dial-up connection exists, wait while none does.
void StatusReportDlg::FollowTheConnection() {
  KillMonitorTimer();
  if (IsDialUpConnected()) {
    StartServices();
    SetTrayLook(tray_look::kRunning);
    StartMonitorTimer(true);
  } else {
    StopServices();
    SetTrayLook(tray_look::kAwaiting);
    StartMonitorTimer(false);
  }
}

void StatusReportDlg::KillMonitorTimer() {
  KillTimerRecord(timer_id::kMonitorConnected);
  KillTimerRecord(timer_id::kMonitorDisconnected);
}

void StatusReportDlg::StartMonitorTimer(bool connected) {
  StartTimerRecord(connected ? timer_id::kMonitorConnected : timer_id::kMonitorDisconnected, 2000);
}

void StatusReportDlg::OnConnectionUp() {
  // A late message after the user left Auto NetSense must not restart anything.
  if (mode_ != ConnectionMode::AutoNetSense) return;
  KillMonitorTimer();
  StartMonitorTimer(true);
  StartServices();
  SetTrayLook(tray_look::kRunning);
}

void StatusReportDlg::OnConnectionDown() {
  if (mode_ != ConnectionMode::AutoNetSense) return;
  KillMonitorTimer();
  StartMonitorTimer(false);
  StopServices();
  SetTrayLook(tray_look::kAwaiting);
}

void StatusReportDlg::ReloadSettings() {
  RefreshStatusReport();
  if (store_.Read(settings::kConnection) == 3) mode_ = ConnectionMode::AutoNetSense;

  const CachedSettings old = cached_;
  CallSeam(seams_.keepAlive.kill);
  KillMouseAndScannerTimers(old);

  DWORD pop3Enabled = store_.Read(settings::kMsnStayOnline) == 1 ? store_.Read(settings::kPop3Enable) : 0;
  cached_.pop3PeriodMinutes = store_.ReadPop3Interval();
  if (old.msnStayOnline == 1 && IsTimerRunning(timer_id::kMsn)) {
    KillTimerRecord(timer_id::kMsn);
    if (IsTimerRunning(timer_id::kPop3)) {
      KillTimerRecord(timer_id::kPop3);
      CallSeam(seams_.watchers.clearPop3Failed);
    }
  }
  if (pop3Enabled == 1) {
    CallSeam(seams_.watchers.clearPop3Failed);
  } else if (IsTimerRunning(timer_id::kPop3)) {
    KillTimerRecord(timer_id::kPop3);
    CallSeam(seams_.watchers.clearPop3Failed);
  }

  ReadCachedSettings();

  if (mode_ == ConnectionMode::AutoNetSense) {
    FollowTheConnection();
  } else if (mode_ == ConnectionMode::Running) {
    StartServices();
    SetTrayLook(tray_look::kRunning);
  } else {
    StopServices();
    SetTrayLook(tray_look::kStopped);
  }
}

void StatusReportDlg::EnsureDialDialog() {
  bool visible = store_.Read(settings::kModemPromptToDial) == 1;
  if (seams_.dial.exists && seams_.dial.exists()) CallSeam(seams_.dial.show, visible);
  else CallSeam(seams_.dial.create, visible);
}

void StatusReportDlg::OnDialAtStartup() {
  win::SleepMs(kDialAtStartupDelayMs);
  if (store_.Read(settings::kNetZeroUseDialer) == 1 && store_.Read(settings::kNetZeroStayOnline) == 1) {
    CallSeam(seams_.watchers.toggleNetZeroDialer);
    netZeroDialerStarted_ = true;
  } else if (store_.Read(settings::kModemUseDialer) == 1) {
    if (IsDialUpConnected()) return;
    EnsureDialDialog();
    bool dialing = seams_.dial.isDialing && seams_.dial.isDialing();
    if (!dialing) CallSeam(seams_.dial.startDial);
  } else {
    ToggleService();
  }
}

void StatusReportDlg::OnDialEvent(WPARAM code, LPARAM text) {
  switch (code) {
    case dial_event::kDialing:
      mode_ = ConnectionMode::Running;
      SetTrayLook(tray_look::kDialing);
      break;
    case dial_event::kConnected:
      SetTrayLook(tray_look::kConnecting);
      break;
    case dial_event::kConfirmed:
      SetTrayLook(tray_look::kConnected);
      mode_ = ConnectionMode::Stopped;
      ToggleService();
      break;
    case dial_event::kEnded:
      SetTrayLook(tray_look::kDialEnded);
      mode_ = ConnectionMode::Running;
      ToggleService();
      break;
    case dial_event::kError: {
      std::string tip = "Error: ";
      if (const char* t = reinterpret_cast<const char*>(text)) tip.append(t, strnlen(t, 1024));
      if (tip.size() > kTooltipChars) tip.resize(kTooltipChars);
      SetTrayLook(tray_look::kError, tip.c_str());
      break;
    }
    default:
      break;
  }
}

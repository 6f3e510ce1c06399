#pragma once
// The main controller: the hidden "Online Status Report" dialog. It owns
// every timer of the program, the service state (Stopped, Running, Auto
// NetSense) and the worker threads; it shows one row per keep-alive service
// and two scanner rows when the user asks for the window.
//
// Lifecycle: construct (reads the cached settings, shows the splash, creates
// the hidden window; initialisation then seeds, starts the workers, adds the
// tray icon and starts timers by mode) -> messages and timers -> Exit
// (WM_COMMAND 32771), which stops everything and destroys the window. When
// `postQuitOnDestroy` is set, destroying the window ends the message loop.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ControllerSeams.h"
#include "base/DialEvents.h"
#include "keepalive/ServiceWorkers.h"
#include "res/resource.h"
#include "settings/ServiceKind.h"
#include "settings/SettingsStore.h"
#include "win/Dialog.h"

enum class ConnectionMode : int { None = 0, Stopped = 1, Running = 2, AutoNetSense = 3 };

// Window messages between the parts of the program (WM_APP + n).
namespace msg {
constexpr UINT kTrayNotify = 32769;
constexpr UINT kExchangeProgress = 32770;
constexpr UINT kServiceResult = 32771;
constexpr UINT kCurrentHost = 32781;
constexpr UINT kWelcomeDone = 32785;
constexpr UINT kAdvertisementDone = 32786;
constexpr UINT kConnectionUp = 32790;
constexpr UINT kConnectionDown = 32791;
constexpr UINT kDialAtStartup = 32792;
// From the watcher thread; lParam the timer whose tick reports, so that what
// a tick of a timer killed since reports is dropped.
constexpr UINT kWatcherLook = 32800;    // wParam the tray look
constexpr UINT kNetZeroRedial = 32801;  // the NetZero redial's waits are over
constexpr UINT kDialEvent = dial_event::kMessage;
}  // namespace msg

namespace cmd {
// The tray menu's commands (menu resource 105).
constexpr WORD kExit = IDM_EXIT;
constexpr WORD kAbout = IDM_ABOUT;
constexpr WORD kAdvancedConfigurations = IDM_ADVANCED_CONFIG;
constexpr WORD kOnlineHelp = IDM_HELP;
constexpr WORD kStatusReport = IDM_STATUS_REPORT;
constexpr WORD kDial = IDM_DIAL;
constexpr WORD kHangUp = IDM_HANG_UP;
constexpr WORD kScreenNameFirst = IDM_SCREEN_NAME_FIRST;
constexpr WORD kScreenNameLast = IDM_SCREEN_NAME_LAST;
constexpr WORD kConfigurationWizard = IDM_CONFIG_WIZARD;
constexpr WORD kActivateAutoNetSense = IDM_AUTO_NETSENSE;
}  // namespace cmd

namespace timer_id {
constexpr UINT_PTR kFirstCycle = 1;
constexpr UINT_PTR kInterval = 2;
constexpr UINT_PTR kAol = 4;
constexpr UINT_PTR kNetZero = 9;
constexpr UINT_PTR kMouseMove = 11;
constexpr UINT_PTR kCs2000 = 14;
constexpr UINT_PTR kAtt = 15;
constexpr UINT_PTR kMouseCheck = 16;
constexpr UINT_PTR kMsn = 17;
constexpr UINT_PTR kPop3 = 18;
constexpr UINT_PTR kOtherIsps = 19;
constexpr UINT_PTR kMonitorConnected = 20;
constexpr UINT_PTR kMonitorDisconnected = 21;
}  // namespace timer_id

// Tray looks the controller sets (the tray window owns their pictures).
namespace tray_look {
constexpr int kSending = 1, kReceiving = 2, kProtected = 4, kNoService = 5, kStopped = 7,
              kRunning = 8, kDialing = 11, kConnecting = 22, kConnected = 23, kDialEnded = 26,
              kError = 27, kAwaiting = 34;
constexpr int kAddStopped = 8, kAddRunning = 9, kAddAwaiting = 10;
}  // namespace tray_look

struct ControllerOptions {
  ControllerSeams seams;
  ServiceSessionFactory sessions;   // the keep-alive service side of the workers
  bool postQuitOnDestroy = false;   // true for the program's main window
  bool showSplash = true;
};

class StatusReportDlg : public win::Dialog {
 public:
  explicit StatusReportDlg(ControllerOptions options);
  ~StatusReportDlg() override;

  // Shows the splash and creates the hidden window; false when the window
  // could not be created.
  bool Create();

  // Service state.
  void StartServices();
  void StopServices();
  void ToggleService();
  void ReloadSettings();
  void RefreshStatusReport();
  bool IsDialUpConnected();
  void EnsureDialDialog();
  void ActivateAutoNetSense();
  void Exit();

  ConnectionMode mode() const { return mode_; }
  void SetDialState(int state) { dialState_ = state; }
  int dialState() const { return dialState_; }
  bool netZeroDialerStarted() const { return netZeroDialerStarted_; }
  // The controller's copies, as last posted by the AOL gadget scan.
  LONG welcomeDone() const { return welcomeDone_; }
  LONG advertisementDone() const { return advertisementDone_; }
  int lastResult(int service) const { return IsServiceIndex(service) ? lastResult_[service] : 0; }
  // Whether the controller's record of a timer says it runs.
  bool IsTimerRunning(UINT_PTR id) const;
  // Tray icon notification (message 32769) and the tray menu.
  void OnTrayNotify(LPARAM mouseMessage);
  // Builds the tray menu as it would be shown now; the caller destroys the
  // returned menu (its first popup is the one shown).
  HMENU BuildTrayMenu();
  void ShowTrayMenu();
  const std::vector<std::string>& screenNames() const { return screenNames_; }

  // For the mouse simulation, which arms the move timer from its idle check.
  void ArmMouseMoveTimer();
  void KillMouseMoveTimer();
  ServiceWorkers& workers() { return workers_; }
  SettingsStore& store() { return store_; }
  ControllerSeams& seams() { return seams_; }
  void SetWizardOpen(bool open) { wizardOpen_ = open; }
  void SetConfigDialogOpen(bool open) { configOpen_ = open; }
  bool IsWizardOpen() const { return wizardOpen_; }
  bool IsConfigDialogOpen() const { return configOpen_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnOK() override;
  void OnCancel() override;
  void OnFinalDestroy() override;

 private:
  struct CachedSettings {
    DWORD simulateMouse = 0;
    DWORD aolStayOnline = 0, aolScanPeriodMs = 0, aolLaunchBrowser = 0, aolAutoRedial = 0;
    DWORD csStayOnline = 0, csLaunchBrowser = 0, csAutoRedial = 0;
    DWORD netZeroStayOnline = 0, attStayOnline = 0, msnStayOnline = 0;
    DWORD pop3Enabled = 0, pop3PeriodMinutes = 0;
    DWORD otherIsps = 0;
  };

  // Construction and initialisation.
  void ReadCachedSettings();
  void ReadAolCsSettings();
  void ShowSplash();
  void SeedAndRunFirstWizard();
  void StartWorkers();
  ConnectionMode ChooseInitialMode();
  void AddIconAndStartTimersByMode();
  void StartRunningTimersAtInit();
  bool ShouldDialAtStartup();

  // Timers.
  void StartTimerRecord(UINT_PTR id, DWORD periodMs);
  void KillTimerRecord(UINT_PTR id);
  void StartScannerTimers(bool atInit);
  void StartPop3Timer();
  void KillFeatureTimers(const CachedSettings& flags);
  void KillMouseAndScannerTimers(const CachedSettings& flags);
  void KillMonitorTimer();
  void StartMonitorTimer(bool connected);
  void FollowTheConnection();
  void RequestLaunch(Launcher which);

  // Messages.
  void OnServiceResult(WPARAM service, LPARAM result);
  void OnCurrentHost(WPARAM wp, LPARAM lp);
  void OnConnectionUp();
  void OnConnectionDown();
  void OnDialAtStartup();
  void OnDialEvent(WPARAM code, LPARAM text);
  void SetTrayLook(int look, const char* text = nullptr);
  // Hands one tick's scans to the watcher thread (or runs them, unwired).
  void HandTick(UINT_PTR id, std::function<void()> scans);
  void SetRow(int service, int iconId, const char* status);
  // The rows' texts and icons, by control id. While the window is hidden
  // they are only kept; showing it applies what changed.
  void SetCellText(int controlId, const std::string& text);
  void SetCellIcon(int controlId, int iconId);
  void ApplyCells();
  void PaintMinimised();

  // Tray click and menu commands.
  void OnLeftClick();
  void OneStopDialOrHangUp();
  void OnDialCommand();
  void OnHangUpCommand();
  void OnScreenNameCommand(int k);
  void RunWizardFromMenu();
  void RunConfigDialogFromMenu();
  void OpenHelp();
  bool FillSignOnPopup(HMENU menu);
  int Ask(const char* text, UINT type);

  ControllerOptions options_;
  ControllerSeams& seams_ = options_.seams;
  SettingsStore store_;
  ServiceWorkers workers_;
  CachedSettings cached_;
  ConnectionMode mode_ = ConnectionMode::None;
  int dialState_ = 1;
  bool netZeroDialerStarted_ = false;
  bool wizardOpen_ = false;
  bool configOpen_ = false;
  bool exiting_ = false;
  LONG welcomeDone_ = 0;
  LONG advertisementDone_ = 0;
  int lastResult_[kServiceCount] = {};
  UINT_PTR timerRecord_[22] = {};  // indexed by timer id; 0 = not running
  std::vector<std::string> screenNames_;
  std::string boundNames_[7];
  struct Cell {
    std::string text;
    int iconId = 0;
    bool pending = false;  // differs from what the control shows
  };
  std::map<int, Cell> cells_;

};

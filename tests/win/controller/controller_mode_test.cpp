// Start-up mode, timers by mode, toggles, Auto NetSense, reload, dial events.
#include "controller_fixture.h"

#include "settings/SettingsSchema.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

TEST_F(ControllerTest, ManualStartsStoppedWithNoTimersAndNoTraffic) {
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  EXPECT_EQ(addLook_, tray_look::kAddStopped);
  EXPECT_TRUE(Saw("idleDisconnect0"));
  for (UINT_PTR id = 1; id <= 21; ++id) EXPECT_FALSE(dlg_->IsTimerRunning(id)) << "timer " << id;
  PumpFor(100);
  EXPECT_FALSE(Saw("cycle"));
  EXPECT_FALSE(IsWindowVisible(dlg_->hwnd()));
}

TEST_F(ControllerTest, StoredTwoIsRunningWithoutStartingSoTheFirstClickStops) {
  Write(settings::kConnection, 2);
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_EQ(addLook_, tray_look::kAddStopped);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kFirstCycle));
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  EXPECT_EQ(LastLook(), tray_look::kStopped);
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_EQ(LastLook(), tray_look::kRunning);
  EXPECT_TRUE(WaitFor("cycle"));
}

TEST_F(ControllerTest, UnknownStoredModeIsTakenAsManual) {
  Write(settings::kConnection, 0);
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
}

TEST_F(ControllerTest, AutoNetSenseConnectedStartsEverythingButLaunches) {
  Write(settings::kConnection, 3);
  Write(settings::kSimulateMouse, 1);
  Write(settings::kAolStayOnline, 1);
  Write(settings::kAolLaunchBrowser, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\aol\\aol.exe");
  Write(settings::kMsnStayOnline, 1);
  Write(settings::kPop3Enable, 1);
  connected_ = true;
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::AutoNetSense);
  EXPECT_EQ(addLook_, tray_look::kAddRunning);
  for (UINT_PTR id : {timer_id::kMonitorConnected, timer_id::kMouseCheck, timer_id::kAol,
                      timer_id::kMsn, timer_id::kPop3})
    EXPECT_TRUE(dlg_->IsTimerRunning(id)) << "timer " << id;
  for (UINT_PTR id : {timer_id::kMonitorDisconnected, timer_id::kCs2000, timer_id::kNetZero,
                      timer_id::kAtt, timer_id::kOtherIsps})
    EXPECT_FALSE(dlg_->IsTimerRunning(id)) << "timer " << id;
  EXPECT_TRUE(Saw("arm"));
  EXPECT_TRUE(WaitFor("cycle"));
  PumpFor(50);
  EXPECT_FALSE(Saw("launchAol"));
}

TEST_F(ControllerTest, AutoNetSenseWithoutConnectionWaitsOnTheMonitorOnly) {
  Write(settings::kConnection, 3);
  Start();
  EXPECT_EQ(addLook_, tray_look::kAddAwaiting);
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kOtherIsps));
  EXPECT_FALSE(Saw("arm"));
}

// Exactly one scanner family runs, in the order NetZero, ATT, MSN, others.
TEST_F(ControllerTest, StartServicesStartsOneScannerTimerByPriority) {
  struct Case {
    const settings::DwordSetting* flag;
    UINT_PTR timer;
  };
  const Case cases[] = {{&settings::kNetZeroStayOnline, timer_id::kNetZero},
                        {&settings::kAttStayOnline, timer_id::kAtt},
                        {&settings::kMsnStayOnline, timer_id::kMsn},
                        {nullptr, timer_id::kOtherIsps}};
  for (const Case& c : cases) {
    testing_support::ClearProgramSettings();
    store_.Write(settings::kHostsAdded, 1);
    Write(settings::kAttStayOnline, 1);  // NetZero outranks ATT; ATT outranks the rest
    if (c.flag) Write(*c.flag, 1);
    if (c.timer == timer_id::kMsn || c.timer == timer_id::kOtherIsps)
      Write(settings::kAttStayOnline, 0);
    Start();
    dlg_->ToggleService();
    for (UINT_PTR t : {timer_id::kNetZero, timer_id::kAtt, timer_id::kMsn, timer_id::kOtherIsps})
      EXPECT_EQ(dlg_->IsTimerRunning(t), t == c.timer) << "case " << c.timer << " timer " << t;
    dlg_.reset();
  }
}

TEST_F(ControllerTest, StartingTheServiceLaunchesTheClientOnce) {
  Write(settings::kCsStayOnline, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Cs, 1, "C:\\cs\\cs2000.exe");
  options_.seams.watchers.launchClient = [this](int which, HWND) {
    events_.push_back(which == 0 ? "launchAol" : "launchCs");
    Sleep(200);  // a launch takes a while; a second request meanwhile is refused
  };
  Start();
  dlg_->ToggleService();
  dlg_->ToggleService();
  dlg_->ToggleService();
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kCs2000));
  EXPECT_TRUE(PumpUntil([&] { return !dlg_->workers().IsLaunching(Launcher::Cs2000); }));
  EXPECT_EQ(Count("launchCs"), 1);
}

TEST_F(ControllerTest, ToggleFromAutoNetSenseStopsAndLeavesTheMonitor) {
  Write(settings::kConnection, 3);
  connected_ = true;
  Start();
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  EXPECT_EQ(LastLook(), tray_look::kStopped);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kMonitorConnected));
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
  EXPECT_TRUE(dlg_->workers().IsPaused());
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_FALSE(dlg_->workers().IsPaused());
}

TEST_F(ControllerTest, MonitorFollowsTheDialUpConnection) {
  Write(settings::kConnection, 3);
  Start();
  EXPECT_EQ(addLook_, tray_look::kAddAwaiting);
  connected_ = true;
  ASSERT_TRUE(PumpUntil([&] { return LastLook() == tray_look::kRunning; }));
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kMonitorConnected));
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
  EXPECT_TRUE(WaitFor("cycle"));
  connected_ = false;
  ASSERT_TRUE(PumpUntil([&] { return LastLook() == tray_look::kAwaiting; }));
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
  EXPECT_FALSE(intervalArmed_);
  EXPECT_TRUE(dlg_->workers().IsPaused());
  EXPECT_EQ(dlg_->mode(), ConnectionMode::AutoNetSense);
}

TEST_F(ControllerTest, ActivateAutoNetSenseStartsOrWaitsByTheConnection) {
  Start();
  dlg_->ActivateAutoNetSense();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::AutoNetSense);
  EXPECT_EQ(LastLook(), tray_look::kAwaiting);
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
  connected_ = true;
  dlg_->ActivateAutoNetSense();
  EXPECT_EQ(LastLook(), tray_look::kRunning);
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kMonitorConnected));
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kMonitorDisconnected));
}

TEST_F(ControllerTest, ReloadPicksUpNewFlagsAndRestartsByMode) {
  Start();
  dlg_->ToggleService();  // running, other-ISP scanner
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kOtherIsps));
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kAolStayOnline, 1);
  dlg_->ReloadSettings();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_EQ(LastLook(), tray_look::kRunning);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kOtherIsps));
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kNetZero));
  EXPECT_TRUE(dlg_->IsTimerRunning(timer_id::kAol));

  Write(settings::kConnection, 3);
  dlg_->ReloadSettings();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::AutoNetSense);
  EXPECT_EQ(LastLook(), tray_look::kAwaiting);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kNetZero));
}

TEST_F(ControllerTest, ReloadWhileStoppedStaysStopped) {
  Start();
  Write(settings::kAttStayOnline, 1);
  dlg_->ReloadSettings();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  EXPECT_EQ(LastLook(), tray_look::kStopped);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kAtt));
}

TEST_F(ControllerTest, NetZeroDialerAloneLeavesNoModeSoTogglesDoNothing) {
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kNetZeroUseDialer, 1);
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::None);
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::None);
  EXPECT_TRUE(looks_.empty());
}

TEST_F(ControllerTest, NetZeroDialerWithModemDialerStartsStopped) {
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kNetZeroUseDialer, 1);
  Write(settings::kModemUseDialer, 1);
  Write(settings::kConnection, 3);
  Start();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
}

// The dial events drive the state: dialing, connected, confirmed, ended, error.
TEST_F(ControllerTest, DialEventsDriveModeAndLooks) {
  Start();
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kDialing, 0);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_EQ(LastLook(), tray_look::kDialing);
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kConnected, 0);
  EXPECT_EQ(LastLook(), tray_look::kConnecting);
  looks_.clear();
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kConfirmed, 0);
  EXPECT_EQ(looks_, (std::vector<int>{tray_look::kConnected, tray_look::kRunning}));
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  looks_.clear();
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kEnded, 0);
  EXPECT_EQ(looks_, (std::vector<int>{tray_look::kDialEnded, tray_look::kStopped}));
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);

  const std::string longError(200, 'x');
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kError,
               reinterpret_cast<LPARAM>(longError.c_str()));
  EXPECT_EQ(LastLook(), tray_look::kError);
  EXPECT_EQ(lastLookText_.size(), 63u);
  EXPECT_EQ(lastLookText_.substr(0, 7), "Error: ");
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, dial_event::kError, 0);
  EXPECT_EQ(lastLookText_, "Error: ");
  looks_.clear();
  SendMessageA(dlg_->hwnd(), msg::kDialEvent, 32873, 0);
  EXPECT_TRUE(looks_.empty());
}

TEST_F(ControllerTest, DialAtStartupWithTheModemDialerStartsADial) {
  Write(settings::kModemUseDialer, 1);
  Write(settings::kModemDialAtStartup, 1);
  Start();
  ASSERT_TRUE(WaitFor("startDial"));
  EXPECT_TRUE(Saw("createDialVisible"));
}

TEST_F(ControllerTest, DialAtStartupSkipsWhenAlreadyConnected) {
  Write(settings::kModemUseDialer, 1);
  Write(settings::kModemDialAtStartup, 1);
  Write(settings::kModemPromptToDial, 0);
  connected_ = true;
  Start();
  PumpFor(150);
  EXPECT_FALSE(Saw("startDial"));
  EXPECT_FALSE(Saw("createDialHidden"));
}

TEST_F(ControllerTest, DialAtStartupForAolTogglesTheService) {
  Write(settings::kAolStayOnline, 1);
  Write(settings::kAolDialAtStartup, 1);
  Write(settings::kAolLaunchBrowser, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\aol\\aol.exe");
  Start();
  ASSERT_TRUE(PumpUntil([&] { return dlg_->mode() == ConnectionMode::Running; }));
  EXPECT_TRUE(WaitFor("launchAol"));
}

TEST_F(ControllerTest, DialAtStartupForNetZeroTogglesItsDialer) {
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kNetZeroUseDialer, 1);
  Write(settings::kNetZeroDialAtStartup, 1);
  Start();
  ASSERT_TRUE(WaitFor("toggleNetZero"));
  EXPECT_TRUE(dlg_->netZeroDialerStarted());
}

TEST_F(ControllerTest, FirstRunSeedsAndRunsTheWizard) {
  testing_support::ClearProgramSettings();
  Start();
  EXPECT_TRUE(Saw("wizardFirstRun"));
  EXPECT_EQ(store_.Read(settings::kHostsAdded), 1u);
  std::vector<std::string> hosts;
  store_.ReadHostList(0, hosts);
  EXPECT_EQ(hosts.size(), 25u);
}

TEST_F(ControllerTest, TimersKeepTickingTheirScanners) {
  Write(settings::kAolStayOnline, 1);
  Write(settings::kAolAutoRedial, 1);
  Write(settings::kSimulateMouse, 1);
  Start();
  dlg_->ToggleService();
  EXPECT_TRUE(WaitFor("scanAol"));
  EXPECT_TRUE(WaitFor("aolGadgets"));
  EXPECT_TRUE(WaitFor("aolLost"));
  EXPECT_TRUE(WaitFor("scanProdigy"));
  EXPECT_TRUE(WaitFor("scanJuno"));
  EXPECT_TRUE(WaitFor("mouseCheck"));
  dlg_->ToggleService();
  ClearEvents();
  PumpFor(100);
  EXPECT_FALSE(Saw("scanAol"));
  EXPECT_FALSE(Saw("scanProdigy"));
  EXPECT_FALSE(Saw("mouseCheck"));
}

}  // namespace

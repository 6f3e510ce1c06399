// The dialer watchers and the NetZero dialer as the program wires them, run
// by the controller's timers and tray: which timer each setting arms, the
// looks of each scan and none while stopped, a tray dial that starts the
// service, Exit during a dial, and a client that hangs during a scan.
#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"
#include "netzero_fixture.h"
#include "support/MessagePump.h"
#include "support/MessageRecorder.h"
#include "support/ProductionController.h"

namespace {

using testing_support::NowMs;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using namespace watch;

class DialerControllerTest : public DialerTest {
 protected:
  DialerControllerTest() {
    store_.Write(settings::kHostsAdded, 1);
    parts_ = std::make_shared<ProductionParts>();
    // The scans' looks reach the tray through the controller.
    options_.seams.tray.setLook = [this](int look, const char*) { controllerLooks_.push_back(look); };
    options_.seams.tray.create = [parts = parts_](HWND h) { parts->controller = h; };
    options_.showSplash = false;
    WireWatchers(options_.seams, parts_);
  }
  ~DialerControllerTest() override { dlg_.reset(); }

  // Each controller gets watchers of its own: its Exit (or end) stops them for good.
  void Create() {
    ControllerOptions options = options_;
    WireWatchers(options.seams, parts_);
    dlg_ = std::make_unique<StatusReportDlg>(std::move(options));
    ASSERT_TRUE(dlg_->Create());
  }
  std::vector<UINT_PTR> ScannerTimers() const {
    std::vector<UINT_PTR> running;
    for (UINT_PTR id : {timer_id::kNetZero, timer_id::kAtt, timer_id::kMsn, timer_id::kPop3,
                        timer_id::kOtherIsps})
      if (dlg_->IsTimerRunning(id)) running.push_back(id);
    return running;
  }
  int Looks(int look) const {
    return static_cast<int>(std::count(controllerLooks_.begin(), controllerLooks_.end(), look));
  }

  std::shared_ptr<ProductionParts> parts_;
  ControllerOptions options_;
  std::unique_ptr<StatusReportDlg> dlg_;
  std::vector<int> controllerLooks_;
};

struct Isp {
  DWORD netZero, att, msn, pop3;
};

void WriteIsps(SettingsStore& store, const Isp& isp) {
  store.Write(settings::kNetZeroStayOnline, isp.netZero);
  store.Write(settings::kAttStayOnline, isp.att);
  store.Write(settings::kMsnStayOnline, isp.msn);
  store.Write(settings::kPop3Enable, isp.pop3);
}

// One scanner timer by preference (NetZero, ATT, MSN, else Prodigy/Juno) and
// the mail check with MSN. At start-up in Auto NetSense with the line up the
// mail check runs whenever it is on, whichever scanner was chosen.
TEST_F(DialerControllerTest, TheSettingsChooseTheScannerTimers) {
  using T = std::vector<UINT_PTR>;
  struct Case {
    Isp isp;
    T started, atStartUp;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {19}, {19}},
      {{1, 0, 0, 0}, {9}, {9}},
      {{0, 1, 0, 0}, {15}, {15}},
      {{0, 1, 1, 0}, {15}, {15}},
      {{0, 0, 1, 0}, {17}, {17}},
      {{0, 0, 1, 1}, {17, 18}, {17, 18}},
      {{1, 0, 1, 1}, {9}, {9, 18}},
      {{0, 1, 1, 1}, {15}, {15, 18}},
      {{0, 0, 0, 1}, {19}, {19}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.isp.netZero << c.isp.att << c.isp.msn << c.isp.pop3);
    WriteIsps(store_, c.isp);
    store_.Write(settings::kConnection, 1);
    Create();
    EXPECT_EQ(ScannerTimers(), T{});
    dlg_->ToggleService();
    EXPECT_EQ(ScannerTimers(), c.started);
    dlg_->ToggleService();
    EXPECT_EQ(ScannerTimers(), T{});
    dlg_.reset();

    store_.Write(settings::kConnection, 3);
    options_.seams.dial.isDialUpConnected = [] { return true; };
    Create();
    EXPECT_EQ(ScannerTimers(), c.atStartUp);
    dlg_.reset();
    options_.seams.dial.isDialUpConnected = nullptr;
  }
}

// Each scan shows its look on every tick while the service runs, and none
// runs once it is stopped; a mail check that cannot connect shows its own.
TEST_F(DialerControllerTest, EachScanShowsItsLookOnlyWhileRunning) {
  testing_support::TimeScale faster(0.01);  // a mail check every 600 ms
  store_.WritePop3ServerName("127.9.4.1");  // nothing listens there
  store_.Write(settings::kPop3TimerInterval, 1);
  struct Case {
    Isp isp;
    int look;
  };
  for (const Case& c : {Case{{1, 0, 0, 0}, 28}, Case{{0, 1, 0, 0}, 31}, Case{{0, 0, 1, 0}, 32},
                        Case{{0, 0, 1, 1}, 33}}) {
    SCOPED_TRACE(c.look);
    WriteIsps(store_, c.isp);
    controllerLooks_.clear();
    Create();
    dlg_->ToggleService();
    ASSERT_TRUE(PumpUntil([&] { return Looks(c.look) >= 2 || (c.look == 33 && Looks(33) >= 1); }));
    dlg_->ToggleService();
    const int seen = Looks(c.look);
    PumpFor(100);
    EXPECT_EQ(Looks(c.look), seen);
    dlg_.reset();
  }
}

// The tray's left click dials NetZero ("Tray Dial"); once the session is up
// the tray blinks and the service starts, timer 9 with it. A second click
// stops the dialer and the service.
TEST_F(DialerControllerTest, ATrayDialStartsTheServiceOnceConnected) {
  std::vector<int> looks;
  options_ = testing_support::ProductionOptionsRecordingLooks(&looks);
  store_.Write(settings::kNetZeroStayOnline, 1);
  store_.Write(settings::kNetZeroUseDialer, 1);
  store_.Write(settings::kNetZeroTrayDial, 1);
  UseStandIn(R"(
window dialing class="AwtDialog" text="Dialing NetZero..." group=dialing
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect" on=press#1:show:dialing on=press#4:close:main
window session class="AwtWindow" group=session
window frame class="AwtFrame" group=session
after 150 settext main "NetZero v2.2"
)",
             "2.2");
  Create();
  ASSERT_EQ(dlg_->mode(), ConnectionMode::None);
  dlg_->OnTrayNotify(WM_LBUTTONUP);
  EXPECT_TRUE(dlg_->netZeroDialerStarted());
  ASSERT_TRUE(client_.WaitForLaunch());
  ASSERT_TRUE(PumpUntil([&] { return client_.CountFromOutside("dialing", "GETTEXT") >= 2; }, 15000));
  ASSERT_TRUE(client_.Command("close dialing"));
  ASSERT_TRUE(client_.Command("show session"));
  ASSERT_TRUE(PumpUntil([&] { return dlg_->IsTimerRunning(timer_id::kNetZero); }));
  EXPECT_EQ(testing_support::DialLooks(looks), (std::vector<int>{tray_look::kDialing, tray_look::kConnecting,
                                         tray_look::kConnected, tray_look::kRunning}));
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);

  dlg_->OnTrayNotify(WM_LBUTTONUP);
  EXPECT_EQ(looks.back(), tray_look::kStopped);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  EXPECT_FALSE(dlg_->IsTimerRunning(timer_id::kNetZero));
}

// Exit while the dialer waits for the session and the client has stopped
// answering: prompt, and the dialer thread ends by itself within one bounded
// send.
TEST_F(DialerControllerTest, ExitDuringADialIsPrompt) {
  store_.Write(settings::kNetZeroStayOnline, 1);
  store_.Write(settings::kNetZeroUseDialer, 1);
  UseStandIn(R"(
window dialing class="AwtDialog" text="Dialing NetZero..." group=dialing
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect" on=press#1:show:dialing
after 100 settext main "NetZero v2.0"
)",
             "2.0");
  Create();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(client_.WaitForLaunch());
  ASSERT_TRUE(PumpUntil([&] { return client_.CountFromOutside("dialing", "GETTEXT") >= 2; }, 15000));
  ASSERT_TRUE(client_.Command("hang"));
  const double exitAt = NowMs();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  dlg_.reset();
  options_ = ControllerOptions{};
  parts_.reset();
  EXPECT_LT(NowMs() - exitAt, 500.0);
  EXPECT_TRUE(WaitForDialerThreads(3 * SendBoundMs()));
  EXPECT_LT(NowMs() - exitAt, 2.0 * SendBoundMs());
  client_.Command("wake");
}

// A client that stops answering during the ATT scan costs each tick one
// bounded send; the ticks go on and Exit still ends the program.
TEST_F(DialerControllerTest, AHungClientBoundsEachTickAndExitStillEnds) {
  testing_support::TimeScale slower(0.1);  // a tick every 150 ms
  store_.Write(settings::kAttStayOnline, 1);
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="Disconnecting"
window text parent=dialog class="Static" text="Disconnect now?" repeat=6
window button parent=dialog class="Button" text="Tetherly"
)"));
  Create();
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return client_.Count("button", "KEYUP") >= 4; }));
  ASSERT_TRUE(client_.Command("hang"));
  const int before = Looks(31);
  ASSERT_TRUE(testing_support::MessageRecorder::PumpUntil([&] { return Looks(31) >= before + 3; }, 20000));
  HWND h = dlg_->hwnd();
  const double exitAt = NowMs();
  PostMessageA(h, WM_COMMAND, cmd::kExit, 0);
  ASSERT_TRUE(testing_support::MessageRecorder::PumpUntil([&] { return !IsWindow(h); }, 10000));
  EXPECT_LT(NowMs() - exitAt, 2.0 * SendBoundMs());
  client_.Command("wake");
}

}  // namespace

// The dial dialog: what the user sees and what the controller is told, for a
// full dial, errors, hang-ups, line drops and the reconnect countdown.
#include <algorithm>

#include "dial_dialog_fixture.h"
#include "res/resource.h"
#include "support/MessagePump.h"

namespace {

using dialup::DialProgressDlg;
using testing_support::PumpFor;
using testing_support::PumpUntil;

TEST_F(DialDialogTest, AFullDialShowsEveryStateAndReportsIt) {
  sim_.Script("state 0 20\nstate 1 20\nstate 2 20\nstate 3 20\nstate 4 20\nstate 5 20\n"
              "state 6 20\nstate 14 20\nstate 8192 20\n");
  Create();
  EXPECT_EQ(Caption(), "Dial-Up To Loopback ISP");
  EXPECT_EQ(IconShown(), IDI_DIALER_IDLE);
  EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
  EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
  EXPECT_EQ(ItemText(IDC_DIAL_HANG_UP), "&Hang Up");

  Press(IDC_DIAL_DIAL);
  EXPECT_TRUE(dlg_->IsDialing());
  EXPECT_FALSE(Enabled(IDC_DIAL_DIAL));
  EXPECT_TRUE(Enabled(IDC_DIAL_HANG_UP));
  ASSERT_TRUE(WaitForEvents(2));
  EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kConnected}));
  EXPECT_EQ(dialStates_, std::vector<int>{0});
  EXPECT_EQ(captions_, (std::vector<std::string>{"Dialing Loopback ISP", "Connected To Loopback ISP"}));
  // Every state's text in order (dots may follow a text while the next is awaited).
  const std::vector<std::string> states{"Opening port", "Port opened", "Initiating connection",
                                        "Connecting", "Establishing link",
                                        "Initiating authentication", "Authenticating",
                                        "Authenticated", "Connected"};
  std::vector<std::string> shown;
  for (const std::string& t : texts_)
    if (t.find('.') == std::string::npos) shown.push_back(t);
  EXPECT_EQ(shown, states);
  // While dialing the icon runs through its frames; connected, it blinks and stays on 250.
  ASSERT_TRUE(PumpUntil([&] { return !dlg_->IsTimerRunning(DialProgressDlg::kBlinkTimer); }));
  const auto connectedAt = std::find(icons_.begin(), icons_.end(), IDI_DIALER_CONNECTED);
  ASSERT_NE(connectedAt, icons_.end());
  EXPECT_TRUE(std::all_of(icons_.begin(), connectedAt, [](int id) {
    return id == IDI_DIALER_IDLE || (id >= IDI_DIALER_FRAME_FIRST && id <= IDI_DIALER_FRAME_FIRST + 8);
  }));
  EXPECT_TRUE(std::any_of(icons_.begin(), connectedAt, [](int id) { return id == IDI_DIALER_FRAME_FIRST; }));
  EXPECT_EQ(IconShown(), IDI_DIALER_CONNECTED);
  EXPECT_EQ(std::count(connectedAt, icons_.end(), IDI_DIALER_CONNECTED), 4);  // three blinks and the last
  EXPECT_TRUE(dlg_->IsTimerRunning(DialProgressDlg::kLineMonitorTimer));
  EXPECT_FALSE(dlg_->IsTimerRunning(DialProgressDlg::kAnimationTimer));
  EXPECT_FALSE(dlg_->IsTimerRunning(DialProgressDlg::kDotsTimer));
  EXPECT_TRUE(dlg_->IsDialing());
  EXPECT_TRUE(boxes_.empty());
}

// An error during the dial shows the library's text, the failed icon, tells
// the controller and, with "Reconnect" 0, is not tried again (with 1:
// dial_redial_test). The authentication notice raises a system error code by 599.
TEST_F(DialDialogTest, AnErrorDuringTheDialIsShownAndNotRetried) {
  struct Case {
    const char* what;
    const char* script;
    std::string text;
  };
  const Case cases[] = {
      {"state 6 with 691", "state 0 5\nstate 5 5\nstate 6 5 691\n", LibraryText(691)},
      {"state 6 with 5", "state 0 5\nstate 5 5\nstate 6 5 5\n", LibraryText(604)},
      {"state 3 with 678", "state 0 5\nstate 3 5 678\n", LibraryText(678)},
  };
  store_.Write(settings::kModemReconnect, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    sim.Script(c.script);
    events_.clear();
    dialStates_.clear();
    Create();
    Press(IDC_DIAL_DIAL);
    ASSERT_TRUE(WaitForEvents(2));
    EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kFailed}));
    EXPECT_EQ(failedText_, c.text);
    EXPECT_EQ(texts_.back(), c.text);
    EXPECT_EQ(IconShown(), IDI_NOTICE_EXCLAMATION);
    EXPECT_EQ(Caption(), "Dial-Up To Loopback ISP");
    EXPECT_FALSE(dlg_->IsDialing());
    EXPECT_EQ(dialStates_, (std::vector<int>{0, 1}));
    EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
    EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
    // The library gets the failed dial's handle back.
    EXPECT_EQ(sim.Count("RasHangUpA 0x1010 -> 0"), 1);
    for (UINT_PTR id : {DialProgressDlg::kDotsTimer, DialProgressDlg::kAnimationTimer,
                        DialProgressDlg::kLineMonitorTimer, DialProgressDlg::kCountdownTimer})
      EXPECT_FALSE(dlg_->IsTimerRunning(id)) << id;
    PumpFor(100);
    EXPECT_EQ(sim.Count("RasDialA"), 1);
    EXPECT_EQ(events_.size(), 2u);
  }
}

// The user's Hang Up while dialing: idle at once, and a state the library
// sends afterwards ("Connected") changes nothing and starts nothing.
TEST_F(DialDialogTest, HangUpWhileDialingIgnoresALateState) {
  sim_.Script("state 0 5\nstate 1 5\nstate 2 5000\nafter-hangup 8192 20\n");
  store_.Write(settings::kModemReconnect, 1);
  Create();
  Press(IDC_DIAL_DIAL);
  ASSERT_TRUE(WaitForText("Port opened"));
  Press(IDC_DIAL_HANG_UP);
  EXPECT_FALSE(dlg_->IsDialing());
  EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Disconnected from Loopback ISP");
  EXPECT_EQ(Caption(), "Disconnected from Loopback ISP");
  EXPECT_EQ(IconShown(), IDI_DIALER_IDLE);
  EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
  EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
  ASSERT_TRUE(sim_.WaitForCalls("callback 0x1010 state=8192", 1));
  PumpFor(100);
  EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kEnded}));
  EXPECT_EQ(dialStates_, (std::vector<int>{0, 1}));
  EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Disconnected from Loopback ISP");
  for (UINT_PTR id = 5; id <= 13; ++id) EXPECT_FALSE(dlg_->IsTimerRunning(id)) << id;
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
}

// The user's Hang Up right after connecting also ends the blink and the
// minimise: nothing of the dial goes on.
TEST_F(DialDialogTest, HangUpAfterConnectingStopsEveryTimer) {
  testing_support::TimeScale slower(0.1);  // a blink of 150 ms, to hang up in
  sim_.Script(kConnects);
  store_.Write(settings::kModemMinimizeDialog, 1);
  Create();
  DialAndConnect();
  ASSERT_TRUE(dlg_->IsTimerRunning(DialProgressDlg::kBlinkTimer));
  Press(IDC_DIAL_HANG_UP);
  for (UINT_PTR id = 5; id <= 13; ++id) EXPECT_FALSE(dlg_->IsTimerRunning(id)) << id;
  const size_t iconsAtHangUp = icons_.size();
  PumpFor(100);
  EXPECT_EQ(icons_.size(), iconsAtHangUp);
  EXPECT_EQ(IconShown(), IDI_DIALER_IDLE);
  EXPECT_FALSE(IsIconic(hwnd()));
  EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kConnected, kEnded}));
  EXPECT_EQ(store_.Read(settings::kModemPrevRasHandle), 0u);
}

// A drop with "Reconnect" 1 (reported by the library or only found by the
// line monitor): the controller hears of it, the countdown shows 10 down to
// 1 with "&Cancel" on the button, and the redial starts on the tick showing 1.
// With "Reconnect" 0 the dialog just goes idle.
TEST_F(DialDialogTest, ALineDropIsReportedAndRedialledWhenAskedTo) {
  struct Case {
    const char* what;
    DWORD reconnect;
    bool notify;
  };
  const Case cases[] = {{"Reconnect 1, silent drop", 1, false},
                        {"Reconnect 1, state 8193", 1, true},
                        {"Reconnect 0", 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    sim.Script(kConnects);
    store_.Write(settings::kModemReconnect, c.reconnect);
    events_.clear();
    Create();
    DialAndConnect();
    texts_.clear();
    int dialsWhenOneShown = -1;
    bool cancelWhileCounting = true;
    onText_ = [&](const std::string& t) {
      if (t == Countdown(1)) dialsWhenOneShown = sim.Count("RasDialA");
      if (t.rfind("Reconnecting", 0) == 0)
        cancelWhileCounting = cancelWhileCounting && ItemText(IDC_DIAL_HANG_UP) == "&Cancel";
    };
    sim.DropLine(c.notify);
    ASSERT_TRUE(PumpUntil([&] { return events_.size() >= 3; }));
    EXPECT_EQ(events_[2], kEnded);
    if (c.reconnect == 1) {
      ASSERT_TRUE(sim.WaitForCalls("RasDialA", 2));
      std::vector<std::string> counted;
      for (const std::string& t : texts_)
        if (t.rfind("Reconnecting", 0) == 0) counted.push_back(t);
      std::vector<std::string> expected;
      for (int n = 10; n >= 1; --n) expected.push_back(Countdown(n));
      EXPECT_EQ(counted, expected);
      EXPECT_TRUE(cancelWhileCounting);
      EXPECT_EQ(dialsWhenOneShown, 1);
      EXPECT_EQ(dlg_->countdown(), DialProgressDlg::kCountdownStart);
      ASSERT_TRUE(PumpUntil([&] { return events_.size() >= 5; }));
      EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kConnected, kEnded, kDialing, kConnected}));
    } else {
      PumpFor(150);
      EXPECT_FALSE(dlg_->IsTimerRunning(DialProgressDlg::kCountdownTimer));
      EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Disconnected from Loopback ISP");
      EXPECT_EQ(Caption(), "Dial-Up To Loopback ISP");
      EXPECT_EQ(sim.Count("RasDialA"), 1);
      EXPECT_EQ(events_.size(), 3u);
    }
    EXPECT_EQ(c.notify, Saw(texts_, "Disconnected"));
    onText_ = nullptr;
  }
}

// "&Cancel" at 4 seconds: no redial, the button is "&Hang Up" again and
// disabled; the next drop counts down from 10.
TEST_F(DialDialogTest, CancellingTheCountdownStopsItAndTheNextStartsAtTen) {
  sim_.Script(kConnects);
  store_.Write(settings::kModemReconnect, 1);
  Create();
  DialAndConnect();
  onText_ = [&](const std::string& t) {
    if (t == Countdown(4)) PostPress(IDC_DIAL_HANG_UP);
  };
  sim_.DropLine(true);
  ASSERT_TRUE(WaitForText("Re-connection cancelled."));
  EXPECT_EQ(texts_[texts_.size() - 2], Countdown(4));
  EXPECT_EQ(ItemText(IDC_DIAL_HANG_UP), "&Hang Up");
  EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
  EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
  PumpFor(150);
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
  EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Re-connection cancelled.");

  onText_ = nullptr;
  DialAndConnect();
  texts_.clear();
  sim_.DropLine(false);
  ASSERT_TRUE(sim_.WaitForCalls("RasDialA", 3));
  EXPECT_EQ(*std::find_if(texts_.begin(), texts_.end(),
                          [](const std::string& t) { return t.rfind("Reconnecting", 0) == 0; }),
            Countdown(10));
}

// Dial during the countdown stops it: one dial, not a second at its end.
TEST_F(DialDialogTest, DialDuringTheCountdownDialsOnce) {
  sim_.Script(kConnects);
  store_.Write(settings::kModemReconnect, 1);
  Create();
  DialAndConnect();
  onText_ = [&](const std::string& t) {
    if (t == Countdown(7)) PostPress(IDC_DIAL_DIAL);
  };
  sim_.DropLine(false);
  ASSERT_TRUE(sim_.WaitForCalls("RasDialA", 2));
  onText_ = nullptr;
  EXPECT_FALSE(dlg_->IsTimerRunning(DialProgressDlg::kCountdownTimer));
  EXPECT_EQ(dlg_->countdown(), DialProgressDlg::kCountdownStart);
  ASSERT_TRUE(PumpUntil([&] { return std::count(events_.begin(), events_.end(), kConnected) == 2; }));
  PumpFor(200);
  EXPECT_EQ(sim_.Count("RasDialA"), 2);
  EXPECT_FALSE(Saw(texts_, Countdown(6)));
}

// Minimised after a successful dial only when asked to and when the dialog
// is shown at all ("Prompt To Dial" 1): a hidden dialog stays hidden.
TEST_F(DialDialogTest, MinimisedAfterConnectingOnlyWhenAskedAndShown) {
  struct Case {
    DWORD promptToDial, minimize;
    bool visible, iconic;
  };
  const Case cases[] = {{1, 1, true, true}, {1, 0, true, false}, {0, 1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("Prompt To Dial " + std::to_string(c.promptToDial) + ", Minimize Dialog " +
                 std::to_string(c.minimize));
    testing_support::SimulatedRas sim;
    sim.Script(kConnects);
    store_.Write(settings::kModemPromptToDial, c.promptToDial);
    store_.Write(settings::kModemMinimizeDialog, c.minimize);
    Create(c.promptToDial == 1 ? SW_SHOW : SW_HIDE);
    EXPECT_EQ(IsDlgButtonChecked(hwnd(), IDC_DIAL_MINIMIZE) == BST_CHECKED, c.minimize == 1);
    EXPECT_EQ(IsDlgButtonChecked(hwnd(), IDC_DIAL_DONT_SHOW), static_cast<UINT>(BST_UNCHECKED));
    DialAndConnect();
    ASSERT_TRUE(PumpUntil([&] { return !dlg_->IsTimerRunning(DialProgressDlg::kMinimiseTimer); }));
    EXPECT_EQ(IsWindowVisible(hwnd()) != FALSE, c.visible);
    EXPECT_EQ(IsIconic(hwnd()) != FALSE, c.iconic);
  }
}

// The close box and Esc only hide the dialog; the dial goes on.
TEST_F(DialDialogTest, CloseAndEscOnlyHide) {
  sim_.Script("state 0 5\nstate 1 40\nstate 8192 5\n");
  Create();
  Press(IDC_DIAL_DIAL);
  SendMessageA(hwnd(), WM_CLOSE, 0, 0);  // posts IDCANCEL
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(hwnd()); }));
  ASSERT_TRUE(IsWindow(hwnd()));
  dlg_->Show(true);
  SendMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd()));
  ASSERT_TRUE(WaitForEvents(2));
  EXPECT_EQ(events_[1], kConnected);
  EXPECT_EQ(Caption(), "Connected To Loopback ISP");
}

TEST_F(DialDialogTest, CheckBoxesStoreTheirSettingsAtOnce) {
  Create();
  CheckDlgButton(hwnd(), IDC_DIAL_MINIMIZE, BST_CHECKED);
  Press(IDC_DIAL_MINIMIZE);
  EXPECT_EQ(store_.Read(settings::kModemMinimizeDialog), 1u);
  CheckDlgButton(hwnd(), IDC_DIAL_MINIMIZE, BST_UNCHECKED);
  Press(IDC_DIAL_MINIMIZE);
  EXPECT_EQ(store_.Read(settings::kModemMinimizeDialog), 0u);
  CheckDlgButton(hwnd(), IDC_DIAL_DONT_SHOW, BST_CHECKED);
  Press(IDC_DIAL_DONT_SHOW);
  EXPECT_EQ(store_.Read(settings::kModemPromptToDial), 0u);
  CheckDlgButton(hwnd(), IDC_DIAL_DONT_SHOW, BST_UNCHECKED);
  Press(IDC_DIAL_DONT_SHOW);
  EXPECT_EQ(store_.Read(settings::kModemPromptToDial), 1u);
}

// Never two dials: while a box of the wrapper is up, Dial and Hang Up (from
// the buttons or the tray) start nothing. The box here is a refused hang-up,
// during which the dialing flag would otherwise read 0.
TEST_F(DialDialogTest, NothingStartsWhileABoxIsUp) {
  sim_.Script(kConnects);
  Create();
  DialAndConnect();
  sim_.Script("hangup-result 5\n");
  int boxes = 0;
  onBox_ = [&](const Box&) {
    ++boxes;
    dlg_->Dial();
    dlg_->HangUp();
    Press(IDC_DIAL_DIAL);
    return IDOK;
  };
  Press(IDC_DIAL_HANG_UP);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
  EXPECT_EQ(sim_.Count("RasHangUpA"), 1);
  // A failed hang-up leaves the dialog as it was.
  EXPECT_TRUE(dlg_->IsDialing());
  EXPECT_FALSE(Enabled(IDC_DIAL_DIAL));
  EXPECT_TRUE(Enabled(IDC_DIAL_HANG_UP));
  EXPECT_EQ(dialStates_, std::vector<int>{0});
  EXPECT_EQ(boxes_[0].text, LibraryText(605));
}

// States the library reports while a box is up wait for it to close.
TEST_F(DialDialogTest, AStateDuringABoxIsHandledAfterIt) {
  sim_.Script(kConnects);
  Create();
  DialAndConnect();
  sim_.Script("hangup-result 5\n");
  onBox_ = [&](const Box&) {
    onBox_ = nullptr;
    sim_.DropLine(true);
    PumpFor(50);  // the drop's state arrives while the box is up
    EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Connected");
    sim_.Script("");
    return IDOK;
  };
  Press(IDC_DIAL_HANG_UP);
  EXPECT_EQ(ItemText(IDC_DIAL_PROGRESS), "Disconnected");
  EXPECT_FALSE(dlg_->IsDialing());
}

// A dial that cannot start (shown by the wrapper) leaves the dialog idle and
// the tray's Dial working.
TEST_F(DialDialogTest, ADialThatCannotStartLeavesItIdle) {
  sim_.Script("dial-result 623\n");
  Create();
  Press(IDC_DIAL_DIAL);
  EXPECT_FALSE(dlg_->IsDialing());
  EXPECT_EQ(dialStates_, (std::vector<int>{0, 1}));
  EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
  EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
  EXPECT_EQ(Caption(), "Dial-Up To Loopback ISP");
  EXPECT_TRUE(events_.empty());
  EXPECT_FALSE(dlg_->IsTimerRunning(DialProgressDlg::kAnimationTimer));
  sim_.Script(kConnects);
  DialAndConnect();
  EXPECT_EQ(sim_.Count("RasDialA"), 2);
}

// Without "Use Dialer" the controller is told nothing, whatever happens.
TEST_F(DialDialogTest, WithoutUseDialerNoEventIsSent) {
  sim_.Script(kConnects);
  store_.Write(settings::kModemUseDialer, 0);
  store_.Write(settings::kModemReconnect, 1);
  Create();
  dlg_->Dial();
  ASSERT_TRUE(WaitForText("Connected"));
  sim_.DropLine(true);
  ASSERT_TRUE(sim_.WaitForCalls("RasDialA", 2));
  ASSERT_TRUE(PumpUntil([&] { return std::count(texts_.begin(), texts_.end(), "Connected") == 2; }));
  sim_.Script("state 0 5\nstate 3 5 678\n");
  dlg_->HangUp();
  dlg_->Dial();
  ASSERT_TRUE(WaitForText(LibraryText(678)));
  PumpFor(50);
  EXPECT_TRUE(events_.empty());
}

}  // namespace

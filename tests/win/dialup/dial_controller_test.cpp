// The controller as the program wires it, dialing through the dial dialog and
// the simulated library.
#include <algorithm>
#include <memory>

#include "app/StatusReportDlg.h"
#include "dialup_fixture.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/ProductionController.h"
#include "win/Clock.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;

class DialControllerTest : public DialUpTest {
 protected:
  DialControllerTest() {
    EXPECT_TRUE(sim_.ok()) << "the simulated rasapi32.dll is not the one loaded";
    store_.Write(settings::kModemPromptToDial, 0);  // hidden: nothing to click away
  }
  ~DialControllerTest() override { dlg_.reset(); }

  void Start() {
    dlg_ = std::make_unique<StatusReportDlg>(testing_support::ProductionOptionsRecordingLooks(&looks_));
    ASSERT_TRUE(dlg_->Create());
  }
  bool Looked(int look) const { return std::find(looks_.begin(), looks_.end(), look) != looks_.end(); }
  bool MenuItemOff(HMENU popup, UINT id) const {
    return (GetMenuState(popup, id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == (MF_DISABLED | MF_GRAYED);
  }

  std::unique_ptr<StatusReportDlg> dlg_;
  std::vector<int> looks_;
};

// The tray's Dial: the dialog dials, the tray animates, blinks, and once the
// blink confirms the connection the service runs. The menu then offers Hang Up.
TEST_F(DialControllerTest, ADialFromTheTrayStartsTheServiceOnceConfirmed) {
  sim_.Script("state 0 5\nstate 6 5\nstate 8192 5\n");
  Start();
  ASSERT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kRunning); }));
  EXPECT_EQ(testing_support::DialLooks(looks_), (std::vector<int>{tray_look::kDialing, tray_look::kConnecting,
                                         tray_look::kConnected, tray_look::kRunning}));
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_EQ(dlg_->dialState(), 0);

  HMENU menu = dlg_->BuildTrayMenu();
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  EXPECT_TRUE(MenuItemOff(popup, cmd::kDial));
  EXPECT_FALSE(MenuItemOff(popup, cmd::kHangUp));
  DestroyMenu(menu);

  // The tray's Hang Up: the line goes, the service stops, Dial is offered again.
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kHangUp, 0);
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kDialEnded); }));
  ASSERT_TRUE(PumpUntil([&] { return dlg_->mode() == ConnectionMode::Stopped; }));
  EXPECT_EQ(dlg_->dialState(), 1);
  EXPECT_EQ(sim_.Count("RasHangUpA 0x1010 -> 0"), 1);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(notices_.empty());
}

TEST_F(DialControllerTest, ExitWhileConnectedHangsUp) {
  sim_.Script("state 0 5\nstate 8192 5\n");
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kRunning); }));
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_EQ(dlg_->hwnd(), nullptr);
  EXPECT_EQ(sim_.Count("RasHangUpA 0x1010 -> 0"), 1);
  EXPECT_EQ(store_.Read(settings::kModemPrevRasHandle), 0u);
}

// The countdown timer (13) of the dial dialog has been started this many times.
int g_countdowns = 0;
void CountCountdowns(HWND, UINT_PTR id, DWORD) {
  if (id == 13) ++g_countdowns;
}

class DialRetryControllerTest : public DialControllerTest {
 protected:
  DialRetryControllerTest() {
    store_.Write(settings::kModemReconnect, 1);
    g_countdowns = 0;
    win::SetTimerObserver(&CountCountdowns);
  }
  ~DialRetryControllerTest() override { win::SetTimerObserver(nullptr); }
  std::vector<int> TriesLooks() const {
    std::vector<int> out;
    for (int look : looks_)
      if (look == tray_look::kDialing || look == tray_look::kError || look == tray_look::kConnecting ||
          look == tray_look::kConnected || look == tray_look::kRunning)
        out.push_back(look);
    return out;
  }
};

// With "Reconnect" 1 the tray shows each try's dialing look and the failed
// look between them, until a try connects and the service runs.
TEST_F(DialRetryControllerTest, TheTrayShowsEachTryAndTheFailureBetween) {
  sim_.Script("state 0 5\nstate 3 5 678\nthen\nstate 0 5\nstate 6 5 691\nthen\nstate 0 5\nstate 8192 5\n");
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kRunning); }, 20000));
  using namespace tray_look;
  EXPECT_EQ(TriesLooks(), (std::vector<int>{kDialing, kError, kDialing, kError, kDialing, kConnecting, kConnected,
                                            kRunning}));
  EXPECT_EQ(sim_.Count("RasDialA"), 3);
  EXPECT_EQ(g_countdowns, 2);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  EXPECT_TRUE(boxes_.empty());
}

// Exit during a countdown: no redial follows, and the program ends.
TEST_F(DialRetryControllerTest, ExitDuringTheCountdownEndsIt) {
  sim_.Script("state 0 5\nstate 3 5 678\n");
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return g_countdowns == 1; }));
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_EQ(dlg_->hwnd(), nullptr);
  PumpFor(500);  // 50 program seconds, past the 10-second pause
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
}

// The tray's Dial during a countdown dials at once and ends the sequence:
// the countdown's own redial never comes.
TEST_F(DialRetryControllerTest, ADialFromTheTrayEndsTheSequence) {
  sim_.Script("state 0 5\nstate 3 5 678\nthen\nstate 0 5\nstate 8192 5\n");
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return g_countdowns == 1; }));
  ASSERT_EQ(dlg_->dialState(), 1);  // the menu offers Dial
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  EXPECT_EQ(sim_.Count("RasDialA"), 2);
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kRunning); }));
  PumpFor(300);
  EXPECT_EQ(sim_.Count("RasDialA"), 2);
  EXPECT_EQ(g_countdowns, 1);
}

// During a countdown the line is idle, yet the tray offers Hang Up beside
// Dial: with the dial dialog hidden it is how the user ends the retries.
TEST_F(DialRetryControllerTest, TheTraysHangUpEndsACountdown) {
  sim_.Script("state 0 5\nstate 3 5 678\n");
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_TRUE(PumpUntil([&] { return g_countdowns == 1; }));
  auto menuOffers = [&](UINT id) {
    HMENU menu = dlg_->BuildTrayMenu();
    const bool on = menu && !MenuItemOff(GetSubMenu(menu, 0), id);
    if (menu) DestroyMenu(menu);
    return on;
  };
  EXPECT_TRUE(menuOffers(cmd::kDial));
  EXPECT_TRUE(menuOffers(cmd::kHangUp));
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kHangUp, 0);
  PumpFor(500);  // 50 program seconds, past the 10-second pause
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
  EXPECT_TRUE(menuOffers(cmd::kDial));
  EXPECT_FALSE(menuOffers(cmd::kHangUp));
}

// "Dial At Startup" with the dialer on: the program dials by itself, once.
TEST_F(DialControllerTest, DialAtStartupDialsOnce) {
  sim_.Script("state 0 5\nstate 8192 5\n");
  store_.Write(settings::kModemDialAtStartup, 1);
  Start();
  ASSERT_TRUE(PumpUntil([&] { return Looked(tray_look::kRunning); }));
  PumpFor(100);
  EXPECT_EQ(sim_.Count("RasDialA"), 1);
}

}  // namespace

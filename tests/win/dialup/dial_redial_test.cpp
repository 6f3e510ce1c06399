// "Reconnect until you disconnect": a dial that ends in an error is tried
// again after a countdown, with growing pauses; refused logins stop it; the
// user's Cancel and Hang Up end it. Also every state's text, a line that goes
// down before it came up, the timer periods the dialog asks for, and a
// thousand dials that leave nothing behind.
#include <algorithm>

#include "dial_dialog_fixture.h"
#include "res/resource.h"
#include "support/MessagePump.h"

namespace {

using dialup::DialProgressDlg;
using testing_support::PumpFor;
using testing_support::PumpUntil;

constexpr const char* kFails678 = "state 0 5\nstate 3 5 678\n";
constexpr const char* kRefused691 = "state 0 5\nstate 5 5\nstate 6 5 691\n";
const std::string kDisconnectedFrom = "Disconnected from Loopback ISP";

bool IsCountdown(const std::string& text) { return text.rfind("Reconnecting in ", 0) == 0; }

// The handle a log line names after `key` ("handle=", "RasHangUpA ").
std::string HandleAfter(const std::string& line, const std::string& key) {
  const size_t at = line.find(key);
  if (at == std::string::npos) return {};
  const size_t start = at + key.size();
  return line.substr(start, line.find(' ', start) - start);
}

// Never two dials: each dial after the first starts only once the library
// has the one before it back.
::testing::AssertionResult OneDialAtATime(const std::vector<std::string>& log) {
  std::string inFlight;
  for (const std::string& line : log) {
    if (line.rfind("RasDialA ", 0) == 0) {
      if (!inFlight.empty()) return ::testing::AssertionFailure() << "a dial while " << inFlight << " was in flight";
      inFlight = HandleAfter(line, "handle=");
    } else if (line.rfind("RasHangUpA ", 0) == 0 && line.find("-> 0") != std::string::npos &&
               HandleAfter(line, "RasHangUpA ") == inFlight) {
      inFlight.clear();
    }
  }
  return ::testing::AssertionSuccess();
}

class DialRedialTest : public DialDialogTest {
 protected:
  // The first number of each countdown, and the text shown just before it.
  void CountdownsShown(std::vector<int>& pauses, std::vector<std::string>& before) const {
    for (size_t i = 0; i < texts_.size(); ++i) {
      if (!IsCountdown(texts_[i]) || (i > 0 && IsCountdown(texts_[i - 1]))) continue;
      pauses.push_back(std::stoi(texts_[i].substr(16)));
      before.push_back(i > 0 ? texts_[i - 1] : "");
    }
  }
  std::vector<DWORD> Requested(UINT_PTR id) const {
    std::vector<DWORD> periods;
    for (const TimerRequest& r : timerRequests_)
      if (r.id == id) periods.push_back(r.ms);
    return periods;
  }
};

// The retry table, each row a dial pressed once by the user and what the
// dialog does by itself afterwards.
TEST_F(DialRedialTest, FailedDialsAreTriedAgainWithGrowingPauses) {
  enum Action { kNothing, kDropOnce, kCancelInSecondCountdown, kHangUpInSecondDial };
  struct Case {
    const char* what;
    DWORD reconnect;
    std::string script;  // one block per dial, "then" between them
    Action action;
    int dials;
    std::vector<int> pauses;           // seconds, as the countdowns show them
    std::vector<std::string> before;   // the text each countdown follows
    std::vector<WPARAM> events;
    std::string textStarts, textEnds;  // the progress text at the end
  };
  const std::string connects = kConnects;
  const Case cases[] = {
      {"678, then success", 1, kFails678 + std::string("then\n") + connects, kNothing, 2, {10},
       {LibraryText(678)}, {kDialing, kFailed, kDialing, kConnected}, "Connected", "Connected"},
      {"691 three times: stops", 1, kRefused691, kNothing, 3, {10, 30},
       {LibraryText(691), LibraryText(691)}, {kDialing, kFailed, kDialing, kFailed, kDialing, kFailed},
       "Redialing stopped", LibraryText(691)},
      {"691, then success", 1, kRefused691 + std::string("then\n") + connects, kNothing, 2, {10},
       {LibraryText(691)}, {kDialing, kFailed, kDialing, kConnected}, "Connected", "Connected"},
      {"a drop, a failed redial, then success", 1,
       connects + "then\n" + kFails678 + "then\n" + connects, kDropOnce, 3, {10, 30},
       {kDisconnectedFrom, LibraryText(678)}, {kDialing, kConnected, kEnded, kDialing, kFailed, kDialing, kConnected},
       "Connected", "Connected"},
      {"Cancel during the second countdown", 1, kFails678, kCancelInSecondCountdown, 2, {10, 30},
       {LibraryText(678), LibraryText(678)}, {kDialing, kFailed, kDialing, kFailed},
       "Re-connection cancelled.", "Re-connection cancelled."},
      {"Hang Up during a retry's dial", 1, kFails678 + std::string("then\nstate 0 5\nstate 1 5\nstate 2 600000\n"),
       kHangUpInSecondDial, 2, {10}, {LibraryText(678)}, {kDialing, kFailed, kDialing, kEnded},
       kDisconnectedFrom, kDisconnectedFrom},
      {"a line that goes down before it came up", 1, "state 0 5\nstate 8193 5\nthen\n" + connects, kNothing, 2,
       {10}, {"Disconnected"}, {kDialing, kEnded, kDialing, kConnected}, "Connected", "Connected"},
      {"a redial the library refuses at once", 1,
       kFails678 + std::string("then\ndial-result 633\nthen\n") + connects, kNothing, 3, {10, 30},
       {LibraryText(678), LibraryText(633)}, {kDialing, kFailed, kFailed, kDialing, kConnected}, "Connected",
       "Connected"},
      // "Reconnect" 0 with each error: AnErrorDuringTheDialIsShownAndNotRetried.
      {"Reconnect 0: down before it came up", 0, "state 0 5\nstate 8193 5\n", kNothing, 1, {}, {},
       {kDialing, kEnded}, "Disconnected", "Disconnected"},
  };
  // What the user (or the line) does, as the dialog shows its progress.
  Action action = kNothing;
  bool dropped = false, cancelWhileCounting = true;
  onText_ = [&](const std::string& t) {
    // The countdown is the line drop's: "&Cancel" on the button while it runs.
    if (IsCountdown(t))
      cancelWhileCounting = cancelWhileCounting && ItemText(IDC_DIAL_HANG_UP) == "&Cancel" && Enabled(IDC_DIAL_HANG_UP);
    if (action == kCancelInSecondCountdown && t == Countdown(25)) PostPress(IDC_DIAL_HANG_UP);
    if (action == kHangUpInSecondDial && t == "Port opened" && sim_.Count("RasDialA") == 2)
      PostPress(IDC_DIAL_HANG_UP);
  };
  controller_.onMessage = [&](UINT msg, WPARAM wp, LPARAM) {
    if (msg != dialup::kDialEventMessage) return;
    events_.push_back(wp);
    if (action == kDropOnce && wp == kConnected && !dropped) {
      dropped = true;
      sim_.DropLine(false);
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;  // a fresh log; the same library as sim_
    testing_support::TraceRecorder::Clear();
    sim.Script(c.script);
    store_.Write(settings::kModemReconnect, c.reconnect);
    store_.Write(settings::kModemPrevRasHandle, 0);  // the last row's line is gone with the library's reset
    events_.clear();
    texts_.clear();
    timerRequests_.clear();
    boxes_.clear();
    action = c.action;
    dropped = false;
    cancelWhileCounting = true;
    Create();
    Press(IDC_DIAL_DIAL);
    // Settled: every event is in, and no countdown runs.
    ASSERT_TRUE(PumpUntil([&] {
      return events_.size() >= c.events.size() && !dlg_->IsTimerRunning(DialProgressDlg::kCountdownTimer);
    }, 30000)) << events_.size();
    PumpFor(300);  // 30 program seconds: anything that follows shows
    EXPECT_EQ(events_, c.events);
    EXPECT_EQ(sim.Count("RasDialA"), c.dials);
    EXPECT_TRUE(OneDialAtATime(sim.Log()));
    std::vector<int> pauses;
    std::vector<std::string> before;
    CountdownsShown(pauses, before);
    EXPECT_EQ(pauses, c.pauses);
    EXPECT_EQ(before, c.before);
    // Each pause is its count of one-second ticks, as asked of the time facility.
    EXPECT_EQ(Requested(DialProgressDlg::kCountdownTimer), std::vector<DWORD>(c.pauses.size(), 1000));
    for (size_t i = 0; i < texts_.size(); ++i) {
      if (!IsCountdown(texts_[i]) || (i > 0 && IsCountdown(texts_[i - 1]))) continue;
      const int from = std::stoi(texts_[i].substr(16));
      for (int n = from; n >= 1 && i < texts_.size() && IsCountdown(texts_[i]); --n, ++i)
        EXPECT_EQ(texts_[i], Countdown(n));
    }
    const std::string last = ItemText(IDC_DIAL_PROGRESS);
    EXPECT_EQ(last.rfind(c.textStarts, 0), 0u) << last;
    EXPECT_TRUE(last.size() >= c.textEnds.size() && last.substr(last.size() - c.textEnds.size()) == c.textEnds)
        << last;
    // The error stays in the trace when the countdown replaces it on screen.
    for (const std::string& b : c.before) {
      if (b.rfind("Simulated", 0) == 0) {
        EXPECT_TRUE(TraceMentions(b)) << b;
      }
    }
    EXPECT_TRUE(cancelWhileCounting);
    EXPECT_TRUE(boxes_.empty());
  }
  onText_ = nullptr;
}

// Every connection state with the text the dialog shows for it.
TEST_F(DialRedialTest, EveryStateShowsItsText) {
  struct Case {
    DWORD state;
    const char* text;
  };
  const Case cases[] = {
      {0, "Opening port"},
      {1, "Port opened"},
      {2, "Initiating connection"},
      {3, "Connecting"},
      {4, "Establishing link"},
      {5, "Initiating authentication"},
      {6, "Authenticating"},
      {7, "Retrying authentication"},
      {8, "Remote server requesting for callback number"},
      {9, "Requesting change of password"},
      {10, "Logging on to network"},
      {11, "Starting link-speed calculation"},
      {12, "Authentication request acknowledged"},
      {13, "Starting reauthentication"},
      {14, "Authenticated"},
      {15, "Disconnecting for callback"},
      {16, "Resetting modem for callback"},
      {17, "Waiting for callback"},
      {18, "Projection phase done"},
      {19, "Initiating user authentication"},
      {20, "Resuming authentication"},
      {21, "Logging on to network"},
      {22, "Secondary connection established"},
      {23, "Secondary connection disconnected"},
      {4096, "Terminal state"},
      {4097, "Retrying authentication"},
      {4098, "Setting callback"},
      {4099, "Password expired"},
      {24, "Undefined error"},
      {4100, "Undefined error"},
      {8192, "Connected"},
  };
  std::string script;
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    script += "state " + std::to_string(c.state) + " 5\n";
    expected.push_back(c.text);
  }
  sim_.Script(script + "drop 5 notify\n");
  Create();
  Press(IDC_DIAL_DIAL);
  ASSERT_TRUE(WaitForText("Disconnected"));
  expected.push_back("Disconnected");  // 8193
  std::vector<std::string> shown;
  for (const std::string& t : texts_) {
    // Not the progress dots, nor the line-down text that comes before 8193's.
    if ((t.empty() || t.back() != '.') && t != "Disconnected from Loopback ISP") shown.push_back(t);
  }
  EXPECT_EQ(shown, expected);
}

// State 8193 before 8192: the dial never came up. The dialing looks end
// (the dialog idle, the controller told the dial ended), nothing connected.
TEST_F(DialRedialTest, DownBeforeUpEndsTheDialingLooks) {
  sim_.Script("state 0 5\nstate 1 5\nstate 8193 5\nafter-hangup 8192 5\n");
  Create();
  Press(IDC_DIAL_DIAL);
  ASSERT_TRUE(WaitForEvents(2));
  PumpFor(100);
  EXPECT_EQ(events_, (std::vector<WPARAM>{kDialing, kEnded}));
  EXPECT_FALSE(dlg_->IsDialing());
  EXPECT_EQ(dialStates_, (std::vector<int>{0, 1}));
  EXPECT_EQ(IconShown(), IDI_DIALER_IDLE);
  EXPECT_EQ(Caption(), "Dial-Up To Loopback ISP");
  EXPECT_TRUE(Enabled(IDC_DIAL_DIAL));
  EXPECT_FALSE(Enabled(IDC_DIAL_HANG_UP));
  for (UINT_PTR id = 5; id <= 13; ++id) EXPECT_FALSE(dlg_->IsTimerRunning(id)) << id;
  EXPECT_EQ(sim_.Count("RasHangUpA 0x1010 -> 0"), 1);
}

// The periods each timer is asked for, whatever the time scale: progress
// dots 1500 ms, animation 150, blink 250, minimise 2500, line monitor 5000,
// countdown 1000.
TEST_F(DialRedialTest, TimersAreAskedForTheirPeriods) {
  sim_.Script(std::string(kConnects) + "then\n" + kConnects);
  store_.Write(settings::kModemReconnect, 1);
  store_.Write(settings::kModemMinimizeDialog, 1);
  Create();
  DialAndConnect();
  ASSERT_TRUE(PumpUntil([&] { return !dlg_->IsTimerRunning(DialProgressDlg::kMinimiseTimer); }));
  sim_.DropLine(false);
  ASSERT_TRUE(sim_.WaitForCalls("RasDialA", 2));
  const std::pair<UINT_PTR, DWORD> periods[] = {{5, 1500}, {6, 150}, {7, 250}, {8, 2500}, {12, 5000}, {13, 1000}};
  for (const auto& [id, ms] : periods) {
    SCOPED_TRACE(id);
    const std::vector<DWORD> asked = Requested(id);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked, std::vector<DWORD>(asked.size(), ms));
  }
}

// A thousand dials, half of them failing, leave the program's handles and
// the library's memory as they were after the first four hundred (by then
// the library's log has reached its bound).
TEST_F(DialRedialTest, AThousandDialsLeaveNothingBehind) {
  testing_support::TimeScale faster(0.001);
  Create(SW_HIDE);
  DWORD handlesAt400 = 0, footprintAt400 = 0;
  for (int dial = 1; dial <= 1000; ++dial) {
    const bool fails = dial % 2 == 0;
    sim_.Script(fails ? "state 3 1 678\n" : "state 8192 1\n");
    const size_t before = events_.size();
    dlg_->Dial();
    ASSERT_TRUE(PumpUntil([&] {
      return events_.size() >= before + 2 && events_.back() == (fails ? kFailed : kConnected);
    })) << "dial " << dial << ", the last event " << events_.back();
    if (!fails) dlg_->HangUp();
    ASSERT_FALSE(dlg_->IsDialing()) << "dial " << dial;
    if (dial == 400) {
      PumpFor(50);
      handlesAt400 = testing_support::OpenHandleCount();
      footprintAt400 = sim_.Footprint();
    }
  }
  PumpFor(50);
  const DWORD handles = testing_support::OpenHandleCount();
  EXPECT_EQ(sim_.CallCount("RasDialA"), 1000);
  EXPECT_GT(handlesAt400, 10u);
  EXPECT_LE(handles, handlesAt400 + 4) << "at 400 dials: " << handlesAt400;
  EXPECT_LE(sim_.Footprint(), footprintAt400 + 2048) << "at 400 dials: " << footprintAt400;
}

}  // namespace

// The NetZero inactivity watcher (timer 9) against the stand-in client: both
// branches over every dialog it knows, and the redial after a lost session.
#include <cstdio>

#include "base/Trace.h"
#include "netzero_fixture.h"
#include "support/MessagePump.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;
using V = std::vector<std::string>;
using namespace watch;

// Every dialog of the watcher's table, two tips among them (the first listed
// stands on top, so FindWindowA gives that one).
constexpr const char* kAllDialogs = R"(
window warning class="AwtDialog" text="zCast Inactivity Warning"
window wtext parent=warning class="Static" text="You have been inactive."
window resume parent=warning class="Button" text="Resume"
window notice class="AwtDialog" text="Inactivity Notice"
window tip class="AwtDialog" text="NetZero Tip"
window tip2 class="AwtDialog" text="NetZero Tip"
window lost class="AwtDialog" text="Connection Lost"
window zeroport class="AwtDialog" text="The ZeroPort is terminating!"
window zpanel parent=zeroport class="AwtPanel"
window zcanvas parent=zpanel class="AwtCanvas"
window terminated class="AwtDialog" text="Your session has been terminated"
)";

V Click(const std::string& id, int x, int y) {
  char lp[16];
  std::snprintf(lp, sizeof(lp), "%x", (y << 16) | x);
  return {id + " LBUTTONDOWN 0 " + lp, id + " LBUTTONUP 0 " + lp};
}

class NetZeroWatchTest : public DialerTest {
 protected:
  NetZeroWatchTest() : watcher_(Env(), [this] { dialer_.Redial(); }) {}

  void Scan() {
    tick_.Clear();
    watch::SendScope scope(tick_);
    watcher_.ScanNetZeroInactivity();
  }

  NetZeroWatcher watcher_;
  // No client is started here: the redials run at a hundredth of real time.
  testing_support::TimeScale watchScale_{0.01};
};

// Versions 3.0 to 4.1: the nine rows in order, each dialog clicked at its
// two points (the tip four times with four pairs, the second tip not at
// all), "Resume" pressed, every canvas of the ZeroPort dialog clicked over
// the grid (x outer, y inner). With "Auto Redial" 0 nothing is redialled.
TEST_F(NetZeroWatchTest, ByCoordinatesEveryRowInOrder) {
  ASSERT_TRUE(client_.Start(kAllDialogs));
  store_.Write(settings::kNetZeroStayOnline, 1);
  UseVersion("4.0");
  Scan();
  V grid;
  for (int x = 15; x <= 210; x += 15)
    for (int y = 10; y <= 80; y += 10) {
      V c = Click("zcanvas", x, y);
      grid.insert(grid.end(), c.begin(), c.end());
    }
  EXPECT_EQ(client_.Received(),
            Join({Click("warning", 220, 114), Click("warning", 220, 101), FocusSpacePressOf("resume"),
                  Click("notice", 156, 114), Click("notice", 156, 101),
                  Click("tip", 156, 114), Click("tip", 156, 101),
                  Click("tip", 140, 70), Click("tip", 140, 57),
                  Click("tip", 175, 87), Click("tip", 175, 74),
                  Click("lost", 134, 67), Click("lost", 134, 54),
                  Click("tip", 135, 102), Click("tip", 162, 122),
                  grid,
                  Click("terminated", 145, 72), Click("terminated", 175, 85)}));
  EXPECT_EQ(Trace(), V({"AWTDIALOG TEXT: You have been inactive.", "AWTDIALOG TEXT: Resume",
                        "Finished clicking 'Resume' button",
                        "Found Zero Port is terminating window, ***AwtDialog***",
                        "......Attempting to click the 'OK' button......",
                        "......Attempting to redial NetZero"}));
  EXPECT_EQ(looks_, std::vector<int>{28});
  PumpFor(50);
  EXPECT_EQ(Statuses(), V{});
}

// Any other version: only the inactivity warning, by its "Resume" caption.
TEST_F(NetZeroWatchTest, ByCaptionOnlyResumes) {
  ASSERT_TRUE(client_.Start(kAllDialogs));
  for (const char* version : {"2.2", "1.5", ""}) {
    SCOPED_TRACE(version);
    testing_support::TraceRecorder::Clear();
    looks_.clear();
    const size_t mark = client_.Mark();
    UseVersion(version);
    Scan();
    EXPECT_EQ(client_.Received(mark), FocusSpacePressOf("resume"));
    EXPECT_EQ(Trace(), V({"Found NetZero's disconnection window, ***AwtDialog***",
                          "......Attempting to click the 'Resume' button......",
                          "AWTDIALOG TEXT: You have been inactive.", "AWTDIALOG TEXT: Resume",
                          "Finished clicking 'Resume' button"}));
    EXPECT_EQ(looks_, std::vector<int>{28});
  }
}

// "Connection Lost" with "Auto Redial" 1: the redial waits its delay, then
// while the untitled session window stands, then 15 s, and leaves exactly
// one dial started whatever the dialer was doing.
TEST_F(NetZeroWatchTest, ARedialLeavesOneDialStarted) {
  ASSERT_TRUE(client_.Start(R"(
window lost class="AwtDialog" text="Connection Lost" on=click#2:after:100:close:session
window session class="AwtWindow"
)"));
  store_.Write(settings::kNetZeroAutoRedial, 1);
  UseVersion("4.1");
  UseProgramPath("");  // each dial ends in its launch error
  const std::string error = Status(dial_event::kError, "The specified file was not found.");
  struct Case {
    const char* name;
    int togglesBefore;  // 1: a dial started (and ended by itself); 2: started, then stopped
    bool flagBefore;
    V expected;
  };
  const Case cases[] = {
      {"never dialled", 0, false, {Status(dial_event::kDialing), error}},
      {"dialled and stopped", 2, true, {Status(dial_event::kDialing), error}},
      {"a dial started", 1, true, {Status(dial_event::kEnded), Status(dial_event::kDialing), error}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < c.togglesBefore; ++i) dialer_.ToggleNetZeroDialer();
    dialerStarted_ = c.flagBefore;
    ASSERT_TRUE(WaitForDialerThreads());
    PumpFor(20);
    status_.statuses.clear();
    status_.times.clear();
    if (c.togglesBefore == 0) {
      // The session window is there until 100 ms after the second click.
      const size_t mark = client_.Mark();
      Scan();
      const double clicked = client_.TimeOf("lost", "LBUTTONDOWN", mark);
      const double gone = client_.TimeOf("session", "destroyed", mark);
      ASSERT_GT(gone, 0);
      ASSERT_FALSE(status_.times.empty());
      EXPECT_GE(status_.times.back() - gone, 15000 * 0.01 - 2);
      EXPECT_GE(status_.times.back() - clicked, (7000 + 15000) * 0.01 - 2);
    } else {
      Scan();
    }
    ASSERT_TRUE(WaitForStatuses(c.expected.size()));
    ASSERT_TRUE(WaitForDialerThreads());
    EXPECT_EQ(Statuses(), c.expected);
    EXPECT_TRUE(dialer_.IsStarted());
    EXPECT_TRUE(dialerStarted_);
    dialer_.ToggleNetZeroDialer();  // stopped again for the next case
  }
}

// A session window that never goes holds the redial for three minutes, not
// for ever; with "Auto Redial" 0 the dialogs are clicked and nothing else.
TEST_F(NetZeroWatchTest, TheRedialWaitsForTheSessionWindowAtMostThreeMinutes) {
  const double scale = 0.002;
  testing_support::TimeScale faster(scale);
  ASSERT_TRUE(client_.Start(R"(
window terminated class="AwtDialog" text="Your session has been terminated"
window session class="AwtWindow"
)"));
  UseVersion("3.0");
  UseProgramPath("");
  Scan();
  PumpFor(50);
  EXPECT_EQ(client_.Received(), Join({Click("terminated", 145, 72), Click("terminated", 175, 85)}));
  EXPECT_EQ(Statuses(), V{});

  store_.Write(settings::kNetZeroAutoRedial, 1);
  const double start = testing_support::NowMs();
  Scan();
  ASSERT_FALSE(status_.times.empty());
  EXPECT_GE(status_.times[0] - start, (3000 + 180000 + 15000) * scale - 2);
  ASSERT_TRUE(WaitForStatuses(2));
  EXPECT_EQ(Statuses()[0], Status(dial_event::kDialing));
}

}  // namespace

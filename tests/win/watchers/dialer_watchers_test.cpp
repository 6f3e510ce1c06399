// The AT&T WorldNet, MSN, Prodigy and Juno watchers against dialogs of the
// stand-in client: what each presses, what it traces, what it remembers.
#include "base/Trace.h"
#include "watcher_fixture.h"
#include "watchers/AttWatcher.h"
#include "watchers/AolWatcher.h"
#include "watchers/JunoWatcher.h"
#include "watchers/MsnMailCheck.h"
#include "watchers/MsnWatcher.h"
#include "watchers/ProdigyWatcher.h"

namespace {

using V = std::vector<std::string>;
using namespace watch;

class DialerWatchersTest : public WatcherTest {
 protected:
  // One scan in a tick of its own, the trace log holding an older line.
  template <typename Scan>
  void Tick(Scan scan) {
    looks_.clear();
    testing_support::TraceRecorder::Clear();
    TraceLine("older line");
    tick_.Clear();
    watch::SendScope scope(tick_);
    scan();
  }
  static V ClickTwiceAt1010(const std::string& id) {
    return {id + " LBUTTONDOWN 0 a000a", id + " LBUTTONUP 0 a000a", id + " LBUTTONDOWN 0 a000a",
            id + " LBUTTONUP 0 a000a"};
  }
};

// ATT: one "Button<text>" line per child, matched or not; "Tetherly" gets a
// focus-space press and one more key pair.
TEST_F(DialerWatchersTest, AttPressesTetherlyAndTracesEveryChild) {
  AttWatcher att(Env());
  struct Case {
    const char* button;
    V presses;
    V lines;
  };
  const Case cases[] = {
      {"Tetherly",
       Join({FocusSpacePressOf("button"), FocusSpacePressOf("button")}),
       {"ButtonDo you want to disconnect?", "ButtonTetherly", "Finished clicking 'Tetherly' button",
        "ButtonCancel"}},
      {"Tetherly!", {}, {"ButtonDo you want to disconnect?", "ButtonTetherly!", "ButtonCancel"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(client_.Start(std::string(R"(
window dialog class="#32770" text="Disconnecting"
window question parent=dialog class="Static" text="Do you want to disconnect?"
window button parent=dialog class="Button" text=")") + c.button + R"("
window cancel parent=dialog class="Button" text="Cancel"
)"));
    Tick([&] { att.ScanATTDisconnect(); });
    EXPECT_EQ(client_.Received(), c.presses);
    EXPECT_EQ(Trace(), Join({{"older line", "Found ATT's disconnection window, ***32770***",
                              "......Attempting to click the 'Tetherly' button......"},
                             c.lines}));
    EXPECT_EQ(looks_, std::vector<int>{31});
  }
  client_.Stop();
  Tick([&] { att.ScanATTDisconnect(); });
  EXPECT_EQ(Trace(), V{"older line"});
  EXPECT_EQ(looks_, std::vector<int>{31});
}

// MSN: the first of its four dialogs found is answered, the log cleared first.
TEST_F(DialerWatchersTest, MsnAnswersTheFirstDialogInItsOrder) {
  MsnMailCheck mail(Env());
  MsnWatcher msn(Env(), mail);
  ASSERT_TRUE(client_.Start(R"(
window lost class="#32770" text="Connection Lost"
window lostok parent=lost class="Button" text="OK"
window again class="#32770" text="Reestablish Connection"
window againok parent=again class="Button" text="OK"
window disconnect class="#32770" text="MSN - Disconnect"
window disconnectok parent=disconnect class="Button" text="OK"
window msn class="#32770" text="MSN"
window msnok parent=msn class="Button" text="OK"
)"));
  const V pressedOk = {"Dialog Box Text :: OK     ->->->Class Name :: Button<-<-<-",
                       "Finished clicking 'OK' button"};
  struct Case {
    const char* found;  // closed after its scan
    const char* pressed;
    V header;
  };
  const Case cases[] = {
      {"msn", "msnok",
       {"*** Found 'MSN' window! ***", "*** Attempting to click the 'Stay Online' button ***",
        "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
      {"disconnect", "disconnectok",
       {"*** Found 'MSN - Disconnect' window! ***", "*** Attempting to click the 'Stay Online' button ***",
        "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
      {"lost", "lostok",
       {"*** Found 'MSN - Disconnect' window! ***", "*** Attempting to click the 'OK' button ***",
        "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
      {"again", "againok",
       {"*** Found 'MSN - Disconnect' window! ***", "*** Attempting to click the 'OK' button ***",
        "*** Calling EnumMSNStayOnlineBtnFunc() ***"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.found);
    const size_t mark = client_.Mark();
    Tick([&] { msn.ScanMSNDisconnect(); });
    EXPECT_EQ(client_.Received(mark), FocusSpacePressOf(c.pressed));
    EXPECT_EQ(Trace(), Join({c.header, pressedOk}));
    EXPECT_EQ(looks_, std::vector<int>{32});
    ASSERT_TRUE(client_.Command(std::string("close ") + c.found));
  }
  Tick([&] { msn.ScanMSNDisconnect(); });
  EXPECT_EQ(Trace(), V{"older line"});
}

// The plain "Stay Online" button is pressed only once a "Call duration" text
// was seen, in this scan or an earlier one; every press clears that; the
// other buttons are pressed by their exact texts, "OK" and "&Yes" both.
TEST_F(DialerWatchersTest, MsnPressesByTextAndRemembersTheCallDuration) {
  MsnMailCheck mail(Env());
  MsnWatcher msn(Env(), mail);
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="MSN"
window stay parent=dialog class="Button" text="Stay Online"
window duration parent=dialog class="Static" text="Call duration: 2:00:00"
)"));
  auto line = [](const char* text, const char* cls) {
    return std::string("Dialog Box Text :: ") + text + "     ->->->Class Name :: " + cls + "<-<-<-";
  };
  const V header = {"*** Found 'MSN' window! ***", "*** Attempting to click the 'Stay Online' button ***",
                    "*** Calling EnumMSNStayOnlineBtnFunc() ***"};
  // The button comes before the text: not pressed in the first scan.
  Tick([&] { msn.ScanMSNDisconnect(); });
  EXPECT_EQ(client_.Received(), V{});
  EXPECT_EQ(msn.promptSeen(), 1);
  size_t mark = client_.Mark();
  Tick([&] { msn.ScanMSNDisconnect(); });
  EXPECT_EQ(client_.Received(mark), FocusSpacePressOf("stay"));
  EXPECT_EQ(Trace(), Join({header,
                           {line("Stay Online", "Button"), "Finished clicking 'Stay Online' button",
                            line("Call duration: 2:00:00", "Static")}}));
  EXPECT_EQ(msn.promptSeen(), 1);

  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="MSN - Disconnect"
window reconnect parent=dialog class="Button" text="Reconnect..."
window stay2 parent=dialog class="Button" text="&Stay Online"
window ok parent=dialog class="Button" text="OK"
window yes parent=dialog class="Button" text="&Yes"
window stay parent=dialog class="Button" text="Stay Online"
window lower parent=dialog class="Button" text="ok"
)"));
  Tick([&] { msn.ScanMSNDisconnect(); });
  // The flag from before is cleared by the first press, so the plain
  // "Stay Online" after it is not pressed.
  EXPECT_EQ(client_.Received(), Join({FocusSpacePressOf("reconnect"), FocusSpacePressOf("stay2"),
                                      FocusSpacePressOf("ok"), FocusSpacePressOf("yes")}));
  EXPECT_EQ(Trace(),
            Join({{"*** Found 'MSN - Disconnect' window! ***",
                   "*** Attempting to click the 'Stay Online' button ***",
                   "*** Calling EnumMSNStayOnlineBtnFunc() ***"},
                  {line("Reconnect...", "Button"), "Finished clicking 'OK' button",
                   line("&Stay Online", "Button"), "Finished clicking 'OK' button", line("OK", "Button"),
                   "Finished clicking 'OK' button", line("&Yes", "Button"), "Finished clicking 'Yes' button",
                   line("Stay Online", "Button"), line("ok", "Button")}}));
  EXPECT_EQ(msn.promptSeen(), 0);
}

// Prodigy: text-less "ATL" controls only; the second is clicked twice at
// (10, 10). The counter outlives the scan, so a lone control is clicked on
// the second scan, and with three the same one every scan.
TEST_F(DialerWatchersTest, ProdigyClicksTheSecondTextlessAtlControl) {
  struct Case {
    const char* name;
    const char* controls;
    V firstScan, secondScan;
  };
  const Case cases[] = {
      {"three", R"(
window a parent=dialog class="ATL:00501234"
window b parent=dialog class="ATL:00501234"
window c parent=dialog class="ATL:00505678"
)",
       ClickTwiceAt1010("b"), ClickTwiceAt1010("b")},
      {"one", R"(
window a parent=dialog class="ATL:00501234"
)",
       {}, ClickTwiceAt1010("a")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProdigyWatcher prodigy;
    ASSERT_TRUE(client_.Start(std::string(R"(
window dialog class="#32770" text="Disconnect from Prodigy Internet"
window help parent=dialog class="ATL:00501234" text="Help"
window blank parent=dialog class="Static"
)") + c.controls));
    Tick([&] { prodigy.ScanProdigyDisconnect(); });
    EXPECT_EQ(client_.Received(), c.firstScan);
    EXPECT_EQ(Trace(), V({"*** Found 'Prodigy' window! ***",
                          "*** Attempting to click the 'Stay Online' button ***",
                          "*** Calling EnumProdigyStayOnlineBtnFunc() ***"}));
    const size_t mark = client_.Mark();
    Tick([&] { prodigy.ScanProdigyDisconnect(); });
    EXPECT_EQ(client_.Received(mark), c.secondScan);
    EXPECT_EQ(prodigy.counter(), 1);
    EXPECT_EQ(looks_, std::vector<int>{});
  }
}

// Juno: the first child whose text begins with "Cancel" is clicked once at
// (10, 10) and the enumeration stops there.
TEST_F(DialerWatchersTest, JunoClicksTheFirstCancel) {
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="Juno Web"
window message parent=dialog class="Static" text="Juno is not connected."
window first parent=dialog class="Button" text="Cancel Connection"
window second parent=dialog class="Button" text="Cancel"
)"));
  Tick([] { ScanJunoWeb(); });
  EXPECT_EQ(client_.Received(), V({"first LBUTTONDOWN 0 a000a", "first LBUTTONUP 0 a000a"}));
  EXPECT_EQ(Trace(), V({"*** Found 'Juno' window! ***", "*** Attempting to click the 'Cancel' button ***",
                        "*** Calling EnumJunoCancelBtnFunc() ***"}));
  client_.Stop();
  Tick([] { ScanJunoWeb(); });
  EXPECT_EQ(Trace(), V{"older line"});
}

// Nothing is taken from a client that did not answer: a text it never gave
// is not traced as its text, does not count as a text-less control, and a
// press that did not arrive neither clears a prompt flag nor is traced as
// done. ("hang": the client hangs before the scan; "late": the press's
// key-down is answered after a send's bound.)
TEST_F(DialerWatchersTest, NothingIsTakenFromAClientThatDidNotAnswer) {
  AttWatcher att(Env());
  MsnMailCheck mail(Env());
  MsnWatcher msn(Env(), mail);
  ProdigyWatcher prodigy;
  struct Case {
    const char* name;
    std::string tree;
    bool hang;
    std::function<void()> scan;
    V trace;
    std::function<long()> state;  // a flag or counter after the scan
    long expectedState;
  };
  const Case cases[] = {
      {"AOL timer window, hung", R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window timer parent=mdi class="AOL Child" text="America Online Timer"
window prompt parent=timer class="_AOL_Static" text="You have been online for 2 hours."
window icon parent=timer class="_AOL_Icon"
)",
       true, [&] { aol_->ScanAOLTimer(); }, {"older line", "Found ***America Online Timer*** Window"},
       [&] { return prompts_.timer; }, 0},
      {"AOL modal prompt, Yes pressed late", R"(
window modal class="_AOL_Modal" text="Idle"
window prompt parent=modal class="_AOL_Static" text="You have been idle for 45 minutes."
window yes parent=modal class="_AOL_Button" text="Yes" on=KEYDOWN#1:sleep:1300
)",
       false, [&] { aol_->ScanAOLTimer(); }, {"older line"}, [&] { return prompts_.modal; }, 1},
      {"MSN, hung", R"(
window dialog class="#32770" text="MSN"
window duration parent=dialog class="Static" text="Call duration: 2:00:00"
window stay parent=dialog class="Button" text="Stay Online"
)",
       true, [&] { msn.ScanMSNDisconnect(); },
       {"*** Found 'MSN' window! ***", "*** Attempting to click the 'Stay Online' button ***",
        "*** Calling EnumMSNStayOnlineBtnFunc() ***"},
       [&] { return msn.promptSeen(); }, 0},
      {"Prodigy, hung", R"(
window dialog class="#32770" text="Disconnect from Prodigy Internet"
window help parent=dialog class="ATL:00501234" text="Help"
)",
       true, [&] { prodigy.ScanProdigyDisconnect(); },
       {"*** Found 'Prodigy' window! ***", "*** Attempting to click the 'Stay Online' button ***",
        "*** Calling EnumProdigyStayOnlineBtnFunc() ***"},
       [&] { return prodigy.counter(); }, 1},
      {"ATT, Tetherly pressed late", R"(
window dialog class="#32770" text="Disconnecting"
window button parent=dialog class="Button" text="Tetherly" on=KEYDOWN#1:sleep:1300
)",
       false, [&] { att.ScanATTDisconnect(); },
       {"older line", "Found ATT's disconnection window, ***32770***",
        "......Attempting to click the 'Tetherly' button......", "ButtonTetherly"},
       [] { return 0L; }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = {};
    ASSERT_TRUE(client_.Start(c.tree));
    if (c.hang) {
      ASSERT_TRUE(client_.Command("hang"));
    }
    Tick(c.scan);
    EXPECT_EQ(Trace(), c.trace);
    EXPECT_EQ(c.state(), c.expectedState);
    client_.Command("wake");
  }
}

}  // namespace

// The idle-prompt scans of timers 4 and 14 against the stand-in client.
#include "watcher_fixture.h"

#include "settings/SettingsSchema.h"

namespace {

using V = std::vector<std::string>;

const std::string kFrame = R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
)";

// The online timer: its prompt, a picture button and a plain "OK".
const std::string kTimerTree = kFrame + R"(
window timer parent=mdi class="AOL Child" text="America Online Timer"
window prompt parent=timer class="_AOL_Static" text="You have been online for 2 hours."
window icon parent=timer class="_AOL_Icon"
window ok parent=timer class="_AOL_Button" text="OK"
)";

TEST_F(WatcherTest, NoClientMeansNothingSentOrTraced) {
  ASSERT_TRUE(client_.Start(R"(
window other class="Notepad" text="Untitled - Notepad"
window edit parent=other class="Edit" text="OK"
)"));
  TickAol(true);
  TickCs2000(true);
  EXPECT_EQ(client_.Received(0, true), V{});
  EXPECT_EQ(Trace(), V{});
  EXPECT_EQ(looks_, std::vector<int>{});
  EXPECT_EQ(controller_.posts, V{});
}

// Every picture button is pressed on every tick; the plain "OK" never, as the
// icon press clears the prompt flag first. Every child is traced.
TEST_F(WatcherTest, TimerWindowIconPressedEveryTickOkNever) {
  ASSERT_TRUE(client_.Start(kTimerTree));
  const V oneTick = Join({{"prompt GETTEXT 100 0", "icon GETTEXT 100 0"}, SpacePressOf("icon"),
                          {"ok GETTEXT 100 0"}});
  const V traced = {"Found ***America Online Timer*** Window",
                    "_AOL_Static : You have been online for 2 hours.", "_AOL_Icon : ",
                    "_AOL_Button : OK"};
  for (int tick = 0; tick < 2; ++tick) {
    const size_t mark = client_.Mark();
    testing_support::TraceRecorder::Clear();
    TickAol();
    EXPECT_EQ(client_.Received(mark, true), oneTick) << "tick " << tick;
    EXPECT_EQ(Trace(), traced);
  }
  EXPECT_EQ(looks_, (std::vector<int>{9, 9}));
}

// A prompt that comes after its button arms the press of the next scan.
TEST_F(WatcherTest, PromptAfterItsButtonPressesOnTheNextTick) {
  ASSERT_TRUE(client_.Start(kFrame + R"(
window timer parent=mdi class="AOL Child" text="America Online Timer"
window ok parent=timer class="_AOL_Button" text="OK"
window prompt parent=timer class="_AOL_Static" text="You have been online for 3 hours."
)"));
  size_t mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), V{});
  mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), SpacePressOf("ok"));
}

struct ModalCase {
  const char* name;
  const char* children;
  V expected;
};

// Rule 3 presses any "Yes"; the prompt flag adds two focus presses of a
// caption that is exactly "Yes" or "OK" in any case, in its first 15
// characters only.
TEST_F(WatcherTest, ModalDialogPresses) {
  const ModalCase cases[] = {
      {"yes without prompt", "window b parent=modal class=\"_AOL_Button\" text=\"Yes\"\n",
       SpacePressOf("b")},
      {"yes after prompt",
       "window p parent=modal class=\"_AOL_Static\" text=\"You have been idle for 45 minutes.\"\n"
       "window b parent=modal class=\"_AOL_Button\" text=\"Yes\"\n",
       Join({SpacePressOf("b"), FocusSpacePressOf("b"), FocusSpacePressOf("b")})},
      {"lower-case ok after prompt",
       "window p parent=modal class=\"_AOL_Static\" text=\"You have been idle.\"\n"
       "window b parent=modal class=\"_AOL_Button\" text=\"ok\"\n",
       Join({FocusSpacePressOf("b"), FocusSpacePressOf("b")})},
      {"16-character caption after prompt",
       "window p parent=modal class=\"_AOL_Static\" text=\"You have been idle.\"\n"
       "window b parent=modal class=\"_AOL_Button\" text=\"Yes, stay online\"\n",
       SpacePressOf("b")},
  };
  for (const ModalCase& c : cases) {
    prompts_ = {};
    ASSERT_TRUE(client_.Start(std::string("window modal class=\"_AOL_Modal\" text=\"Idle\"\n") +
                              c.children));
    TickAol();
    EXPECT_EQ(Received(), c.expected) << c.name;
    EXPECT_EQ(prompts_.modal, std::string(c.name).find("16") != std::string::npos ? 1 : 0) << c.name;
  }
}

// Three palette lookups run on their own: by the configured title, by the
// fixed title and by class alone.
TEST_F(WatcherTest, PaletteEnumeratedUpToThreeTimes) {
  const char* tree = R"(
window palette class="_AOL_Palette" text="America Online Timer"
window ok parent=palette class="_AOL_Button" text="OK"
)";
  ASSERT_TRUE(client_.Start(tree));
  TickAol();  // default title "America Online": fixed title and any palette
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("ok")}));

  Write(settings::kAolTimerTitle, "America Online Timer");
  size_t mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), Join({SpacePressOf("ok"), SpacePressOf("ok"), SpacePressOf("ok")}));
}

// A palette holding a prompt: once "You have been..." is seen, a caption of
// "OK" in any letter case gets two focus presses and the palette flag is
// cleared; an exact "OK" is also pressed on its own. The palette (titled
// "America Online Timer", the default title being "America Online") is
// enumerated twice in a scan, and the prompt arms each enumeration afresh.
TEST_F(WatcherTest, PalettePromptArmsItsOkInAnyCase) {
  struct Case {
    const char* name;
    const char* children;
    V received;
    long flagAfter;
  };
  const Case cases[] = {
      {"lower-case ok",
       "window prompt parent=palette class=\"_AOL_Static\" text=\"You have been online for 3 hours.\"\n"
       "window b parent=palette class=\"_AOL_Button\" text=\"ok\"\n",
       Join({FocusSpacePressOf("b"), FocusSpacePressOf("b"), FocusSpacePressOf("b"), FocusSpacePressOf("b")}),
       0},
      {"exact OK",
       "window prompt parent=palette class=\"_AOL_Static\" text=\"You have been online.\"\n"
       "window b parent=palette class=\"_AOL_Button\" text=\"OK\"\n",
       Join({SpacePressOf("b"), FocusSpacePressOf("b"), FocusSpacePressOf("b"), SpacePressOf("b"),
             FocusSpacePressOf("b"), FocusSpacePressOf("b")}),
       0},
      {"prompt after its button: pressed by the second enumeration, armed again after",
       "window b parent=palette class=\"_AOL_Button\" text=\"Ok\"\n"
       "window prompt parent=palette class=\"_AOL_Static\" text=\"You have been online.\"\n",
       Join({FocusSpacePressOf("b"), FocusSpacePressOf("b")}), 1},
      {"no prompt",
       "window b parent=palette class=\"_AOL_Button\" text=\"ok\"\n", {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = {};
    ASSERT_TRUE(client_.Start(std::string("window palette class=\"_AOL_Palette\" text=\"America Online Timer\"\n") +
                              c.children));
    TickAol();
    EXPECT_EQ(Received(), c.received);
    EXPECT_EQ(prompts_.palette, c.flagAfter);
  }
}

TEST_F(WatcherTest, TimerTitleDecidesTheSecondLookup) {
  ASSERT_TRUE(client_.Start(kTimerTree + R"(
window custom parent=mdi class="AOL Child" text="My Timer"
window icon2 parent=custom class="_AOL_Icon"
)"));
  Write(settings::kAolTimerTitle, "America Online Timer");  // the fixed title: looked up once
  TickAol();
  EXPECT_EQ(Received(), SpacePressOf("icon"));

  Write(settings::kAolTimerTitle, "My Timer");
  testing_support::TraceRecorder::Clear();
  size_t mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), Join({SpacePressOf("icon"), SpacePressOf("icon2")}));
  const V trace = Trace();
  ASSERT_EQ(trace.size(), 6u);
  EXPECT_EQ(trace[4], "Found ***America Online Timer*** Window using Timer Title : My Timer");
  EXPECT_EQ(trace[5], "_AOL_Icon : ");
}

TEST_F(WatcherTest, Cs2000TimerEnumeratedTwiceWithItsOwnTitleSet) {
  ASSERT_TRUE(client_.Start(kFrame + R"(
window timer parent=mdi class="AOL Child" text="CompuServe 2000 Timer"
window icon parent=timer class="_AOL_Icon"
)"));
  TickCs2000();  // default title "CompuServe 2000": the second lookup is skipped
  EXPECT_EQ(Received(), SpacePressOf("icon"));
  EXPECT_EQ(Trace(), (V{"Found ***CS2000 Timer*** Window", "_AOL_Icon : "}));

  Write(settings::kCsTimerTitle, "CompuServe 2000 Timer");
  testing_support::TraceRecorder::Clear();
  size_t mark = client_.Mark();
  TickCs2000();
  EXPECT_EQ(Received(mark), Join({SpacePressOf("icon"), SpacePressOf("icon")}));
  EXPECT_EQ(Trace(), (V{"Found ***CS2000 Timer*** Window", "_AOL_Icon : ",
                        "Found ***CS2000 Timer*** Window using Timer Title : CompuServe 2000 Timer",
                        "_AOL_Icon : "}));
}

// Looks: "with the client" while its frame stands; "not present" on every
// scan once it was seen and is gone. Each client keeps its own seen flag.
TEST_F(WatcherTest, LooksFollowTheClientFrame) {
  ASSERT_TRUE(client_.Start(kFrame));
  TickAol();
  ASSERT_TRUE(client_.Command("close frame"));
  TickAol();
  TickAol();
  EXPECT_EQ(looks_, (std::vector<int>{9, 10, 10}));
  EXPECT_TRUE(aol_->aolSeen());
  EXPECT_FALSE(cs_->cs2000Seen());

  looks_.clear();
  TickCs2000();  // never seen: no look
  ASSERT_TRUE(client_.Command("show main"));
  TickCs2000();
  ASSERT_TRUE(client_.Command("close frame"));
  TickCs2000();
  TickCs2000();
  EXPECT_EQ(looks_, (std::vector<int>{29, 30, 30}));
}

}  // namespace

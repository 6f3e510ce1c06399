// The gadget scans: unwanted windows, the welcome window, advertisements.
#include "watcher_fixture.h"

#include "settings/SettingsSchema.h"

namespace {

using V = std::vector<std::string>;
using testing_support::NowMs;

const std::string kFrame = R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
)";

// A Buddy List that opens late is closed by the first scan that finds it,
// 2000 ms (scaled) after finding it; once per session, however often it
// reopens; and again in the next session.
TEST_F(WatcherTest, LateBuddyListClosedOncePerSession) {
  testing_support::TimeScale slower(0.05);  // the 2000 ms wait becomes 100 ms
  Write(settings::kAolKillBuddyList, 1);
  Write(settings::kAolMinimizeWelcome, 1);  // no welcome window: the scan never rests
  ASSERT_TRUE(client_.Start(kFrame + R"(
window buddy parent=mdi class="AOL Child" text="Buddy List" group=late
)"));
  TickAol();
  EXPECT_EQ(Received(), V{});
  EXPECT_EQ(aol_->gadgetDone(0), 0);

  ASSERT_TRUE(client_.Command("show late"));
  size_t mark = client_.Mark();
  const double found = NowMs();
  TickAol();
  EXPECT_EQ(Received(mark), V{"buddy CLOSE 0 0"});
  const double closed = client_.TimeOf("buddy", "CLOSE", mark);
  EXPECT_GE(closed - found, 99.0);
  EXPECT_LT(closed - found, 1000.0);
  EXPECT_EQ(aol_->gadgetDone(0), 1);

  ASSERT_TRUE(client_.Command("show late"));  // reopened in the same session
  mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), V{});

  ASSERT_TRUE(client_.Command("close frame"));  // the session ends
  TickAol();
  EXPECT_EQ(aol_->gadgetDone(0), 0);
  ASSERT_TRUE(client_.Command("show main"));
  ASSERT_TRUE(client_.Command("show late"));
  mark = client_.Mark();
  TickAol();
  EXPECT_EQ(Received(mark), V{"buddy CLOSE 0 0"});
}

TEST_F(WatcherTest, GadgetRowsUseTheirTitlesAndWaits) {
  testing_support::TimeScale slower(0.05);  // each 1000 ms wait becomes 50 ms
  Write(settings::kAolKillSearchPreview, 1);
  Write(settings::kAolKillHotline, 1);
  Write(settings::kAolKillChannels, 1);
  Write(settings::kAolChildChannelTitle, "My Channels");
  ASSERT_TRUE(client_.Start(kFrame + R"(
window search parent=mdi class="AOL Child" text="AOL PLUS" keep
window spaced parent=mdi class="AOL Child" text=" AOL PLUS" keep
window hotline parent=mdi class="AOL Child" text="AOL Hotline" keep
window channels parent=mdi class="AOL Child" text="AOL Channels" keep
window mine parent=mdi class="AOL Child" text="My Channels" keep
)"));
  const double start = NowMs();
  TickAol();
  // Table order; the search title without its blank; the configured title.
  EXPECT_EQ(Received(), (V{"search CLOSE 0 0", "hotline CLOSE 0 0", "mine CLOSE 0 0"}));
  // Each row waits its second after finding its window, then closes it.
  double previous = start;
  for (const char* id : {"search", "hotline", "mine"}) {
    const double closed = client_.TimeOf(id, "CLOSE");
    EXPECT_GE(closed - previous, 49.0) << id;
    previous = closed;
  }
}

// With every gadget off and the welcome option off, the first scan marks
// everything done; later scans send nothing, not even the advertisement
// search, until the client is gone.
TEST_F(WatcherTest, EverythingOffRestsAfterTheFirstScan) {
  Write(settings::kAolKillAdvertisement, 1);
  ASSERT_TRUE(client_.Start(kFrame + R"(
window ad parent=mdi class="AOL Child" text="Offer"
window text parent=ad class="_AOL_Static" text="Great offer"
)"));
  TickAol();
  EXPECT_EQ(client_.Received(0, true), (V{"text GETTEXT 100 0"}));
  EXPECT_EQ(controller_.welcomeDone, 1);
  EXPECT_EQ(controller_.advertisementDone, 0);  // the offer posted 0
  const size_t mark = client_.Mark();
  TickAol();
  TickAol();
  EXPECT_EQ(client_.Received(mark, true), V{});
  for (int row = 0; row < watch::AolWatcher::kGadgetCount; ++row) EXPECT_EQ(aol_->gadgetDone(row), 1);

  ASSERT_TRUE(client_.Command("close frame"));
  TickAol();
  EXPECT_EQ(controller_.welcomeDone, 0);
  EXPECT_EQ(aol_->gadgetDone(0), 0);
}

// Each child before the welcome window posts 0; the welcome window is closed
// and posts 1, and the enumeration stops there.
TEST_F(WatcherTest, WelcomeWindowClosedAndPostsInOrder) {
  Write(settings::kAolMinimizeWelcome, 1);
  ASSERT_TRUE(client_.Start(kFrame + R"(
window news parent=mdi class="AOL Child" text="Top News" keep
window welcome parent=mdi class="AOL Child" text="Welcome, Ann!" keep
window later parent=mdi class="AOL Child" text="Later" keep
)"));
  TickAol();
  EXPECT_EQ(client_.Received(0, true),
            (V{"news GETTEXT 100 0", "welcome GETTEXT 100 0", "welcome CLOSE 0 0"}));
  // The advertisement option is off: done at once, which the controller learns too.
  EXPECT_EQ(controller_.posts, (V{"32785 0", "32785 1", "32786 1"}));
  EXPECT_EQ(controller_.welcomeDone, 1);
  const size_t mark = client_.Mark();
  TickAol();  // welcome done: not searched again
  EXPECT_EQ(client_.Received(mark, true), V{});
}

// A refusal button is clicked 5 pixels inside and pressed, and the search
// stops there; other controls post 0. The flag is the last value handled, so
// an AOL window searched after the refusal leaves it at 0.
TEST_F(WatcherTest, AdvertisementRefusalAndTheLastValue) {
  Write(settings::kAolKillAdvertisement, 1);
  Write(settings::kAolMinimizeWelcome, 1);  // no welcome window: the scan does not rest
  ASSERT_TRUE(client_.Start(kFrame + R"(
window modal class="_AOL_Modal" text="Special offer"
window pitch parent=modal class="_AOL_Static" text="Upgrade now"
window plainno parent=modal class="Button" text="No"
window refuse parent=modal class="_AOL_Icon" text="No Thanks"
window after parent=modal class="_AOL_Button" text="No, later"
window doc parent=mdi class="AOL Child" text="News"
window body parent=doc class="_AOL_Static" text="Headlines"
)"));
  TickAol();
  EXPECT_EQ(Received(), Join({{"refuse LBUTTONDOWN 0 50005", "refuse LBUTTONUP 0 50005"},
                              SpacePressOf("refuse")}));
  V adPosts;
  for (const std::string& p : controller_.posts)
    if (p.rfind("32786", 0) == 0) adPosts.push_back(p);
  EXPECT_EQ(adPosts, (V{"32786 0", "32786 0", "32786 1", "32786 0"}));
  EXPECT_EQ(controller_.advertisementDone, 0);
  const size_t mark = client_.Mark();
  TickAol();  // searched again
  EXPECT_EQ(Received(mark), Join({{"refuse LBUTTONDOWN 0 50005", "refuse LBUTTONUP 0 50005"},
                                  SpacePressOf("refuse")}));
}

// CompuServe rows 2 to 4 count as done when their title is not stored, even
// while a window carries the pages' placeholder title; row 1 falls back to
// "Contacts", closed at once.
TEST_F(WatcherTest, Cs2000ChildRowsAndUnsetTitles) {
  Write(settings::kCsKillChildOne, 1);
  Write(settings::kCsKillChildTwo, 1);
  Write(settings::kCsKillChildFour, 1);
  Write(settings::kCsChildFourTitle, "Stocks");
  ASSERT_TRUE(client_.Start(kFrame + R"(
window placeholder parent=mdi class="AOL Child" text="No Window Specified" keep
window contacts parent=mdi class="AOL Child" text="Contacts" keep
window stocks parent=mdi class="AOL Child" text="Stocks" group=late
)"));
  const double start = NowMs();
  TickCs2000();
  EXPECT_EQ(Received(), V{"contacts CLOSE 0 0"});
  EXPECT_LT(client_.TimeOf("contacts", "CLOSE") - start, 200.0);  // no wait before closing
  EXPECT_EQ(cs_->childDone(0), 1);
  EXPECT_EQ(cs_->childDone(1), 1);
  EXPECT_EQ(cs_->childDone(2), 1);
  EXPECT_EQ(cs_->childDone(3), 0);
  ASSERT_TRUE(client_.Command("show late"));
  const size_t mark = client_.Mark();
  TickCs2000();
  EXPECT_EQ(Received(mark), V{"stocks CLOSE 0 0"});
}

// CompuServe keeps no advertisement state: a refusal is pressed on every scan
// until all child rows are done; it posts nothing.
TEST_F(WatcherTest, Cs2000AdvertisementsEveryScan) {
  Write(settings::kCsKillAdvertisement, 1);
  Write(settings::kCsKillChildOne, 1);  // no "Contacts" window: never done
  ASSERT_TRUE(client_.Start(kFrame + R"(
window ad class="AOL Child" text="Offer"
window no parent=ad class="_AOL_Button" text="NO"
)"));
  const V press = Join({{"no LBUTTONDOWN 0 50005", "no LBUTTONUP 0 50005"}, SpacePressOf("no")});
  TickCs2000();
  TickCs2000();
  EXPECT_EQ(Received(), Join({press, press}));
  EXPECT_EQ(controller_.posts, V{});

  Write(settings::kCsKillChildOne, 0);  // every row done: the scan rests
  TickCs2000();
  const size_t mark = client_.Mark();
  TickCs2000();
  EXPECT_EQ(Received(mark), V{});
}

}  // namespace

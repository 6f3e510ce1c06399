// Signing on: finding the client, its sign-on window and button, and the box
// when the client never comes.
#include "watcher_fixture.h"

#include "settings/SettingsSchema.h"

namespace {

using V = std::vector<std::string>;
using testing_support::NowMs;

const char* kCannotSignOnAol =
    "Tetherly! cannot sign-on to AOL on behalf of you, please check your program settings";

// The client comes up late; its sign-on button is pressed by both
// enumerations (its text holds "Sign On"), 2000 ms (scaled) after the
// sign-on window was found.
TEST_F(WatcherTest, SignOnWaitsForALateClientAndPressesAfterTwoSeconds) {
  testing_support::TimeScale slower(0.05);  // 500 ms looks: 25 ms; the 2000 ms wait: 100 ms
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online" group=aol
window mdi parent=frame class="MDIClient" group=aol
window signon parent=mdi class="AOL Child" text="Sign On" group=aol
window go parent=signon class="_AOL_Button" text="Sign On" group=aol
window cancel parent=signon class="_AOL_Button" text="Cancel" group=aol
after 150 show aol
)"));
  aol_->SignOnAOL();
  EXPECT_EQ(Received(), Join({SpacePressOf("go"), SpacePressOf("go")}));
  EXPECT_TRUE(boxes_.empty());
  const double shown = client_.TimeOf("signon", "created");
  const double pressed = client_.TimeOf("go", "KEYDOWN");
  EXPECT_GE(pressed - shown, 99.0);
  EXPECT_LT(pressed - shown, 100.0 + 25.0 + 500.0);
}

TEST_F(WatcherTest, SignOnWithoutTheClientShowsOneBoxAfterSixtyLooks) {
  const double start = NowMs();
  aol_->SignOnAOL();
  EXPECT_GE(NowMs() - start, 59 * 5.0 - 1.0);  // 59 gaps of 500 ms at a hundredth
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, kCannotSignOnAol);
  EXPECT_EQ(boxes_[0].caption, "Tetherly!");
  EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes_[0].owner, nullptr);

  boxes_.clear();
  cs_->SignOnCS2000();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "Tetherly! cannot sign-on to CS on behalf of you, please check your program settings");
}

// A client without its MDI client, or without any sign-on window, ends the
// sign-on silently.
TEST_F(WatcherTest, SignOnEndsSilentlyWithoutMdiClientOrWindow) {
  ASSERT_TRUE(client_.Start(R"(window frame class="AOL Frame25" text="America Online")"));
  double start = NowMs();
  aol_->SignOnAOL();
  EXPECT_GE(NowMs() - start, 19 * 5.0 - 1.0);
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window other parent=mdi class="AOL Child" text="News"
window go parent=other class="_AOL_Button" text="Sign On"
)"));
  start = NowMs();
  aol_->SignOnAOL();
  cs_->SignOnCS2000();
  EXPECT_GE(NowMs() - start, 2 * 59 * 5.0 - 1.0);
  EXPECT_EQ(Received(), V{});
  EXPECT_TRUE(boxes_.empty());
}

// "Welcome", "Sign On", "Goodbye from AOL!" come before the configured
// titles; the configured button text takes part, an empty one does not.
TEST_F(WatcherTest, SignOnWindowOrderAndConfiguredTexts) {
  const std::string frame = R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
)";
  ASSERT_TRUE(client_.Start(frame + R"(
window bye parent=mdi class="AOL Child" text="Goodbye from AOL!"
window byego parent=bye class="_AOL_Button" text="Sign On Again"
window door parent=mdi class="AOL Child" text="Sign On"
window doorgo parent=door class="_AOL_Button" text="Sign On"
)"));
  aol_->SignOnAOL();
  EXPECT_EQ(Received(), Join({SpacePressOf("doorgo"), SpacePressOf("doorgo")}));

  Write(settings::kAolReSignOnTitle, "Come Back");
  Write(settings::kAolSignOnButton, "Enter");
  ASSERT_TRUE(client_.Start(frame + R"(
window back parent=mdi class="AOL Child" text="Come Back"
window other parent=back class="_AOL_Button" text="Leave"
window enter parent=back class="_AOL_Button" text="Enter now"
)"));
  aol_->SignOnAOL();
  EXPECT_EQ(Received(), SpacePressOf("enter"));
}

// CompuServe: the "Connect to CompuServe" window and its exact "CONNECT".
TEST_F(WatcherTest, Cs2000SignOnPressesExactlyConnect) {
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="CompuServe 2000"
window mdi parent=frame class="MDIClient"
window connect parent=mdi class="AOL Child" text="Connect to CompuServe"
window lower parent=connect class="_AOL_Button" text="Connect"
window go parent=connect class="_AOL_Button" text="CONNECT"
)"));
  cs_->SignOnCS2000();
  EXPECT_EQ(Received(), SpacePressOf("go"));
}

}  // namespace

// Signing on again after a lost or failed connection, and the rule that only
// one sign-on per client runs at a time.
#include "watcher_fixture.h"

#include "settings/SettingsSchema.h"

namespace {

using V = std::vector<std::string>;

TEST_F(WatcherTest, LostConnectionPressesOkThenSignsOn) {
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window lost parent=mdi class="AOL Child" text="The Connection was Lost"
window ok parent=lost class="_AOL_Button" text="OK" on=press:close:lost
window door parent=mdi class="AOL Child" text="Goodbye from AOL!"
window go parent=door class="_AOL_Button" text="Sign On"
)"));
  TickAol(/*autoRedial=*/true);
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("go"), SpacePressOf("go")}));
}

TEST_F(WatcherTest, ConfiguredDisconnectTitle) {
  Write(settings::kAolDisconnectTitle, "Line Dropped");
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window lost parent=mdi class="AOL Child" text="Line Dropped"
window ok parent=lost class="_AOL_Button" text="OK" on=press:close:lost
window door parent=mdi class="AOL Child" text="Sign On"
window go parent=door class="_AOL_Button" text="Sign On"
)"));
  TickAol(true);
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("go"), SpacePressOf("go")}));
}

// Both failed-connection dialogs in one tick: each gets its "OK" and the
// sign-on runs twice, one after the other.
TEST_F(WatcherTest, BothCs2000FailedDialogsInOneTick) {
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="The Connection Failed" keep
window ok1 parent=dialog class="Button" text="OK"
window frame class="AOL Frame25" text="CompuServe 2000"
window mdi parent=frame class="MDIClient"
window failed parent=mdi class="AOL Child" text="The Connection Failed" keep
window ok2 parent=failed class="_AOL_Button" text="OK"
window connect parent=mdi class="AOL Child" text="Connect to CompuServe"
window go parent=connect class="_AOL_Button" text="CONNECT"
)"));
  TickCs2000(/*autoRedial=*/true);
  EXPECT_EQ(Received(), Join({SpacePressOf("ok1"), SpacePressOf("go"), SpacePressOf("ok2"),
                              SpacePressOf("go")}));
}

// The "cannot sign-on" box runs a modal loop in which the timers keep firing.
// A failed dialog that stays up while the client is gone must not start a
// sign-on (and a box) inside the box: the scan presses "OK" and starts none.
TEST_F(WatcherTest, FailedDialogStayingUpGivesOneBoxNoNesting) {
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="The Connection Failed" keep
window ok parent=dialog class="_AOL_Button" text="OK"
)"));
  int nestedTicks = 0;
  onBox_ = [&](const Box&) {
    if (nestedTicks < 2) {
      ++nestedTicks;
      TickCs2000(true);  // what a timer tick inside the box does
    }
    return IDOK;
  };
  TickCs2000(true);
  EXPECT_EQ(nestedTicks, 1);
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("ok")}));

  // With the sign-on over, the next tick may start one again.
  onBox_ = nullptr;
  TickCs2000(true);
  EXPECT_EQ(boxes_.size(), 2u);
}

// The same rule across threads: while a launcher's sign-on runs (here: its
// box is up), the lost-connection scan presses "OK" and starts none.
TEST_F(WatcherTest, OneSignOnPerClientAcrossThreads) {
  testing_support::TimeScale slower(0.05);  // 60 looks take 1.5 s
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online" group=aol
window mdi parent=frame class="MDIClient" group=aol
window lost parent=mdi class="AOL Child" text="The Connection was Lost" keep group=aol
window ok parent=lost class="_AOL_Button" text="OK" group=aol
)"));
  HANDLE boxUp = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  onBox_ = [&](const Box&) {
    SetEvent(boxUp);
    WaitForSingleObject(release, 10000);
    return IDOK;
  };
  struct Arg {
    watch::AolWatcher* aol;
  } arg{aol_.get()};
  HANDLE launcher = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        static_cast<Arg*>(p)->aol->SignOnAOL();  // no client yet: ends in the box
        return 0;
      },
      &arg, 0, nullptr);
  ASSERT_NE(launcher, nullptr);
  ASSERT_EQ(WaitForSingleObject(boxUp, 10000), static_cast<DWORD>(WAIT_OBJECT_0));

  ASSERT_TRUE(client_.Command("show aol"));
  const double start = testing_support::NowMs();
  TickAol(/*autoRedial=*/true);
  // A second sign-on would look for a sign-on window 60 times (1.5 s here).
  EXPECT_LT(testing_support::NowMs() - start, 750.0);
  EXPECT_EQ(Received(), SpacePressOf("ok"));

  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(launcher, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(boxes_.size(), 1u);
  CloseHandle(launcher);
  CloseHandle(boxUp);
  CloseHandle(release);
}

}  // namespace

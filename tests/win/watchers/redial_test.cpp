// Signing on again after a lost or failed connection, and the rule that only
// one sign-on per client runs at a time.
#include "watcher_fixture.h"

#include "settings/SettingsSchema.h"
#include "support/MessagePump.h"

namespace {

using V = std::vector<std::string>;
using testing_support::NowMs;

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

// A failed dialog that stays up while the client is gone: each tick presses
// "OK" and signs on again (the sign-on's claim ended with its waits), beside
// the one box that stands aside, on a thread of its own; a second failure
// while it stands shows no second box.
TEST_F(WatcherTest, FailedDialogStayingUpSignsOnEachTickBesideOneBox) {
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="The Connection Failed" keep
window ok parent=dialog class="_AOL_Button" text="OK"
)"));
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  onBox_ = [&](const Box&) {
    WaitForSingleObject(release, 20000);
    return IDOK;
  };
  const double looks = 59 * 5.0 - 1.0;  // 60 looks 500 ms apart, at a hundredth
  for (int tick = 0; tick < 3; ++tick) {
    const double start = NowMs();
    TickCs2000(true);
    EXPECT_GE(NowMs() - start, looks) << "tick " << tick << " signed nothing on";
    ASSERT_TRUE(testing_support::PumpUntil([&] { return BoxCount() == 1; })) << tick;
  }
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("ok"), SpacePressOf("ok")}));
  const std::vector<Box> boxes = Boxes();
  EXPECT_NE(boxes[0].thread, GetCurrentThreadId());
  EXPECT_EQ(boxes[0].text,
            "Tetherly! cannot sign-on to CS on behalf of you, please check your program settings");

  // With the box gone, the next failure shows one again.
  SetEvent(release);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !aside_.Standing(); }));
  TickCs2000(true);
  EXPECT_TRUE(testing_support::PumpUntil([&] { return BoxCount() == 2; }));
  CloseHandle(release);
}

// One sign-on per client, across threads: while a launcher's sign-on waits
// for the sign-on window, the lost-connection scan presses "OK" and starts
// none; the launcher's sign-on then presses "Sign On", once.
TEST_F(WatcherTest, OneSignOnPerClientAcrossThreads) {
  testing_support::TimeScale slower(0.1);  // the launcher looks for 3 s
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window lost parent=mdi class="AOL Child" text="The Connection was Lost" keep
window ok parent=lost class="_AOL_Button" text="OK"
window door parent=mdi class="AOL Child" text="Sign On" group=door
window go parent=door class="_AOL_Button" text="Sign On" group=door on=press:close:door
)"));
  struct Arg {
    watch::AolWatcher* aol;
  } arg{aol_.get()};
  HANDLE launcher = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        static_cast<Arg*>(p)->aol->SignOnAOL();
        return 0;
      },
      &arg, 0, nullptr);
  ASSERT_NE(launcher, nullptr);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return aol_->signOnRunning(); }));

  TickAol(/*autoRedial=*/true);  // a second sign-on would look for 3 s itself
  EXPECT_EQ(Received(), SpacePressOf("ok"));
  ASSERT_TRUE(client_.Command("show door"));  // the launcher, still looking, finds it
  EXPECT_EQ(WaitForSingleObject(launcher, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("go")}));
  EXPECT_EQ(BoxCount(), 0u);
  CloseHandle(launcher);
}

// A client that answered the scan's "OK" late (beyond a send's bound) and
// then at once: the key-up follows the late key-down, the sign-on window
// comes, and the sign-on the scan starts, in a scope of its own, presses it.
TEST_F(WatcherTest, SignOnAfterALateAnswerIsNotSilenced) {
  testing_support::TimeScale slower(0.1);  // the sign-on looks for 3 s; the client wakes after 1.3 s
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window lost parent=mdi class="AOL Child" text="The Connection was Lost"
window ok parent=lost class="_AOL_Button" text="OK" on=KEYDOWN#1:sleep:1300 on=press:close:lost on=press:show:door
window door parent=mdi class="AOL Child" text="Sign On" group=door
window go parent=door class="_AOL_Button" text="Sign On" group=door on=press:close:door
)"));
  TickAol(/*autoRedial=*/true);
  EXPECT_EQ(Received(), Join({SpacePressOf("ok"), SpacePressOf("go")}));
}

}  // namespace

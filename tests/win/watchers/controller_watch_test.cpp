// The watchers as the program wires them, driven by the controller's timers
// and launcher threads: the launch request, a hung client, Exit during a
// launch, and sign-ons started inside the box of another.
#include <gtest/gtest.h>

#include <atomic>

#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"
#include "settings/SettingsSchema.h"
#include "support/MessagePump.h"
#include "support/MessageRecorder.h"
#include "support/RegistrySandbox.h"
#include "support/StandInClient.h"
#include "support/TestHarness.h"
#include "win/Lock.h"
#include "watchers/WindowPress.h"
#include "win/MessageBox.h"

namespace {

using testing_support::MessageRecorder;
using testing_support::NowMs;
using testing_support::PumpUntil;

class ControllerWatchTest : public ::testing::Test {
 protected:
  ControllerWatchTest() {
    store_.Write(settings::kHostsAdded, 1);
    parts_ = std::make_shared<ProductionParts>();
    options_.seams.tray.create = [parts = parts_](HWND h) { parts->controller = h; };
    options_.showSplash = false;
    WireWatchers(options_.seams, parts_);
    saved_ = win::SetMessageBoxHandler([this](HWND, const char* text, const char* caption, UINT) {
      {
        win::LockGuard g(lock_);
        boxTexts_.push_back(text);
        boxThreads_.push_back(GetCurrentThreadId());
      }
      ++boxes_;
      return onBox_ ? onBox_() : IDOK;
    });
  }
  ~ControllerWatchTest() override {
    dlg_.reset();
    client_.Stop();
    win::SetMessageBoxHandler(saved_);
  }

  // Builds the controller and starts the services (mode Stopped -> Running).
  void StartRunning() {
    dlg_ = std::make_unique<StatusReportDlg>(options_);
    ASSERT_TRUE(dlg_->Create());
    dlg_->ToggleService();
    ASSERT_EQ(dlg_->mode(), ConnectionMode::Running);
  }

  // Wraps the launch so the test sees its thread, its controller and its end.
  void WatchLaunches() {
    returned_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto launch = options_.seams.watchers.launchClient;
    HANDLE returned = returned_;
    options_.seams.watchers.launchClient = [this, launch, returned](int which, HWND controller) {
      launchController_ = controller;
      launchThread_ = GetCurrentThreadId();
      launch(which, controller);
      SetEvent(returned);
    };
  }

  // Exit as the tray menu sends it, then everything the controller owned goes.
  void ExitAndFree() {
    SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
    dlg_.reset();
    options_ = ControllerOptions{};
    parts_.reset();
  }

  void UseRecorderForAol(DWORD signOn) {
    store_.Write(settings::kAolStayOnline, 1);
    store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1,
                              testing_support::CommandLineRecorder::ExePath());
    store_.Write(settings::kAolSignOn, signOn);
  }

  testing_support::RegistrySandbox sandbox_;
  testing_support::TimeScale scale_{0.01};
  testing_support::CommandLineRecorder recorder_;
  SettingsStore store_;
  std::shared_ptr<ProductionParts> parts_;
  ControllerOptions options_;
  std::unique_ptr<StatusReportDlg> dlg_;
  testing_support::StandInClient client_;
  win::Lock lock_;
  std::vector<std::string> boxTexts_;
  std::vector<DWORD> boxThreads_;
  std::atomic<int> boxes_{0};
  std::function<int()> onBox_;
  HANDLE returned_ = nullptr;
  std::atomic<HWND> launchController_{nullptr};
  std::atomic<DWORD> launchThread_{0};
  win::MessageBoxHandler saved_;
};

// The launch request carries the controller window; the launch runs on the
// launcher thread, not the user-interface one.
TEST_F(ControllerWatchTest, LaunchRequestCarriesTheControllerWindow) {
  UseRecorderForAol(0);
  WatchLaunches();
  StartRunning();
  ASSERT_EQ(WaitForSingleObject(returned_, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(launchController_.load(), dlg_->hwnd());
  EXPECT_NE(launchThread_.load(), GetCurrentThreadId());
  ASSERT_TRUE(recorder_.WaitForLines(1));
  EXPECT_EQ(recorder_.Lines(), std::vector<std::string>{""});
}

// A client that stops answering costs each tick one bounded send on the
// watcher thread: the ticks go on, and Exit still ends the program.
TEST_F(ControllerWatchTest, HungClientBoundsTheTickAndExitStillEnds) {
  testing_support::TimeScale slower(0.1);  // a tick every 100 ms
  store_.Write(settings::kAolStayOnline, 1);
  store_.Write(settings::kAolScanInterval, 1);
  ASSERT_TRUE(client_.Start(R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window timer parent=mdi class="AOL Child" text="America Online Timer"
window prompt parent=timer class="_AOL_Static" text="You have been online for 2 hours."
window icon parent=timer class="_AOL_Icon"
window ok parent=timer class="_AOL_Button" text="OK"
window more parent=timer class="_AOL_Static" text="More" repeat=6
)"));
  // Tick lengths, measured on the watcher thread.
  win::Lock ticksLock;
  std::vector<double> ticks;
  double tickStart = 0;
  auto scan = options_.seams.watchers.scanAolTimer;
  auto gadgets = options_.seams.watchers.scanAolGadgets;
  options_.seams.watchers.scanAolTimer = [&, scan] {
    tickStart = NowMs();
    scan();
  };
  options_.seams.watchers.scanAolGadgets = [&, gadgets] {
    gadgets();
    win::LockGuard g(ticksLock);
    ticks.push_back(NowMs() - tickStart);
  };
  auto tickCount = [&] {
    win::LockGuard g(ticksLock);
    return ticks.size();
  };
  StartRunning();
  ASSERT_TRUE(PumpUntil([&] { return client_.Count("icon", "KEYUP") >= 2; }));
  ASSERT_TRUE(client_.Command("hang"));
  const size_t before = tickCount();
  ASSERT_TRUE(PumpUntil([&] { return tickCount() >= before + 3; }, 20000));
  // One bounded send per tick: the first one that times out marks the client,
  // and nothing more goes to it (there are nine controls to read, and presses).
  {
    win::LockGuard g(ticksLock);
    for (size_t i = before + 1; i < ticks.size(); ++i)
      EXPECT_LT(ticks[i], 2.0 * watch::SendBoundMs()) << "tick " << i << " while the client hangs";
  }

  HWND h = dlg_->hwnd();
  const double exitAt = NowMs();
  PostMessageA(h, WM_COMMAND, cmd::kExit, 0);  // as the tray menu does
  ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return !IsWindow(h); }, 10000));
  // At most a send in flight to wait for.
  EXPECT_LT(NowMs() - exitAt, 3.0 * watch::SendBoundMs());
  client_.Command("wake");
}

// Exit while the launcher waits for the client to appear: its waits end at
// once, it shows no box, and it finishes although the controller and all it
// owned are gone.
TEST_F(ControllerWatchTest, ExitDuringALauncherWait) {
  testing_support::TimeScale slower(0.1);  // the sign-on would look for 3 s
  UseRecorderForAol(1);
  WatchLaunches();
  StartRunning();
  ASSERT_TRUE(recorder_.WaitForLines(1));  // launched; now signing on
  const double exitAt = NowMs();
  ExitAndFree();
  ASSERT_EQ(WaitForSingleObject(returned_, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_LT(NowMs() - exitAt, 1000.0);
  EXPECT_EQ(boxes_.load(), 0);
}

// Exit while the launcher's "cannot sign-on" box is up: the box ends.
TEST_F(ControllerWatchTest, ExitEndsTheLauncherBox) {
  std::atomic<bool> ended{false};
  onBox_ = [&] {
    ended = win::WaitWhileMessageBoxUp(20000);
    return IDOK;
  };
  UseRecorderForAol(1);
  WatchLaunches();
  StartRunning();
  ASSERT_TRUE(PumpUntil([&] { return boxes_.load() == 1; }));
  const double exitAt = NowMs();
  ExitAndFree();
  ASSERT_EQ(WaitForSingleObject(returned_, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_LT(NowMs() - exitAt, 2000.0);
  EXPECT_TRUE(ended.load());
  win::LockGuard g(lock_);
  EXPECT_EQ(boxThreads_[0], launchThread_.load());
}

BOOL CALLBACK FindThreadBox(HWND h, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof(cls));
  if (std::string(cls) == "#32770") *reinterpret_cast<HWND*>(found) = h;
  return TRUE;
}

// The same with a real message box on the launcher thread.
TEST_F(ControllerWatchTest, ExitEndsARealLauncherBox) {
  win::SetMessageBoxHandler({});
  UseRecorderForAol(1);
  WatchLaunches();
  StartRunning();
  HWND box = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    if (launchThread_.load() != 0) EnumThreadWindows(launchThread_.load(), FindThreadBox, reinterpret_cast<LPARAM>(&box));
    return box != nullptr;
  }));
  ExitAndFree();
  ASSERT_EQ(WaitForSingleObject(returned_, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_FALSE(IsWindow(box));
}

// The "cannot sign-on" box of a sign-on started by timer 14 stands on a
// thread of its own: the user interface is free, the ticks go on, each
// presses "OK" and signs on again, and no second box is shown.
TEST_F(ControllerWatchTest, TheSignOnBoxHoldsNeitherTheUserInterfaceNorTheTicks) {
  store_.Write(settings::kCsStayOnline, 1);
  store_.Write(settings::kCsAutoRedial, 1);
  ASSERT_TRUE(client_.Start(R"(
window dialog class="#32770" text="The Connection Failed" keep
window ok parent=dialog class="_AOL_Button" text="OK"
)"));
  onBox_ = [&] {
    win::WaitWhileMessageBoxUp(30000);  // left up until Exit ends it
    return IDOK;
  };
  StartRunning();
  ASSERT_TRUE(PumpUntil([&] { return boxes_.load() == 1; }));
  const int first = client_.Count("ok", "KEYUP");
  // Each further press belongs to a tick that ran a sign-on of 60 looks.
  ASSERT_TRUE(PumpUntil([&] { return client_.Count("ok", "KEYUP") >= first + 2; }));
  EXPECT_EQ(boxes_.load(), 1);
  {
    win::LockGuard g(lock_);
    EXPECT_NE(boxThreads_[0], GetCurrentThreadId());
  }
  const double exitAt = NowMs();
  ExitAndFree();
  EXPECT_LT(NowMs() - exitAt, 3000.0);
}

}  // namespace

// Exit: ordering, the open configuration windows, and prompt ending.
#include "controller_fixture.h"

#include <atomic>

#include "dialup/DialUpConnections.h"
#include "settings/SettingsSchema.h"

namespace {

// A session that never finishes on its own: a hung exchange at Exit time.
class StuckSession : public ServiceSession {
 public:
  explicit StuckSession(std::atomic<int>& seen) : seen_(seen) {}
  void OnRequest(const char*, bool) override { ++seen_; }

 private:
  std::atomic<int>& seen_;
};

TEST_F(ControllerTest, ExitStopsEverythingAndEndsTheWorkers) {
  Write(settings::kConnection, 3);
  connected_ = true;
  Start();
  DWORD threadIds[kServiceCount];
  for (int i = 0; i < kServiceCount; ++i) threadIds[i] = dlg_->workers().ServiceThreadId(ServiceFromIndex(i));
  HWND h = dlg_->hwnd();
  const DWORD start = GetTickCount();
  SendMessageA(h, WM_COMMAND, cmd::kExit, 0);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_TRUE(Saw("removeIcon"));
  EXPECT_TRUE(Saw("destroyTray"));
  EXPECT_FALSE(intervalArmed_);
  for (DWORD id : threadIds) {
    HANDLE t = OpenThread(SYNCHRONIZE, FALSE, id);
    if (t) {
      EXPECT_EQ(WaitForSingleObject(t, 0), static_cast<DWORD>(WAIT_OBJECT_0));
      CloseHandle(t);
    }
  }
}

TEST_F(ControllerTest, ExitWhileTheWizardIsOpenOnlyCancelsIt) {
  Start();
  dlg_->SetWizardOpen(true);
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_TRUE(Saw("cancelWizard"));
  EXPECT_TRUE(IsWindow(dlg_->hwnd()));
  EXPECT_FALSE(Saw("removeIcon"));
  dlg_->SetWizardOpen(false);
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_EQ(dlg_->hwnd(), nullptr);
}

TEST_F(ControllerTest, ExitWhileTheConfigurationDialogIsOpenOnlyEndsIt) {
  Start();
  dlg_->SetConfigDialogOpen(true);
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_TRUE(Saw("endConfig"));
  EXPECT_TRUE(IsWindow(dlg_->hwnd()));
}

TEST_F(ControllerTest, ExitHangsUpTheProgramsOwnConnectionFirst) {
  Start();
  dialDialogExists_ = true;
  dialing_ = true;
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  ASSERT_TRUE(Saw("hangUp"));
  EXPECT_LT(std::find(events_.begin(), events_.end(), "hangUp") - events_.begin(),
            std::find(events_.begin(), events_.end(), "removeIcon") - events_.begin());
}

// An exchange that never ends must not hold Exit longer than its bounded wait.
TEST_F(ControllerTest, ExitIsBoundedEvenWithAHungExchange) {
  std::atomic<int> seen{0};
  options_.sessions = [&](ServiceContext&) { return std::make_unique<StuckSession>(seen); };
  Start();
  ASSERT_TRUE(dlg_->workers().TryClaim(ServiceKind::Echo));
  ASSERT_TRUE(dlg_->workers().PostRequest(ServiceKind::Echo, "127.0.0.1"));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return seen.load() == 1; }));
  const DWORD start = GetTickCount();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_EQ(dlg_->hwnd(), nullptr);
}

}  // namespace

namespace {

// The system's dial-up library, with no connection: the query answers "none"
// rather than failing or reading past its buffer.
TEST(DialUpQuery, NoConnectionMeansNotConnected) {
  EXPECT_FALSE(AnyDialUpConnection());
}

}  // namespace

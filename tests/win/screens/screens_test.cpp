// Screenshots of the status window and the tray menu under Xvfb, kept in
// build/win/screenshots for a person to look at.
#include <gtest/gtest.h>

#include "app/StatusReportDlg.h"
#include "keepalive/ServiceMessages.h"
#include "settings/SettingsSchema.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"
#include "support/Screenshot.h"
#include "win/Clock.h"

namespace {

// Hosts travel as owned copies, as the workers send them.
void PostHost(HWND h, int service, int phase, const std::string& host) {
  svcmsg::PostCurrentHost(h, phase, ServiceFromIndex(service), host.c_str());
  testing_support::PumpPending();
}

class ScreensTest : public ::testing::Test {
 protected:
  ScreensTest() {
    win::SetTimeScale(0.01);
    store_.Write(settings::kHostsAdded, 1);
    DWORD flags[kServiceCount] = {1, 1, 1, 0, 1, 0};
    store_.WriteServiceFlags(flags);
    store_.Write(settings::kAolStayOnline, 1);
    options_.showSplash = false;
  }
  ~ScreensTest() override {
    dlg_.reset();
    win::SetTimeScale(1.0);
  }
  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
  ControllerOptions options_;
  std::unique_ptr<StatusReportDlg> dlg_;
};

TEST_F(ScreensTest, StatusWindowWithResults) {
  dlg_ = std::make_unique<StatusReportDlg>(options_);
  ASSERT_TRUE(dlg_->Create());
  HWND h = dlg_->hwnd();
  SendMessageA(h, WM_COMMAND, cmd::kStatusReport, 0);
  PostHost(h, 0, 1, "127.0.0.1");
  SendMessageA(h, msg::kServiceResult, 0, 1);
  PostHost(h, 1, 1, "127.0.0.2");
  SendMessageA(h, msg::kServiceResult, 1, static_cast<LPARAM>(10061) << 16);
  PostHost(h, 2, 1, "127.0.0.3");
  SetForegroundWindow(h);
  testing_support::PumpFor(300);
  ASSERT_TRUE(IsWindowVisible(h));
  RECT rc;
  GetWindowRect(h, &rc);
  EXPECT_GT(testing_support::SaveScreenRect(rc, "status_window.bmp"), 8);
}

TEST_F(ScreensTest, TrayMenu) {
  dlg_ = std::make_unique<StatusReportDlg>(options_);
  ASSERT_TRUE(dlg_->Create());
  SetCursorPos(300, 200);
  static int colours = 0;
  static HWND menuWindow = nullptr;
  colours = 0;
  menuWindow = nullptr;
  // While the menu's own loop runs, a timer photographs it and closes it.
  SetTimer(dlg_->hwnd(), 77, 400, [](HWND owner, UINT, UINT_PTR id, DWORD) {
    KillTimer(owner, id);
    menuWindow = FindWindowA("#32768", nullptr);
    RECT rc = {0, 0, 0, 0};
    if (menuWindow) GetWindowRect(menuWindow, &rc);
    colours = testing_support::SaveScreenRect(rc, "tray_menu.bmp");
    EndMenu();
  });
  dlg_->ShowTrayMenu();
  EXPECT_NE(menuWindow, nullptr);
  EXPECT_GT(colours, 2);
}

}  // namespace

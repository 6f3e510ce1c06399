// Screenshots of the dial dialog and the notice under Xvfb, kept in
// build/win/screenshots for a person to look at.
#include "dial_dialog_fixture.h"
#include "dialup/NoticeDlg.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/Screenshot.h"

namespace {

using testing_support::PumpFor;

int Capture(HWND h, const char* file) {
  SetForegroundWindow(h);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpFor(50);
  RECT rc;
  GetWindowRect(h, &rc);
  return testing_support::SaveScreenRect(rc, file);
}

class DialScreensTest : public DialDialogTest {
 protected:
  // Slow enough that a countdown tick (100 ms) leaves time for a picture.
  testing_support::TimeScale slower_{0.1};
};

TEST_F(DialScreensTest, Dialing) {
  sim_.Script("state 0 5\nstate 1 5\nstate 2 5\nstate 3 5\nstate 4 60000\n");  // stays connecting
  Create();
  dlg_->Dial();
  ASSERT_TRUE(WaitForText("Connecting"));
  PumpFor(200);  // a few frames and dots
  EXPECT_GT(Capture(hwnd(), "dial_dialing.bmp"), 8);
}

TEST_F(DialScreensTest, CountingDown) {
  sim_.Script(kConnects);
  store_.Write(settings::kModemReconnect, 1);
  Create();
  DialAndConnect();
  sim_.DropLine(true);
  ASSERT_TRUE(WaitForText("Reconnecting in 9 seconds.\n"));
  const int colours = Capture(hwnd(), "dial_countdown.bmp");
  PostPress(IDC_DIAL_HANG_UP);
  EXPECT_GT(colours, 8);
  ASSERT_TRUE(WaitForText("Re-connection cancelled."));
}

TEST_F(DialScreensTest, Failed) {
  sim_.Script("state 0 5\nstate 5 5\nstate 6 5 691\n"
              "error-text 691 Access was denied because the username and/or password was invalid on the domain.\n");
  Create();
  dlg_->Dial();
  ASSERT_TRUE(WaitForEvents(2));
  EXPECT_GT(Capture(hwnd(), "dial_failed.bmp"), 8);
}

TEST_F(DialScreensTest, Notice) {
  dialup::SetNoticeHandler({});  // the real dialog
  static int colours = 0;
  static HWND found = nullptr;
  colours = 0;
  found = nullptr;
  // While the notice's own loop runs, a timer photographs it and closes it.
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    found = FindWindowA("#32770", "Tetherly! Help Wizard");
    if (!found) return;
    colours = Capture(found, "dial_notice.bmp");
    PostMessageA(found, WM_COMMAND, IDOK, 0);
  });
  std::vector<std::string> names;
  dialup::ShowNotice(nullptr,
                     "You do not have Dial-up Networking (DUN) or Remote Access Service (RAS) "
                     "installed in your system. If you're using AOL or Compuserve, this may not be "
                     "required.\n\nFor more information, please click on the Help button",
                     dialup::kNoticeInformation, IDH_NO_DIALUP);
  EXPECT_NE(found, nullptr);
  EXPECT_GT(colours, 8);
}

}  // namespace

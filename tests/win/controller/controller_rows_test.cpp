// What the status window's rows show as results and hosts arrive.
#include "controller_fixture.h"

#include "keepalive/SocketErrorText.h"
#include "keepalive/ServiceMessages.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/RegKey.h"

namespace {

// Hosts travel as owned copies, as the workers send them.
void PostHost(HWND h, int service, int phase, const std::string& host) {
  svcmsg::PostCurrentHost(h, phase, ServiceFromIndex(service), host.c_str());
  testing_support::PumpPending();
}

constexpr int kStatusIds[] = {IDC_HTTP_STATUS, IDC_FTP_STATUS, IDC_ECHO_STATUS,
                              IDC_DISCARD_STATUS, IDC_TIME_STATUS, IDC_USER_STATUS};
constexpr int kHostIds[] = {IDC_HTTP_HOST, IDC_FTP_HOST, IDC_ECHO_HOST,
                            IDC_DISCARD_HOST, IDC_TIME_HOST, IDC_USER_HOST};

LPARAM ErrorResult(int code) { return static_cast<LPARAM>(code) << 16; }


TEST_F(ControllerTest, ServiceResultsSetTheRowAndTheProtectionLook) {
  Start();
  ShowRows();
  HWND h = dlg_->hwnd();
  SendMessageA(h, msg::kServiceResult, 2, ErrorResult(10061));
  EXPECT_EQ(ItemText(IDC_ECHO_STATUS), SocketErrorText(10061));
  EXPECT_EQ(LastLook(), tray_look::kNoService);

  // An exchange that closed without data shows "Connected" but protects nothing.
  SendMessageA(h, msg::kServiceResult, 1, 0);
  EXPECT_EQ(ItemText(IDC_FTP_STATUS), "Connected");
  EXPECT_EQ(LastLook(), tray_look::kNoService);

  SendMessageA(h, msg::kServiceResult, 5, 1);
  EXPECT_EQ(ItemText(IDC_USER_STATUS), "Connected");
  EXPECT_EQ(LastLook(), tray_look::kProtected);
  EXPECT_EQ(dlg_->lastResult(5), 1);

  // Another failure keeps the look while one service still has success.
  SendMessageA(h, msg::kServiceResult, 0, ErrorResult(10060));
  EXPECT_EQ(LastLook(), tray_look::kProtected);
  SendMessageA(h, msg::kServiceResult, 5, ErrorResult(10060));
  EXPECT_EQ(LastLook(), tray_look::kNoService);
  EXPECT_EQ(ItemText(IDC_USER_STATUS), SocketErrorText(10060));
}

TEST_F(ControllerTest, ResultsForUnknownServicesAreIgnored) {
  Start();
  looks_.clear();
  SendMessageA(dlg_->hwnd(), msg::kServiceResult, 6, 1);
  SendMessageA(dlg_->hwnd(), msg::kServiceResult, static_cast<WPARAM>(-1), 1);
  EXPECT_TRUE(looks_.empty());
}

TEST_F(ControllerTest, CurrentHostShowsConnectingAndTheHostForEveryService) {
  Start();
  ShowRows();
  for (int i = 0; i < kServiceCount; ++i) {
    std::string host = "127.0.0." + std::to_string(i + 1);
    PostHost(dlg_->hwnd(), i, 1, host.c_str());
    EXPECT_EQ(ItemText(kStatusIds[i]), "Connecting .....");
    EXPECT_EQ(ItemText(kHostIds[i]), "Current Host: " + host);
  }
  // Phase 2 changes only the host text.
  SendMessageA(dlg_->hwnd(), msg::kServiceResult, 3, 1);
  PostHost(dlg_->hwnd(), 3, 2, "127.0.9.9");
  EXPECT_EQ(ItemText(IDC_DISCARD_STATUS), "Connected");
  EXPECT_EQ(ItemText(IDC_DISCARD_HOST), "Current Host: 127.0.9.9");
}

TEST_F(ControllerTest, HttpHostBookkeepingMayKeepTheRowText) {
  std::vector<bool> visits;
  options_.seams.keepAlive.onHttpHostShown = [&](bool visited, bool& showText) {
    visits.push_back(visited);
    EXPECT_EQ(showText, !visited);
  };
  Start();
  ShowRows();
  PostHost(dlg_->hwnd(), 0, 1, "127.0.0.5");
  PostHost(dlg_->hwnd(), 0, svcmsg::kPhaseOwnWebHostVisited, "");
  EXPECT_EQ(ItemText(IDC_HTTP_HOST), "Current Host: 127.0.0.5");
  EXPECT_EQ(ItemText(IDC_HTTP_STATUS), "Connecting .....");
  // Only HTTP visits; the same phase for another service changes nothing.
  PostHost(dlg_->hwnd(), 4, svcmsg::kPhaseOwnWebHostVisited, "127.0.0.6");
  EXPECT_EQ(ItemText(IDC_TIME_HOST), "Current Host: NONE");
  // A text that once was the visit's marker is now just a host text.
  PostHost(dlg_->hwnd(), 0, 2, "\\x01Tetherly home\\x01");
  EXPECT_EQ(ItemText(IDC_HTTP_HOST), "Current Host: \\x01Tetherly home\\x01");
  EXPECT_EQ(visits, (std::vector<bool>{false, true, false}));
}

TEST_F(ControllerTest, AnOverlongHostTextIsCutNotOverrun) {
  Start();
  ShowRows();
  std::string host(5000, 'h');
  PostHost(dlg_->hwnd(), 1, 1, host.c_str());
  char buf[512] = {};
  GetDlgItemTextA(dlg_->hwnd(), IDC_FTP_HOST, buf, sizeof(buf));
  EXPECT_EQ(std::string(buf), "Current Host: " + std::string(127, 'h'));
}

// A hidden window only keeps its rows; shown (command 32776, which also
// refreshes the service rows), it must look exactly as one that was visible
// all along, saw the same messages and was then asked for the report.
TEST_F(ControllerTest, RowsShownAfterAHiddenRunEqualThoseOfAVisibleOne) {
  DWORD flags[kServiceCount] = {1, 1, 0, 1, 1, 1};
  store_.WriteServiceFlags(flags);
  Write(settings::kNetZeroStayOnline, 1);
  auto feed = [](HWND h) {
    for (int round = 0; round < 3; ++round) {
      for (int s = 0; s < kServiceCount; ++s) {
        const std::string host = "127.0.7." + std::to_string(10 * round + s);
        PostHost(h, s, 1, host);
        SendMessageA(h, msg::kServiceResult, s, (s + round) % 3 == 0 ? ErrorResult(10060 + s) : 1);
        if ((s + round) % 3 != 0) PostHost(h, s, 2, host);
      }
    }
    PostHost(h, 4, 1, "127.0.7.99");  // an exchange still under way
  };
  auto snapshot = [](HWND h) {
    std::vector<std::string> shown;
    for (int id = 1000; id < 1300; ++id) {
      HWND control = GetDlgItem(h, id);
      if (!control) continue;
      char text[256] = {};
      GetWindowTextA(control, text, sizeof(text));
      const LRESULT icon = SendMessageA(control, STM_GETICON, 0, 0);
      shown.push_back(std::to_string(id) + " " + text + " " + std::to_string(icon));
    }
    return shown;
  };

  Start();
  ShowRows();
  feed(dlg_->hwnd());
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kStatusReport, 0);
  const std::vector<std::string> visible = snapshot(dlg_->hwnd());
  dlg_.reset();

  Start();
  const std::vector<std::string> before = snapshot(dlg_->hwnd());
  feed(dlg_->hwnd());
  EXPECT_EQ(snapshot(dlg_->hwnd()), before) << "a hidden window's controls were changed";
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kStatusReport, 0);
  EXPECT_TRUE(IsWindowVisible(dlg_->hwnd()));
  EXPECT_EQ(snapshot(dlg_->hwnd()), visible);
  // Once shown, rows follow the messages at once again.
  PostHost(dlg_->hwnd(), 3, 1, "127.0.7.200");
  EXPECT_EQ(ItemText(IDC_DISCARD_HOST), "Current Host: 127.0.7.200");
}

TEST_F(ControllerTest, ExchangeProgressSetsSendingAndReceivingLooks) {
  Start();
  SendMessageA(dlg_->hwnd(), msg::kExchangeProgress, 1, 0);
  EXPECT_EQ(LastLook(), tray_look::kSending);
  SendMessageA(dlg_->hwnd(), msg::kExchangeProgress, 2, 0);
  EXPECT_EQ(LastLook(), tray_look::kReceiving);
}

TEST_F(ControllerTest, WelcomeAndAdvertisementFlagsAreStored) {
  Start();
  SendMessageA(dlg_->hwnd(), msg::kWelcomeDone, 0, 1);
  SendMessageA(dlg_->hwnd(), msg::kAdvertisementDone, 0, 1);
  EXPECT_EQ(dlg_->welcomeDone(), 1);
  EXPECT_EQ(dlg_->advertisementDone(), 1);
  SendMessageA(dlg_->hwnd(), msg::kWelcomeDone, 0, 0);
  EXPECT_EQ(dlg_->welcomeDone(), 0);
}

TEST_F(ControllerTest, RefreshShowsServiceFlagsAndScannerRows) {
  DWORD flags[kServiceCount] = {0, 1, 0, 1, 0, 1};
  store_.WriteServiceFlags(flags);
  Write(settings::kCsStayOnline, 1);
  Write(settings::kMsnStayOnline, 1);
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kStatusReport, 0);
  EXPECT_TRUE(IsWindowVisible(dlg_->hwnd()));
  for (int i = 0; i < kServiceCount; ++i)
    EXPECT_EQ(ItemText(kStatusIds[i]), flags[i] ? "Service Active" : "Sevice not Active") << i;
  EXPECT_EQ(ItemText(IDC_AOLCS_GROUP), "CS2000 Scanning");
  EXPECT_EQ(ItemText(IDC_AOLCS_STATUS), "Service Active");
  EXPECT_EQ(ItemText(IDC_OTHER_GROUP), "MSN Scanning");

  Write(settings::kCsStayOnline, 0);
  Write(settings::kMsnStayOnline, 0);
  Write(settings::kAolStayOnline, 1);
  dlg_->RefreshStatusReport();
  EXPECT_EQ(ItemText(IDC_AOLCS_GROUP), "AOL Scanning");
  EXPECT_EQ(ItemText(IDC_OTHER_GROUP), "NetZero/MSN/ATT Scanning");
  EXPECT_EQ(ItemText(IDC_OTHER_STATUS), "Sevice not Active");

  // Esc and the close box only hide the window.
  SendMessageA(dlg_->hwnd(), WM_CLOSE, 0, 0);
  testing_support::PumpPending();  // the dialog manager posts the cancel
  EXPECT_FALSE(IsWindowVisible(dlg_->hwnd()));
  EXPECT_TRUE(IsWindow(dlg_->hwnd()));
}

TEST_F(ControllerTest, RefreshCountsAMissingServicesKeyAsAllOffButAMissingHttpValueAsOn) {
  Start();
  ShowRows();
  win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\Tetherly\\Services");
  dlg_->RefreshStatusReport();
  EXPECT_EQ(ItemText(IDC_HTTP_STATUS), "Sevice not Active");

  DWORD flags[kServiceCount] = {0, 0, 0, 0, 0, 0};
  store_.WriteServiceFlags(flags);
  win::RegKey k;
  ASSERT_EQ(k.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\Tetherly\\Services", KEY_ALL_ACCESS), ERROR_SUCCESS);
  k.DeleteValue("HTTP");
  dlg_->RefreshStatusReport();
  EXPECT_EQ(ItemText(IDC_HTTP_STATUS), "Service Active");
  EXPECT_EQ(ItemText(IDC_FTP_STATUS), "Sevice not Active");
}

}  // namespace

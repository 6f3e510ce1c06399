// The controller as the program wires it (real workers, sockets, scheduler
// and tray window) against loopback servers: what a user sees in the rows.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include "keepalive/WireTexts.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "support/LoopbackServer.h"
#include "support/MessagePump.h"
#include "support/ProductionController.h"
#include "support/RegistrySandbox.h"
#include "support/TestHarness.h"
#include "win/MessageBox.h"

namespace {

using testing_support::LoopbackServer;
using testing_support::PumpFor;
using testing_support::PumpUntil;

constexpr const char* kAddress = "127.0.5.1";
constexpr int kStatusIds[] = {IDC_HTTP_STATUS, IDC_FTP_STATUS, IDC_ECHO_STATUS,
                              IDC_DISCARD_STATUS, IDC_TIME_STATUS, IDC_USER_STATUS};
constexpr int kHostIds[] = {IDC_HTTP_HOST, IDC_FTP_HOST, IDC_ECHO_HOST,
                            IDC_DISCARD_HOST, IDC_TIME_HOST, IDC_USER_HOST};

class EndToEndTest : public ::testing::Test {
 protected:
  EndToEndTest() : scale_(0.01) {
    store_.Write(settings::kHostsAdded, 1);
    store_.Write(settings::kVisited, 1);  // never the program's own web host
    store_.Write(settings::kIntervalOption, 2);
    store_.Write(settings::kFixed, 1000);  // one cycle per start unless a test asks for more
    for (int s = 0; s < kServiceCount; ++s)
      store_.WriteHostList(s, {s == 5 ? std::string(kAddress) + ":7007" : std::string(kAddress)});
    DWORD on[kServiceCount] = {1, 1, 1, 1, 1, 1};
    store_.WriteServiceFlags(on);
  }
  ~EndToEndTest() override { dlg_.reset(); }

  void StartServers() {
    ASSERT_EQ(http_.Start(kAddress, 80, testing_support::HttpScript()), 0);
    ASSERT_EQ(ftp_.Start(kAddress, 21, testing_support::FtpScript()), 0);
    ASSERT_EQ(echo_.Start(kAddress, 7, testing_support::EchoScript()), 0);
    ASSERT_EQ(discard_.Start(kAddress, 9, testing_support::DiscardScript()), 0);
    ASSERT_EQ(daytime_.Start(kAddress, 13, testing_support::DaytimeScript()), 0);
    ASSERT_EQ(user_.Start(kAddress, 7007, testing_support::EchoScript()), 0);
  }
  void StartController() {
    dlg_ = std::make_unique<StatusReportDlg>(testing_support::ProductionOptionsRecordingLooks(&looks_));
    ASSERT_TRUE(dlg_->Create());
    ShowWindow(dlg_->hwnd(), SW_SHOWNA);  // the rows as a user sees them
  }
  std::string Status(int service) { return Text(kStatusIds[service]); }
  std::string HostRow(int service) { return Text(kHostIds[service]); }
  std::string Text(int id) {
    char buf[256] = {};
    GetDlgItemTextA(dlg_->hwnd(), id, buf, sizeof(buf));
    return buf;
  }
  int Results() const {
    int n = 0;
    for (int look : looks_) n += look == tray_look::kProtected || look == tray_look::kNoService;
    return n;
  }
  std::vector<int> Counts() {
    return {http_.ConnectionCount(), ftp_.ConnectionCount(), echo_.ConnectionCount(),
            discard_.ConnectionCount(), daytime_.ConnectionCount(), user_.ConnectionCount()};
  }

  testing_support::RegistrySandbox sandbox_;
  testing_support::WinsockSession winsock_;
  testing_support::TimeScale scale_;
  SettingsStore store_;
  LoopbackServer http_, ftp_, echo_, discard_, daytime_, user_;
  std::unique_ptr<StatusReportDlg> dlg_;
  std::vector<int> looks_;
};

TEST_F(EndToEndTest, AClickStartsAllSixExchangesAndTheRowsShowThem) {
  StartServers();
  StartController();
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  ASSERT_TRUE(PumpUntil([&] {
    for (int s = 0; s < kServiceCount; ++s)
      if (Status(s) != "Connected") return false;
    return true;
  }, 20000)) << Status(0) << "|" << Status(1) << "|" << Status(2) << "|" << Status(3) << "|"
             << Status(4) << "|" << Status(5);
  for (int s = 0; s < kServiceCount; ++s) EXPECT_EQ(dlg_->lastResult(s), 1) << s;
  EXPECT_EQ(looks_.back(), tray_look::kProtected);
  EXPECT_NE(std::find(looks_.begin(), looks_.end(), tray_look::kSending), looks_.end());
  EXPECT_EQ(http_.Received(0).rfind("HEAD / HTTP/1.0\n", 0), 0u) << http_.Received(0);
}

TEST_F(EndToEndTest, NothingIsSentWhileStoppedAndRestartingResumes) {
  store_.Write(settings::kFixed, 1);  // a cycle every 10 ms at this scale
  StartServers();
  StartController();
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return http_.ConnectionCount() >= 2 && echo_.ConnectionCount() >= 2; }, 20000));
  dlg_->ToggleService();
  // Exchanges already under way finish; none starts after that.
  ASSERT_TRUE(PumpUntil([&] {
    for (int k = 0; k < kServiceCount; ++k)
      if (dlg_->workers().IsBusy(ServiceFromIndex(k))) return false;
    return true;
  }, 20000));
  // Every exchange ends in exactly one result, and every result sets a look;
  // the servers' own counts may still lag behind their accept queues.
  const int resultsAtStop = Results();
  PumpFor(500);  // many interval periods at this scale
  EXPECT_EQ(Results(), resultsAtStop);
  const std::vector<int> atStop = Counts();
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return http_.ConnectionCount() > atStop[0]; }, 20000));
}

// Configured host texts that would steer the traffic: one that equals what
// once stood for the program's own web host, and ones that carry a line
// break into a request or a second row line. None reaches any server; each
// fails as an unresolvable name and is shown escaped.
TEST_F(EndToEndTest, HostTextsThatWouldSteerTrafficAreRejected) {
  LoopbackServer own;
  ASSERT_EQ(own.Start("127.0.5.9", 80, testing_support::HttpScript()), 0);
  wire::SetOwnWebHost("127.0.5.9");
  StartServers();
  struct Case {
    std::string http, user;
    std::string httpShown, userShown;
  } cases[] = {
      {"\x01Tetherly home\x01", "127.0.5.1:7007\nX-Injected: yes", "\\x01Tetherly home\\x01",
       "127.0.5.1:7007\\nX-Injected: yes"},
      {"127.0.5.1/x\nX-Injected: yes", "\x01Tetherly home\x01:7007",
       "127.0.5.1/x\\nX-Injected: yes", "\\x01Tetherly home\\x01:7007"},
  };
  DWORD on[kServiceCount] = {1, 0, 0, 0, 0, 1};
  store_.WriteServiceFlags(on);
  store_.Write(settings::kAccessType, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.httpShown);
    store_.WriteDedicatedHost(0, c.http);
    store_.WriteDedicatedHost(5, c.user);
    StartController();
    dlg_->ToggleService();
    ASSERT_TRUE(PumpUntil([&] {
      return Status(0) == "Connection rejected" && Status(5) == "Connection rejected";
    }, 20000)) << Status(0) << "|" << Status(5);
    EXPECT_EQ(HostRow(0), "Current Host: " + c.httpShown);
    EXPECT_EQ(HostRow(5), "Current Host: " + c.userShown);
    dlg_.reset();
  }
  EXPECT_EQ(http_.ConnectionCount(), 0);
  EXPECT_EQ(user_.ConnectionCount(), 0);
  EXPECT_EQ(own.ConnectionCount(), 0);
  wire::SetOwnWebHost(nullptr);
}

// "Interval" "Option" 5 cannot be armed: one box per start, opened from the
// message loop; no cycle runs inside it (the first one follows when it
// closes); stop and start still work, also from inside the box; Exit with
// the box open ends the program promptly.
TEST_F(EndToEndTest, AnUnknownIntervalOptionTellsOncePerStartAndNeverCyclesInsideTheBox) {
  store_.Write(settings::kIntervalOption, 5);
  StartServers();
  StartController();
  int boxes = 0;
  bool cycledInsideABox = false;
  std::function<int(HWND, const char*, const char*, UINT)> inside;
  auto previous = win::SetMessageBoxHandler(
      [&](HWND owner, const char* text, const char* caption, UINT type) {
        ++boxes;
        EXPECT_STREQ(text, "All timers are used up for the system. Please try again later.");
        const std::vector<int> before = Counts();
        // A box's own loop runs timers and posted messages for as long as it is open.
        PumpFor(300);
        if (Counts() != before) cycledInsideABox = true;
        return inside ? inside(owner, text, caption, type) : IDOK;
      });
  auto idle = [&] {
    return PumpUntil([&] {
      for (int k = 0; k < kServiceCount; ++k)
        if (dlg_->workers().IsBusy(ServiceFromIndex(k))) return false;
      return true;
    }, 20000);
  };

  // A start: one box, then the first cycle, and no second box from its re-arming.
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return http_.ConnectionCount() == 1 && echo_.ConnectionCount() == 1; }, 20000));
  ASSERT_TRUE(idle());
  PumpFor(300);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(http_.ConnectionCount(), 1) << "no cycle without an interval";

  // Stop and start from inside the box: no second box while one is open,
  // and the service runs its cycle once the box is gone.
  dlg_->ToggleService();
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
  inside = [&](HWND, const char*, const char*, UINT) {
    inside = nullptr;
    dlg_->ToggleService();
    EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
    dlg_->ToggleService();
    EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
    PumpFor(300);
    return IDOK;
  };
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return http_.ConnectionCount() == 2; }, 20000));
  ASSERT_TRUE(idle());
  PumpFor(300);
  EXPECT_EQ(boxes, 2);
  EXPECT_FALSE(cycledInsideABox);

  // Exit from inside a real box: the box goes with its owner, and the
  // program ends at once. A watchdog closes the box should it stay.
  dlg_->ToggleService();
  DWORD exitTook = 0;
  inside = [&](HWND owner, const char* text, const char* caption, UINT type) {
    inside = nullptr;
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
      for (int i = 0; i < 200 && !done; ++i) Sleep(50);
      if (!done)
        if (HWND box = FindWindowA("#32770", caption)) PostMessageA(box, WM_CLOSE, 0, 0);
    });
    PostMessageA(owner, WM_COMMAND, cmd::kExit, 0);
    const DWORD start = GetTickCount();
    const int answer = MessageBoxA(owner, text, caption, type);
    exitTook = GetTickCount() - start;
    done = true;
    watchdog.join();
    return answer;
  };
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return dlg_->hwnd() == nullptr; }, 20000));
  EXPECT_EQ(boxes, 3);
  EXPECT_LT(exitTook, 3000u);
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the program's own, not ours
  win::SetMessageBoxHandler(previous);
}

TEST_F(EndToEndTest, RefusedConnectionsShowTheErrorAndNoProtection) {
  StartController();  // no servers: every connect is refused
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return Status(2) == "Connection refused"; }, 20000)) << Status(2);
  EXPECT_EQ(looks_.back(), tray_look::kNoService);
}

TEST_F(EndToEndTest, ExitDuringAnExchangeEndsPromptly) {
  // The Discard server holds every connection open; exchanges stay under way.
  StartServers();
  StartController();
  dlg_->ToggleService();
  ASSERT_TRUE(PumpUntil([&] { return discard_.ConnectionCount() >= 1; }, 20000));
  const DWORD start = GetTickCount();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kExit, 0);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_EQ(dlg_->hwnd(), nullptr);
}

}  // namespace

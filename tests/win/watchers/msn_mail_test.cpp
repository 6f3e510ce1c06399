// The MSN mail check (timer 18) against POP3 servers of its own on loopback
// port 110: what the server sees, what is traced, the failed flag and the
// tray look it leaves for the MSN watcher.
#include <atomic>

#include "support/LoopbackServer.h"
#include "support/TestHarness.h"
#include "watcher_fixture.h"
#include "watchers/MsnMailCheck.h"
#include "watchers/MsnWatcher.h"

namespace {

using namespace testing_support;
using V = std::vector<std::string>;

class MsnMailTest : public WatcherTest {
 protected:
  MsnMailTest() : mail_(Env()), msn_(Env(), mail_) {}
  void SetUp() override { ASSERT_TRUE(winsock_.ok()); }

  void Configure(const char* server, const char* login, const char* password) {
    store_.WritePop3ServerName(server);
    store_.WritePop3Login(login);
    store_.WritePop3Password(password);
  }

  WinsockSession winsock_;
  // A tenth of real time: a reply may take 200 ms, time enough for a loaded
  // machine's server thread.
  TimeScale mailScale_{0.1};
  watch::MsnMailCheck mail_;
  watch::MsnWatcher msn_;
};

constexpr const char* kMail = "You've connected to pop3 and there is email";
constexpr const char* kNoMail = "You've connected to pop3 and there's no email";

TEST_F(MsnMailTest, WhatTheServerSeesAndWhatTheCheckLeaves) {
  struct Case {
    const char* name;
    const char* address;
    Script script;  // empty: nothing listens there
    const char* login;
    std::string seen;
    V trace;
    bool failed;
  };
  const Case cases[] = {
      {"mail waiting", "127.9.1.1", Dialogue({"+OK hi\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 4512\r\n", "+OK bye\r\n"}),
       "x", "USER x\r\nPASS y\r\nSTAT\r\nQUIT\r\n", {"now checking mail...", kMail}, false},
      {"no mail", "127.9.1.2", Dialogue({"+OK hi\r\n", "+OK\r\n", "+OK\r\n", "+OK 0 0\r\n", "+OK bye\r\n"}),
       "x", "USER x\r\nPASS y\r\nSTAT\r\nQUIT\r\n", {"now checking mail...", kNoMail}, false},
      {"no login", "127.9.1.3", Dialogue({"+OK hi\r\n", "+OK bye\r\n"}), "", "QUIT\r\n",
       {"Connected to pop 3 but didn't check email"}, false},
      {"STAT refused", "127.9.1.4", Dialogue({"+OK hi\r\n", "+OK\r\n", "+OK\r\n", "-ERR no\r\n", "+OK bye\r\n"}),
       "x", "USER x\r\nPASS y\r\nSTAT\r\nQUIT\r\n", {}, false},
      {"negative greeting", "127.9.1.5", Dialogue({"-ERR busy\r\n", "+OK bye\r\n"}), "x", "QUIT\r\n", {},
       true},
      {"refused connection", "127.9.1.6", {}, "x", "", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server;
    if (!c.script.empty()) {
      ASSERT_EQ(server.Start(c.address, 110, c.script), 0);
    }
    Configure(c.address, c.login, "y");
    TraceRecorder::Clear();
    looks_.clear();
    mail_.CheckMSNMail();
    EXPECT_EQ(Trace(), c.trace);
    EXPECT_EQ(mail_.pop3Failed(), c.failed);
    EXPECT_EQ(looks_, c.failed ? std::vector<int>{33} : std::vector<int>{});
    if (!c.script.empty()) {
      ASSERT_TRUE(server.WaitForFinished(1));
      EXPECT_EQ(server.Received(0), c.seen);
    }
  }
}

// A server that never answers, and one that dribbles its greeting a byte at
// a time, each byte in time: the check ends at its limit (15 s scaled) all
// the same, as a failure.
TEST_F(MsnMailTest, SilentAndDribblingServersAreBounded) {
  const double scale = 0.1;
  struct Case {
    const char* name;
    const char* address;
    Script script;
    double endsAfterMs;  // the reply's wait, or the whole check's limit
  };
  const Case cases[] = {
      {"silent", "127.9.2.1", {Hold()}, 2000 * scale},
      {"dribbling", "127.9.2.2", {SendBytewise("+OK " + std::string(800, '.'), 20), Hold()}, 15000 * scale},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server;
    ASSERT_EQ(server.Start(c.address, 110, c.script), 0);
    Configure(c.address, "x", "y");
    const double start = NowMs();
    mail_.CheckMSNMail();
    EXPECT_GE(NowMs() - start, c.endsAfterMs - 20);
    EXPECT_LT(NowMs() - start, 15000 * scale + 500);
    EXPECT_TRUE(mail_.pop3Failed());
  }
}

// Exit in the middle of a check against a dribbling server ends it at once,
// not at its limit (the watcher thread is joined with a bound at Exit).
TEST_F(MsnMailTest, EndingTheWaitsEndsACheckInProgress) {
  const double limitMs = 15000 * 0.1;
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.9.2.3", 110, {SendBytewise("+OK " + std::string(800, '.'), 20), Hold()}), 0);
  Configure("127.9.2.3", "x", "y");
  struct Ender {
    LoopbackServer* server;
    watch::LaunchWaits* waits;
    std::atomic<double> endedAt{0};
  } ender{&server, &waits_};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* e = static_cast<Ender*>(p);
        if (!e->server->WaitForConnections(1)) return 1;
        Sleep(50);  // the greeting has begun to dribble
        e->endedAt = NowMs();
        e->waits->End();
        return 0;
      },
      &ender, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  mail_.CheckMSNMail();
  const double returned = NowMs();
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  ASSERT_GT(ender.endedAt.load(), 0);
  EXPECT_LT(returned - ender.endedAt.load(), limitMs / 3);
}

// After a failed check the MSN watcher leaves look 33 up instead of its own
// 32, until a check gets through (or the controller clears the flag).
TEST_F(MsnMailTest, AFailedCheckHoldsItsLookUntilAGoodOne) {
  Configure("127.9.3.1", "x", "y");  // nothing listens
  looks_.clear();
  mail_.CheckMSNMail();
  msn_.ScanMSNDisconnect();
  msn_.ScanMSNDisconnect();
  EXPECT_EQ(looks_, std::vector<int>{33});

  LoopbackServer server;
  ASSERT_EQ(server.Start("127.9.3.1", 110, Pop3Script()), 0);
  mail_.CheckMSNMail();
  msn_.ScanMSNDisconnect();
  EXPECT_EQ(looks_, (std::vector<int>{33, 32}));

  server.Stop();
  mail_.CheckMSNMail();
  EXPECT_TRUE(mail_.pop3Failed());
  mail_.ClearPop3Failed();
  msn_.ScanMSNDisconnect();
  EXPECT_EQ(looks_, (std::vector<int>{33, 32, 33, 32}));
}

}  // namespace

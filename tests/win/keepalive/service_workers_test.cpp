#include <string>
#include <vector>

#include "ExchangeFixture.h"

namespace {

using namespace testing_support;
using V = std::vector<Recorded>;

// A request that arrives while the services are stopped is dropped: nothing
// is posted, nothing connects, and the busy flag is released so the next
// start sends again.
TEST_F(ExchangeTest, PausedWorkersDropRequestsAndRelease) {
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.10.1", 7, EchoScript()), 0);
  workers.Pause();
  for (int i = 0; i < 3; ++i) {
    Request(ServiceKind::Echo, "127.33.10.1");
    ASSERT_TRUE(WaitIdle(ServiceKind::Echo));
  }
  EXPECT_EQ(server.ConnectionCount(), 0);
  workers.Pause();  // not counted
  workers.Resume();
  EXPECT_FALSE(workers.IsPaused());
  Exchange(ServiceKind::Echo, "127.33.10.1");
  EXPECT_EQ(controller.messages().back(), Host(2, ServiceKind::Echo, "127.33.10.1"));
  ASSERT_TRUE(server.WaitForFinished(1));
  EXPECT_EQ(server.ConnectionCount(), 1);
}

// Stopping during an exchange loses nothing: the exchange in flight still
// reports; requests made while stopped are dropped; after the start they go
// through again.
TEST_F(ExchangeTest, StopAndStartDuringAnExchange) {
  const std::string probe = "abcdefghijklmnopqrstuvwxyz0123456789";
  LoopbackServer echo, discard;
  ASSERT_EQ(echo.Start("127.33.10.2", 7, {Receive(), WaitGate(), Send(probe), Hold()}), 0);
  ASSERT_EQ(discard.Start("127.33.10.3", 9, DiscardScript()), 0);
  Request(ServiceKind::Echo, "127.33.10.2");
  ASSERT_TRUE(controller.PumpUntil([&] { return echo.Received(0).size() == probe.size(); }));

  workers.Pause();
  Request(ServiceKind::Discard, "127.33.10.3");
  ASSERT_TRUE(WaitIdle(ServiceKind::Discard));
  EXPECT_EQ(discard.ConnectionCount(), 0) << "sent while stopped";
  EXPECT_TRUE(workers.IsBusy(ServiceKind::Echo));

  echo.OpenGate();
  ASSERT_TRUE(controller.WaitForResults(ServiceKind::Echo, 1));
  ASSERT_TRUE(WaitIdle(ServiceKind::Echo));
  EXPECT_EQ(controller.For(ServiceKind::Echo, false).back(),
            Host(2, ServiceKind::Echo, "127.33.10.2"))
      << "the exchange in flight was lost\n" << Describe(controller.messages());

  workers.Resume();
  Exchange(ServiceKind::Discard, "127.33.10.3");
  ASSERT_TRUE(discard.WaitForFinished(1));
  EXPECT_EQ(discard.ConnectionCount(), 1);
  EXPECT_EQ(controller.For(ServiceKind::Discard, false),
            (V{Host(1, ServiceKind::Discard, "127.33.10.3"), Result(ServiceKind::Discard, 1),
               Host(2, ServiceKind::Discard, "127.33.10.3")}));
}

// A whole cycle's exchanges made while the controller's thread is busy
// elsewhere (as it is while a cycle posts its requests): every message of
// every exchange reaches the controller, in the order of the exchanges and,
// within each, in the order the workers made them; and the controller's
// thread is woken once for all of them, not once per message.
TEST_F(ExchangeTest, ACycleOfReportsArrivesWholeInOrderWithOneWakeUp) {
  LoopbackServer http, ftp, echo, discard, daytime, user;
  ASSERT_EQ(http.Start("127.33.11.1", 80, HttpScript()), 0);
  ASSERT_EQ(ftp.Start("127.33.11.2", 21, FtpScript()), 0);
  ASSERT_EQ(echo.Start("127.33.11.3", 7, EchoScript()), 0);
  ASSERT_EQ(discard.Start("127.33.11.4", 9, DiscardScript()), 0);
  ASSERT_EQ(daytime.Start("127.33.11.5", 13, DaytimeScript()), 0);
  ASSERT_EQ(user.Start("127.33.11.6", 4011, {Hold()}), 0);
  struct Case {
    ServiceKind kind;
    const char* host;
    bool reply;
  } cases[] = {
      {ServiceKind::Http, "127.33.11.1", true},       {ServiceKind::Ftp, "127.33.11.2", true},
      {ServiceKind::Echo, "127.33.11.3", true},       {ServiceKind::Discard, "127.33.11.4", false},
      {ServiceKind::TimeServer, "127.33.11.5", true}, {ServiceKind::UserPort, "127.33.11.6:4011", false},
  };
  V expected;
  for (const Case& c : cases) {
    const V one = {Host(1, c.kind, c.host), Progress(1)};
    expected.insert(expected.end(), one.begin(), one.end());
    if (c.reply) expected.push_back(Progress(2));
    expected.push_back(Result(c.kind, 1));
    expected.push_back(Host(2, c.kind, c.host));
    // One exchange after the other, without handling a message meanwhile.
    Request(c.kind, c.host);
    const DWORD start = GetTickCount();
    while (workers.IsBusy(c.kind) && GetTickCount() - start < 15000) Sleep(5);
    ASSERT_FALSE(workers.IsBusy(c.kind)) << c.host;
  }
  int fetched = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ++fetched;
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(controller.messages(), expected) << Describe(controller.messages());
  EXPECT_EQ(fetched, 1);
}

// A service's thread begins with its first request and serves every later
// one; services never asked for cost no thread.
TEST_F(ExchangeTest, AServiceThreadBeginsWithItsFirstRequestAndStays) {
  LoopbackServer discard;
  ASSERT_EQ(discard.Start("127.33.11.7", 9, DiscardScript()), 0);
  for (int i = 0; i < kServiceCount; ++i)
    EXPECT_EQ(workers.ServiceThreadId(ServiceFromIndex(i)), 0u) << "service " << i;
  Exchange(ServiceKind::Discard, "127.33.11.7");
  const DWORD first = workers.ServiceThreadId(ServiceKind::Discard);
  EXPECT_NE(first, 0u);
  Exchange(ServiceKind::Discard, "127.33.11.7");
  EXPECT_EQ(workers.ServiceThreadId(ServiceKind::Discard), first);
  for (int i = 0; i < kServiceCount; ++i)
    if (ServiceFromIndex(i) != ServiceKind::Discard) {
      EXPECT_EQ(workers.ServiceThreadId(ServiceFromIndex(i)), 0u) << "service " << i;
    }
  ASSERT_TRUE(discard.WaitForFinished(2));
  EXPECT_EQ(discard.ConnectionCount(), 2);
}

TEST(ServiceWorkersStart, RequestPostedRightAfterStartIsServed) {
  WinsockSession winsock;
  ASSERT_TRUE(winsock.ok());
  LoopbackServer server;
  ASSERT_EQ(server.Start("127.33.10.4", 9, DiscardScript()), 0);
  for (int round = 0; round < 5; ++round) {
    MessageRecorder controller;
    ASSERT_TRUE(controller.Create());
    ServiceWorkers workers;
    ASSERT_EQ(workers.Start(controller.hwnd(), [](ServiceContext& c) { return CreateServiceSession(c, {}); }, {}),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_TRUE(workers.TryClaim(ServiceKind::Discard));
    ASSERT_TRUE(workers.PostRequest(ServiceKind::Discard, "127.33.10.4"));
    ASSERT_TRUE(controller.WaitForResults(ServiceKind::Discard, 1)) << "round " << round;
    ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return !workers.IsBusy(ServiceKind::Discard); }));
    MessageRecorder::Drain();
    EXPECT_EQ(controller.For(ServiceKind::Discard, false).back(),
              Host(2, ServiceKind::Discard, "127.33.10.4"));
    EXPECT_TRUE(workers.Shutdown(3000));
  }
  ASSERT_TRUE(server.WaitForFinished(5));
  EXPECT_EQ(server.ConnectionCount(), 5);
}

// Exit while an exchange waits for a silent server: the workers end at once
// (not after the exchange's time limit) and the connection is closed.
TEST_F(ExchangeTest, ShutdownDuringAnExchangeEndsPromptly) {
  LoopbackServer silent;
  ASSERT_EQ(silent.Start("127.33.10.5", 7, {Hold()}), 0);
  Request(ServiceKind::Echo, "127.33.10.5");
  ASSERT_TRUE(silent.WaitForConnections(1));
  ASSERT_TRUE(controller.PumpUntil([&] {
    for (const Recorded& r : controller.messages())
      if (r == Progress(1)) return true;
    return false;
  }));
  TimeScale real(1.0);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(workers.Shutdown(3000));
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_TRUE(silent.WaitForFinished(1)) << "the socket was left open";
  EXPECT_EQ(controller.CountResults(ServiceKind::Echo), 0);
  EXPECT_FALSE(workers.PostRequest(ServiceKind::Echo, "127.33.10.5")) << "posted after exit";
}

}  // namespace

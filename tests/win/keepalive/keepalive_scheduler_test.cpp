#include <string>
#include <vector>

#include "ExchangeFixture.h"
#include "app/KeepAliveScheduler.h"
#include "app/Random15.h"
#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"
#include "settings/SettingsSchema.h"
#include "support/RegistrySandbox.h"

namespace {

using namespace testing_support;

class SchedulerTest : public ExchangeTest {
 protected:
  RegistrySandbox sandbox;
  SettingsStore store;
  std::unique_ptr<KeepAliveScheduler> scheduler;
  std::vector<std::string> shownMessages;
  int ticks = 0;
  bool runOnTick = true;

  void SetUp() override {
    ExchangeTest::SetUp();
    // No draws in Arm unless a test asks for the random interval.
    store.Write(settings::kIntervalOption, 2);
    store.WriteIntervalNumbers(30, 90, 60);
    controller.onMessage = [this](UINT m, WPARAM wp, LPARAM) {
      if (m == WM_TIMER && wp == KeepAliveScheduler::kIntervalTimer && scheduler) {
        ++ticks;
        if (runOnTick && scheduler->IsArmed()) scheduler->RunCycle();
      }
    };
    controller.onRecorded = [this](const Recorded& r) {
      if ((r.wParam & 0xFFFF) != 0 || !scheduler) return;
      bool show = true;
      scheduler->OnHttpHostShown((r.wParam >> 16) == svcmsg::kPhaseOwnWebHostVisited, show);
      if (show) shown.push_back(r.host);
    };
  }

  void TearDown() override {
    scheduler.reset();
    ExchangeTest::TearDown();
  }

  void NewRun() {
    scheduler = std::make_unique<KeepAliveScheduler>(store, workers, controller.hwnd());
    scheduler->SetMessageHook([this](HWND, const char* text) { shownMessages.push_back(text); });
  }

  void Enable(std::vector<ServiceKind> on) {
    DWORD flags[6] = {};
    for (ServiceKind k : on) flags[ServiceIndex(k)] = 1;
    ASSERT_TRUE(store.WriteServiceFlags(flags));
  }

  // One cycle, then wait until every service it sent is idle again.
  void Cycle() {
    scheduler->RunCycle();
    for (int i = 0; i < kServiceCount; ++i) ASSERT_TRUE(WaitIdle(ServiceFromIndex(i)));
  }

  // Hosts announced (phase 1) for a service, in order.
  std::vector<std::string> Announced(ServiceKind kind) {
    std::vector<std::string> out;
    for (const Recorded& r : controller.For(kind, false))
      if (r.message == svcmsg::kCurrentHost && (r.wParam >> 16) == 1) out.push_back(r.host);
    return out;
  }

  std::vector<std::string> shown;
};

// HTTP with three hosts and FTP with two, sequential: the shared position
// gives HTTP 0 / FTP 1, then HTTP 2 / FTP 0, then HTTP 1 / FTP 0 for ever.
TEST_F(SchedulerTest, SharedSequentialPosition) {
  TimeScale fast(0.01);
  store.Write(settings::kVisited, 1);
  store.Write(settings::kAccessType, 1);
  store.WriteHostList(0, {"127.33.20.1", "127.33.20.2", "127.33.20.3"});
  store.WriteHostList(1, {"127.33.21.1", "127.33.21.2"});
  Enable({ServiceKind::Http, ServiceKind::Ftp});
  NewRun();
  for (int i = 0; i < 5; ++i) Cycle();
  EXPECT_EQ(Announced(ServiceKind::Http),
            (std::vector<std::string>{"127.33.20.1", "127.33.20.3", "127.33.20.2", "127.33.20.2",
                                      "127.33.20.2"}));
  EXPECT_EQ(Announced(ServiceKind::Ftp),
            (std::vector<std::string>{"127.33.21.2", "127.33.21.1", "127.33.21.1", "127.33.21.1",
                                      "127.33.21.1"}));
  EXPECT_TRUE(scheduler->IsArmed());
}

TEST_F(SchedulerTest, RandomFollowsTheProgramGenerator) {
  TimeScale fast(0.01);
  store.Write(settings::kVisited, 1);
  store.Write(settings::kAccessType, 2);
  const std::vector<std::string> hosts = {"127.33.22.1", "127.33.22.2", "127.33.22.3",
                                          "127.33.22.4", "127.33.22.5"};
  store.WriteHostList(2, hosts);
  Enable({ServiceKind::Echo});
  NewRun();
  Random15 reference = Random15::Shared();
  std::vector<std::string> want;
  for (int i = 0; i < 8; ++i) {
    want.push_back(hosts[reference.Next() % 5]);
    Cycle();
  }
  EXPECT_EQ(Announced(ServiceKind::Echo), want);
  EXPECT_EQ(Random15::Shared().state(), reference.state()) << "fixed interval must not draw";
}

TEST_F(SchedulerTest, DedicatedHostsAndEmptyLists) {
  TimeScale fast(0.01);
  store.Write(settings::kVisited, 1);
  Enable({ServiceKind::Http, ServiceKind::Discard, ServiceKind::UserPort});

  store.Write(settings::kAccessType, 3);
  store.WriteDedicatedHost(3, "127.33.23.1");
  store.WriteDedicatedHost(5, "127.33.23.2:4000");
  NewRun();
  Cycle();
  EXPECT_EQ(Announced(ServiceKind::Discard), std::vector<std::string>{"127.33.23.1"});
  EXPECT_EQ(Announced(ServiceKind::UserPort), std::vector<std::string>{"127.33.23.2:4000"});
  EXPECT_EQ(Announced(ServiceKind::Http), std::vector<std::string>{""});

  // Empty lists, sequential and random: an empty host is still sent and
  // fails in the worker (the user port, lacking ':', is only released).
  for (DWORD access : {1u, 2u}) {
    controller.Clear();
    store.Write(settings::kAccessType, access);
    Cycle();
    EXPECT_EQ(controller.For(ServiceKind::Discard, false),
              (std::vector<Recorded>{Host(1, ServiceKind::Discard, ""),
                                     Failure(ServiceKind::Discard, WSAEINVAL)}));
    EXPECT_EQ(controller.For(ServiceKind::UserPort, false),
              (std::vector<Recorded>{Host(1, ServiceKind::UserPort, "")}));
  }
}

// With Fixed 0 the timer fires as fast as the loop allows, but a service is
// never sent again before its exchange has ended.
TEST_F(SchedulerTest, FixedZeroNeverOverlapsAnExchange) {
  store.Write(settings::kVisited, 1);
  store.Write(settings::kAccessType, 3);
  store.WriteIntervalNumbers(30, 90, 0);
  store.WriteDedicatedHost(2, "127.33.24.1");
  Enable({ServiceKind::Echo});
  LoopbackServer echo;
  ASSERT_EQ(echo.Start("127.33.24.1", 7, {Receive(), WaitGate(), Send("x"), Hold()}), 0);
  // Fast pacing, yet the exchange's time limit (3 s) stays far beyond the
  // ticks waited for here.
  TimeScale fast(0.1);
  NewRun();
  ASSERT_TRUE(scheduler->Arm());
  ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return ticks >= 15; }));
  EXPECT_EQ(Announced(ServiceKind::Echo).size(), 1u);
  EXPECT_EQ(echo.ConnectionCount(), 1);
  echo.OpenGate();
  ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return Announced(ServiceKind::Echo).size() >= 3; }));
  scheduler->Kill();
  // Each announcement after the first follows the result of the exchange before it.
  int announced = 0, results = 0;
  for (const Recorded& r : controller.For(ServiceKind::Echo, false)) {
    if (r.message == svcmsg::kServiceResult) ++results;
    if (r.message != svcmsg::kCurrentHost || (r.wParam >> 16) != 1) continue;
    EXPECT_EQ(results, announced) << "sent again before its exchange ended\n"
                                  << Describe(controller.messages());
    ++announced;
  }
  EXPECT_FALSE(scheduler->IsArmed());
}

// First run: the first HTTP exchange goes to a configured host, the next one
// (after that host was shown) to the own web host, once; the visit is
// recorded only when it succeeded, and a recorded visit is never repeated.
TEST_F(SchedulerTest, FirstRunVisitSequence) {
  TimeScale fast(0.01);
  wire::SetOwnWebHost("127.33.25.9");
  store.Write(settings::kAccessType, 1);
  store.WriteHostList(0, {"127.33.25.1"});
  Enable({ServiceKind::Http});
  LoopbackServer configured;
  ASSERT_EQ(configured.Start("127.33.25.1", 80, HttpScript()), 0);

  // A run whose visit fails (nobody at the own web host): not recorded, and
  // not tried again in that run.
  NewRun();
  for (int i = 0; i < 4; ++i) Cycle();
  EXPECT_EQ(store.Read(settings::kVisited), 0u);
  std::vector<Recorded> http = controller.For(ServiceKind::Http, false);
  ASSERT_EQ(http.size(), 3u * 3 + 1);  // three exchanges of three, the visit's one failure
  EXPECT_EQ(http[3], Failure(ServiceKind::Http, WSAECONNREFUSED));
  EXPECT_EQ(shown, std::vector<std::string>(6, "127.33.25.1"));

  // The next run visits again, this time with success, and records it.
  LoopbackServer own;
  ASSERT_EQ(own.Start("127.33.25.9", 80, HttpScript()), 0);
  controller.Clear();
  shown.clear();
  NewRun();
  for (int i = 0; i < 3; ++i) Cycle();
  EXPECT_EQ(store.Read(settings::kVisited), 1u);
  ASSERT_TRUE(own.WaitForFinished(1));
  EXPECT_EQ(own.Received(0), wire::VisitRequest(false));
  EXPECT_EQ(Announced(ServiceKind::Http), (std::vector<std::string>{"127.33.25.1", "127.33.25.1"}));
  EXPECT_EQ(shown, std::vector<std::string>(4, "127.33.25.1")) << "the visit's host is not shown";

  // Later runs never go there.
  NewRun();
  for (int i = 0; i < 3; ++i) Cycle();
  EXPECT_EQ(own.ConnectionCount(), 1);
  wire::SetOwnWebHost(nullptr);
}

TEST_F(SchedulerTest, ArmingFailuresTellTheUser) {
  const std::string text = "All timers are used up for the system. Please try again later.";
  NewRun();
  store.Write(settings::kIntervalOption, 3);
  EXPECT_FALSE(scheduler->Arm());
  EXPECT_FALSE(scheduler->IsArmed());
  EXPECT_TRUE(shownMessages.empty()) << "the box opens from the message loop, not from Arm";
  ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return !shownMessages.empty(); }));
  ASSERT_EQ(shownMessages, std::vector<std::string>{text});

  // A window that no longer exists cannot carry the timer.
  store.Write(settings::kIntervalOption, 1);
  MessageRecorder gone;
  ASSERT_TRUE(gone.Create());
  HWND dead = gone.hwnd();
  gone.Destroy();
  KeepAliveScheduler orphan(store, workers, dead);
  std::vector<std::string> orphanMessages;
  orphan.SetMessageHook([&](HWND, const char* t) { orphanMessages.push_back(t); });
  EXPECT_FALSE(orphan.Arm());
  ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return !orphanMessages.empty(); }));
  EXPECT_EQ(orphanMessages, std::vector<std::string>{text});

  // The random interval arms and fires.
  store.WriteIntervalNumbers(0, 0, 0);  // random part 0 ms: fires at once
  runOnTick = false;
  EXPECT_TRUE(scheduler->Arm());
  EXPECT_TRUE(scheduler->IsArmed());
  EXPECT_TRUE(MessageRecorder::PumpUntil([&] { return ticks > 0; }));
  scheduler->Kill();
  EXPECT_FALSE(scheduler->IsArmed());
}

}  // namespace

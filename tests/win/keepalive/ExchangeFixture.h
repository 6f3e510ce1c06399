#pragma once
// Six real service workers reporting to a recording controller window.
#include <gtest/gtest.h>

#include <atomic>

#include "keepalive/ServiceSessions.h"
#include "keepalive/ServiceWorkers.h"
#include "support/LoopbackServer.h"
#include "support/MessageRecorder.h"
#include "support/TestHarness.h"
#include "win/Clock.h"

class ExchangeTest : public ::testing::Test {
 protected:
  testing_support::WinsockSession winsock;
  testing_support::TraceRecorder trace;
  testing_support::MessageRecorder controller;
  std::atomic<bool> netZeroStayOnline{false};
  ServiceWorkers workers;

  void SetUp() override {
    ASSERT_TRUE(winsock.ok());
    ASSERT_TRUE(controller.Create());
    ASSERT_EQ(workers.Start(
                  controller.hwnd(),
                  [this](ServiceContext& c) {
                    return CreateServiceSession(c, [this] { return netZeroStayOnline.load(); });
                  },
                  {}),
              static_cast<DWORD>(ERROR_SUCCESS));
  }

  void TearDown() override {
    testing_support::TimeScale real(1.0);
    EXPECT_TRUE(workers.Shutdown(3000));
  }

  // What the scheduler does for one service: claim, then post.
  void Request(ServiceKind kind, const char* host) {
    ASSERT_TRUE(workers.TryClaim(kind)) << "service still busy";
    ASSERT_TRUE(workers.PostRequest(kind, host));
  }

  // The worker posts everything before it releases the service, so once the
  // service is idle all its messages are here.
  bool WaitIdle(ServiceKind kind, DWORD ms = 15000) {
    if (!testing_support::MessageRecorder::PumpUntil([&] { return !workers.IsBusy(kind); }, ms))
      return false;
    testing_support::MessageRecorder::Drain();
    return true;
  }

  // Requests and waits until the exchange has ended and the service is idle.
  void Exchange(ServiceKind kind, const char* host) {
    const int before = controller.CountResults(kind);
    Request(kind, host);
    ASSERT_TRUE(controller.WaitForResults(kind, before + 1)) << testing_support::Describe(controller.messages());
    ASSERT_TRUE(WaitIdle(kind));
  }
};

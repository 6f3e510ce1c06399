#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "win/Lock.h"
#include "win/WorkerThread.h"

namespace {

constexpr UINT kRequest = WM_APP + 50;

// A post made the instant Start returns must not be lost: the queue exists.
TEST(WorkerThread, PostRightAfterStartIsDelivered) {
  for (int round = 0; round < 20; ++round) {
    win::WorkerThread worker;
    std::atomic<int> got{0};
    ASSERT_EQ(worker.Start([&](const MSG& m) {
      if (m.message == kRequest) got += static_cast<int>(m.lParam);
    }), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_TRUE(worker.Post(kRequest, 0, 7));
    ASSERT_TRUE(worker.PostQuit());
    ASSERT_EQ(worker.Join(5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(got.load(), 7);
  }
}

TEST(WorkerThread, RequestsRunInOrderAndQuitEndsTheLoop) {
  win::WorkerThread worker;
  std::vector<LPARAM> seen;
  win::Lock lock;
  ASSERT_EQ(worker.Start([&](const MSG& m) {
    win::LockGuard g(lock);
    seen.push_back(m.lParam);
  }), static_cast<DWORD>(ERROR_SUCCESS));
  for (LPARAM i = 0; i < 100; ++i) ASSERT_TRUE(worker.Post(kRequest, 0, i));
  worker.PostQuit();
  ASSERT_EQ(worker.Join(5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_FALSE(worker.IsRunning());
  ASSERT_EQ(seen.size(), 100u);
  for (LPARAM i = 0; i < 100; ++i) EXPECT_EQ(seen[i], i);
}

TEST(WorkerThread, AThrowingHandlerDoesNotEndTheThread) {
  win::WorkerThread worker;
  std::atomic<int> calls{0};
  ASSERT_EQ(worker.Start([&](const MSG&) {
    if (++calls == 1) throw 1;
  }), static_cast<DWORD>(ERROR_SUCCESS));
  worker.Post(kRequest, 0, 0);
  worker.Post(kRequest, 0, 0);
  worker.PostQuit();
  ASSERT_EQ(worker.Join(5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(calls.load(), 2);
}

TEST(GuardedFlag, ClaimSucceedsOnlyOnceUntilReleased) {
  win::GuardedFlag flag;
  EXPECT_TRUE(flag.TryClaim());
  EXPECT_FALSE(flag.TryClaim());
  EXPECT_EQ(flag.Get(), 1);
  flag.Set(0);
  EXPECT_TRUE(flag.TryClaim());
}

}  // namespace

// The watcher thread: every tick off the calling thread, in the order handed;
// a tick handed while the same timer's previous one waits or runs is dropped,
// as Windows merges a busy window's WM_TIMER messages; nothing runs after
// Stop, and Stop's wait is bounded.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "watchers/WatcherThread.h"
#include "win/Lock.h"

namespace {

struct Recorder {
  win::Lock lock;
  std::vector<std::string> ran;
  std::atomic<DWORD> thread{0};
  void Add(const std::string& what) {
    thread = GetCurrentThreadId();
    win::LockGuard g(lock);
    ran.push_back(what);
  }
  std::vector<std::string> Ran() {
    win::LockGuard g(lock);
    return ran;
  }
};

bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 2000; ++i) {
    if (done()) return true;
    Sleep(5);
  }
  return done();
}

TEST(WatcherThread, DropsATimersTickWhileItsPreviousOneIsBusy) {
  watch::WatcherThread thread;
  ASSERT_EQ(thread.Start(), static_cast<DWORD>(ERROR_SUCCESS));
  Recorder r;
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> blocking{false};

  struct Hand {
    UINT_PTR timer;
    const char* name;
    bool blocks;
    bool taken;
  };
  const Hand hands[] = {
      {4, "4a", true, true},    // runs, and holds the thread
      {4, "4b", false, false},  // 4 is busy: dropped
      {9, "9a", false, true},   // another timer: queued behind 4a
      {9, "9b", false, false},  // 9 is queued: dropped
      {14, "14a", false, true},
  };
  for (const Hand& h : hands) {
    const bool taken = thread.Hand(h.timer, [&, h] {
      if (h.blocks) {
        blocking = true;
        WaitForSingleObject(release, 10000);
      }
      r.Add(h.name);
    });
    EXPECT_EQ(taken, h.taken) << h.name;
    if (h.blocks) {
      ASSERT_TRUE(WaitUntil([&] { return blocking.load(); }));
    }
  }
  EXPECT_TRUE(thread.IsBusy(4));
  EXPECT_TRUE(thread.IsBusy(9));
  SetEvent(release);
  ASSERT_TRUE(WaitUntil([&] { return r.Ran().size() == 3 && !thread.IsBusy(14); }));
  EXPECT_EQ(r.Ran(), (std::vector<std::string>{"4a", "9a", "14a"}));
  EXPECT_NE(r.thread.load(), GetCurrentThreadId());

  // Once the tick is over, the timer's next one is taken again.
  EXPECT_TRUE(thread.Hand(4, [&] { r.Add("4c"); }));
  ASSERT_TRUE(WaitUntil([&] { return r.Ran().size() == 4; }));
  EXPECT_TRUE(thread.Stop(5000));
  CloseHandle(release);
}

// A tick still running when Stop's bound passes is left to finish (Stop
// says so); what was queued behind it never runs, and nothing is taken after.
TEST(WatcherThread, StopIsBoundedAndRunsNothingAfter) {
  watch::WatcherThread thread;
  ASSERT_EQ(thread.Start(), static_cast<DWORD>(ERROR_SUCCESS));
  Recorder r;
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> blocking{false};
  ASSERT_TRUE(thread.Hand(4, [&] {
    blocking = true;
    WaitForSingleObject(release, 10000);
    r.Add("4");
  }));
  ASSERT_TRUE(thread.Hand(9, [&] { r.Add("9"); }));
  ASSERT_TRUE(WaitUntil([&] { return blocking.load(); }));

  const DWORD start = GetTickCount();
  EXPECT_FALSE(thread.Stop(100));
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(thread.Hand(14, [&] { r.Add("14"); }));
  SetEvent(release);
  EXPECT_TRUE(thread.Stop(5000));
  EXPECT_EQ(r.Ran(), std::vector<std::string>{"4"});
  CloseHandle(release);
}

}  // namespace

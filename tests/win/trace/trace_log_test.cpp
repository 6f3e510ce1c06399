#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/Trace.h"
#include "app/TraceLog.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"

namespace {

// Thread t's line i. Built by appending: GCC 12 at -O3 warns falsely about
// "literal" + std::string temporaries.
std::string ThreadLine(int t, int i) {
  std::string text = "t";
  text += std::to_string(t);
  text += " #";
  text += std::to_string(i);
  text += ' ';
  text.append(40, static_cast<char>('a' + t));
  return text;
}

class TraceLogTest : public ::testing::Test {
 protected:
  std::string Line(int index) const {
    HWND list = log_.Item(IDC_TRACE_LIST);
    // Read as UTF-16: Wine's conversion of an ANSI LB_GETTEXT overruns the
    // stack on lines of a few thousand characters.
    int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, index, 0));
    if (len < 0) return "<none>";
    std::wstring w(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&w[0]));
    w.resize(static_cast<size_t>(len));
    return std::string(w.begin(), w.end());  // the lines are ASCII
  }
  int Selected() const {
    return static_cast<int>(SendMessageA(log_.Item(IDC_TRACE_LIST), LB_GETCURSEL, 0, 0));
  }

  testing_support::RegistrySandbox sandbox_;
  TraceLog log_;
};

TEST_F(TraceLogTest, HiddenAppendsAreAllThereAndTheLastIsSelected) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(log_.hwnd()));
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(log_.AppendLine(("line " + std::to_string(i)).c_str()));
    EXPECT_EQ(Selected(), i);
  }
  ShowWindow(log_.hwnd(), SW_SHOW);
  EXPECT_EQ(log_.LineCount(), 10);
  EXPECT_EQ(Line(0), "line 0");
  EXPECT_EQ(Line(9), "line 9");
  EXPECT_TRUE(log_.Clear());
  EXPECT_EQ(log_.LineCount(), 0);
}

// Lines from workers arrive whole, each thread's in its own order, without
// the workers waiting for the window's thread.
TEST_F(TraceLogTest, AppendsFromSeveralThreadsArriveWholeAndInOrder) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  log_.InstallAsTraceSink();
  constexpr int kThreads = 4, kLines = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) {
        TraceLine(ThreadLine(t, i).c_str());
      }
    });
  }
  // Nothing here handles messages until every worker is done.
  for (auto& th : threads) th.join();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return log_.LineCount() == kThreads * kLines; }));
  int next[kThreads] = {};
  for (int i = 0; i < kThreads * kLines; ++i) {
    std::string line = Line(i);
    int t = line[1] - '0';
    ASSERT_GE(t, 0);
    ASSERT_LT(t, kThreads);
    EXPECT_EQ(line, ThreadLine(t, next[t]));
    ++next[t];
  }
  EXPECT_EQ(Selected(), kThreads * kLines - 1);
  SetTraceSink(nullptr, nullptr);
}

// Whether the lines come from the window's thread or from a worker while
// that thread does not answer, the newest are kept.
TEST_F(TraceLogTest, TheOldestLinesGoWhenTheCapIsReached) {
  for (bool fromWorker : {false, true}) {
    TraceLog log;
    ASSERT_TRUE(log.Create(SW_HIDE));
    log.SetMaxLines(100);
    auto append = [&log] {
      for (int i = 0; i < 250; ++i) log.AppendLine(std::to_string(i).c_str());
    };
    if (fromWorker) std::thread(append).join();
    else append();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return log.LineCount() == 100; })) << fromWorker;
    testing_support::PumpUntil([] { return false; }, 50);  // nothing more may come
    HWND list = log.Item(IDC_TRACE_LIST);
    char first[16] = {}, last[16] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    SendMessageA(list, LB_GETTEXT, 99, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(log.LineCount(), 100) << fromWorker;
    EXPECT_STREQ(first, "150") << fromWorker;
    EXPECT_STREQ(last, "249") << fromWorker;
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 99) << fromWorker;
  }
}

// Lines are bounded in length and the list in characters: a long line keeps
// its first bytes and a visible mark, and the oldest lines make room.
TEST_F(TraceLogTest, LongLinesAreCutAndTheBudgetDropsTheOldest) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  log_.SetBudget(3 * trace::kMaxLineChars);
  for (int i = 0; i < 5; ++i) {
    std::string text = "reply " + std::to_string(i) + " " + std::string(70000, 'a' + i);
    EXPECT_TRUE(log_.AppendLine(text.c_str()));
  }
  ASSERT_EQ(log_.LineCount(), 3);
  EXPECT_EQ(log_.CharCount(), 3 * trace::kMaxLineChars);
  for (int i = 0; i < 3; ++i) {
    const std::string line = Line(i);
    EXPECT_EQ(line.size(), trace::kMaxLineChars);
    EXPECT_EQ(line.rfind("reply " + std::to_string(i + 2) + " ", 0), 0u) << i;
    EXPECT_EQ(line.substr(line.size() - 4), " ...");
  }
  // Short lines fill the room a long one leaves.
  for (int i = 0; i < 10; ++i) log_.AppendLine("short");
  EXPECT_EQ(log_.LineCount(), 12);
  EXPECT_EQ(Line(0).rfind("reply 3 ", 0), 0u);
  EXPECT_EQ(Selected(), 11);
  EXPECT_TRUE(log_.Clear());
  EXPECT_EQ(log_.CharCount(), 0u);
}

TEST_F(TraceLogTest, ThePositionIsSavedAtDestroyAndRestoredAtCreate) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  MoveWindow(log_.hwnd(), 40, 50, 300, 200, TRUE);
  log_.Destroy();
  SettingsStore store;
  LONG l = 0, t = 0, r = 0, b = 0;
  ASSERT_TRUE(store.ReadTraceRect(l, t, r, b));
  EXPECT_EQ(l, 40);
  EXPECT_EQ(t, 50);
  EXPECT_EQ(r, 340);
  EXPECT_EQ(b, 250);

  store.WriteTraceRect(70, 80, 470, 380);
  TraceLog again;
  ASSERT_TRUE(again.Create(SW_HIDE));
  RECT rc;
  GetWindowRect(again.hwnd(), &rc);
  EXPECT_EQ(rc.left, 70);
  EXPECT_EQ(rc.top, 80);
  EXPECT_EQ(rc.right, 470);
  EXPECT_EQ(rc.bottom, 380);
}

TEST_F(TraceLogTest, AMissingRectangleKeepsTheTemplatePlacement) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  RECT rc;
  GetWindowRect(log_.hwnd(), &rc);
  EXPECT_GT(rc.right - rc.left, 0);
  EXPECT_GT(rc.bottom - rc.top, 0);
}

TEST_F(TraceLogTest, TheListFillsTheClientAreaAfterResizing) {
  ASSERT_TRUE(log_.Create(SW_HIDE));
  for (SIZE size : {SIZE{400, 300}, SIZE{250, 500}}) {
    MoveWindow(log_.hwnd(), 10, 10, size.cx, size.cy, TRUE);
    RECT client, list;
    GetClientRect(log_.hwnd(), &client);
    GetWindowRect(log_.Item(IDC_TRACE_LIST), &list);
    MapWindowPoints(nullptr, log_.hwnd(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, client.left);
    EXPECT_EQ(list.top, client.top);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom);
  }
}

TEST(TraceLogNoWindow, AppendWithoutAWindowGoesNowhere) {
  TraceLog log;
  EXPECT_FALSE(log.AppendLine("x"));
  EXPECT_TRUE(log.Clear());
}

}  // namespace

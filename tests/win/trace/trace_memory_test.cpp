// A run of many HTTP exchanges against a server whose replies are 64 KiB:
// the trace shows the first bytes of every reply, and the process does not
// grow by more than the trace's budget. The budget fills after about 250
// exchanges; 1,500 keep this test short (the benchmark runs 10,000).
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <string>

#include "app/TraceLog.h"
#include "base/Trace.h"
#include "keepalive/ServiceSessions.h"
#include "keepalive/ServiceWorkers.h"
#include "res/resource.h"
#include "support/LoopbackServer.h"
#include "support/MessageRecorder.h"
#include "support/RegistrySandbox.h"
#include "support/TestHarness.h"

namespace {

using namespace testing_support;

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  return pmc.PagefileUsage;
}

std::string Line(const TraceLog& log, int index) {
  HWND list = log.Item(IDC_TRACE_LIST);
  // Read as UTF-16: Wine's conversion of an ANSI LB_GETTEXT overruns the
  // stack on lines of a few thousand characters.
  const int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, index, 0));
  if (len < 0) return "<none>";
  std::wstring w(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&w[0]));
  w.resize(static_cast<size_t>(len));
  return std::string(w.begin(), w.end());  // the lines are ASCII
}

TEST(TraceMemory, LongRepliesKeepTheTraceWithinItsBudget) {
  constexpr int kExchanges = 1500;
  constexpr const char* kAddress = "127.33.90.1";
  const std::string head = "HTTP/1.0 200 OK\r\nX-Serial: ";
  WinsockSession winsock;
  ASSERT_TRUE(winsock.ok());
  RegistrySandbox sandbox;
  TraceLog log;
  ASSERT_TRUE(log.Create(SW_HIDE));
  log.InstallAsTraceSink();
  MessageRecorder controller;
  ASSERT_TRUE(controller.Create());
  LoopbackServer server;
  server.KeepRecords(false);
  ASSERT_EQ(server.Start(kAddress, 80, HttpScript(head + std::string(64 * 1024 - head.size(), 'r'))), 0);
  ServiceWorkers workers;
  ASSERT_EQ(workers.Start(controller.hwnd(),
                          [](ServiceContext& c) { return CreateServiceSession(c, {}); }, {}),
            static_cast<DWORD>(ERROR_SUCCESS));

  auto run = [&](int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(workers.TryClaim(ServiceKind::Http));
      ASSERT_TRUE(workers.PostRequest(ServiceKind::Http, kAddress));
      ASSERT_TRUE(MessageRecorder::PumpUntil([&] { return !workers.IsBusy(ServiceKind::Http); }));
      controller.Clear();
    }
  };
  run(20);  // threads, sockets and their windows exist from here on
  const size_t before = PrivateBytes();
  run(kExchanges - 20);
  MessageRecorder::Drain();  // the last lines on their way
  const size_t after = PrivateBytes();
  SetTraceSink(nullptr, nullptr);
  EXPECT_TRUE(workers.Shutdown(3000));

  EXPECT_LE(log.CharCount(), trace::kBudgetChars);
  // The list keeps its characters as UTF-16; a few MiB stand for the rest.
  EXPECT_LT(after, before + 2 * trace::kBudgetChars + 4 * 1024 * 1024)
      << "grew from " << before / 1024 << " KiB to " << after / 1024 << " KiB";
  // Every line left is the name, the request or a reply; each reply shows
  // its first bytes and ends with the mark.
  int replies = 0;
  for (int i = 0; i < log.LineCount(); ++i) {
    const std::string line = Line(log, i);
    if (line.rfind("HTTP/1.0 200 OK", 0) != 0) continue;
    ++replies;
    EXPECT_EQ(line.size(), trace::kMaxLineChars) << i;
    EXPECT_EQ(line.substr(line.size() - 4), " ...") << i;
  }
  EXPECT_GT(replies, 100);
  std::printf("%d exchanges: private bytes %zu KiB -> %zu KiB, trace %d lines, %zu chars\n",
              kExchanges, before / 1024, after / 1024, log.LineCount(), log.CharCount());
}

}  // namespace

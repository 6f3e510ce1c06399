// Keep-alive throughput and cost, against loopback servers started here.
// Prints figures; asserts nothing. Run under Wine like the tests:
//   scripts/wine-run.sh build/win/wine-null build/win/tests/bench/keepalive_bench.exe [exchanges]
//
// 1. One exchange per service through the workers and sockets, against the
//    same connect/send/receive done by a bare blocking socket and by a bare
//    WSAAsyncSelect socket on one thread; rounds interleaved, wall time and
//    processor time of this process, and their ratios.
// 2. The scheduler with Fixed interval 0 and all six services on: exchanges
//    per second with the real 100 ms pause after each request, then with
//    that pause scaled down, and the process's memory after 100 and after
//    10,000 exchanges.
// 3. The trace window fed by HTTP exchanges whose replies are 64 KiB: the
//    process's memory after 100 and after 10,000 exchanges, their ratio, and
//    what the trace holds at the end.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/KeepAliveScheduler.h"
#include "app/TraceLog.h"
#include "base/Trace.h"
#include "keepalive/ServiceMessages.h"
#include "keepalive/ServiceSessions.h"
#include "keepalive/ServiceWorkers.h"
#include "keepalive/WireTexts.h"
#include "settings/SettingsSchema.h"
#include "BareExchange.h"
#include "support/LoopbackServer.h"
#include "support/RegistrySandbox.h"
#include "support/TestHarness.h"
#include "win/Clock.h"
#include "win/Window.h"

namespace {

using namespace testing_support;

constexpr const char* kAddress[kServiceCount] = {"127.33.40.1", "127.33.40.2", "127.33.40.3",
                                                 "127.33.40.4", "127.33.40.5", "127.33.40.6"};
constexpr unsigned short kPort[kServiceCount] = {80, 21, 7, 9, 13, 4000};
const std::string kHttpReply = "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n";

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Memory {
  size_t heapBytes = 0;   // allocated blocks on every heap of the process
  size_t heapBlocks = 0;
  size_t workingSet = 0;
  size_t pagefile = 0;
};

Memory MeasureMemory() {
  Memory m;
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  m.workingSet = pmc.WorkingSetSize;
  m.pagefile = pmc.PagefileUsage;
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
  for (DWORD i = 0; i < count; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
        m.heapBytes += entry.cbData;
        ++m.heapBlocks;
      }
    }
    HeapUnlock(heaps[i]);
  }
  return m;
}

void PrintMemory(const char* when, const Memory& m) {
  std::printf("Memory after %s: heap %zu bytes in %zu blocks, working set %zu KiB, "
              "pagefile %zu KiB\n",
              when, m.heapBytes, m.heapBlocks, m.workingSet / 1024, m.pagefile / 1024);
}

std::string HostOf(int service) {
  return service == 5 ? std::string(kAddress[5]) + ":" + std::to_string(kPort[5]) : kAddress[service];
}

// The controller's side, reduced to counting: results per service, and the
// interval ticks handed to the scheduler.
class Counter : public win::Window {
 public:
  long results[kServiceCount] = {};
  long failures = 0;
  long total = 0;
  KeepAliveScheduler* scheduler = nullptr;

  bool Create() { return win::Window::Create("TetherlyBench", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg == svcmsg::kCurrentHost) {
      svcmsg::TakeCurrentHost(lp);  // frees the copy
      return true;
    }
    if (msg == svcmsg::kServiceResult) {
      if (wp < kServiceCount) ++results[wp];
      if (lp != svcmsg::kSucceeded) ++failures;
      ++total;
      return true;
    }
    if (msg == WM_TIMER && wp == KeepAliveScheduler::kIntervalTimer && scheduler) {
      if (scheduler->IsArmed()) scheduler->RunCycle();
      return true;
    }
    return msg == svcmsg::kExchangeProgress;
  }
};

bool Pump(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) break;
    if (GetTickCount() - start > ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void StartServers(std::vector<std::unique_ptr<LoopbackServer>>& servers) {
  const Script scripts[kServiceCount] = {HttpScript(kHttpReply), FtpScript(), EchoScript(),
                                         DiscardScript(), DaytimeScript(), DiscardScript()};
  for (int i = 0; i < kServiceCount; ++i) {
    auto s = std::make_unique<LoopbackServer>();
    s->KeepRecords(false);
    if (int rc = s->Start(kAddress[i], kPort[i], scripts[i]))
      std::printf("server %s:%u failed: %d\n", kAddress[i], kPort[i], rc);
    servers.push_back(std::move(s));
  }
}

// Processor time of this process, all threads, in ms.
double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                               f.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

struct Column {
  double wallMs = 0, cpuMs = 0;
  int ok = 0;
  template <typename F>
  void Time(F&& exchange) {
    const double t0 = Now(), c0 = ProcessCpuMs();
    ok += exchange() ? 1 : 0;
    cpuMs += ProcessCpuMs() - c0;
    wallMs += (Now() - t0) * 1000;
  }
};

// One exchange per service three ways, the rounds interleaved (program, bare,
// one-thread WSAAsyncSelect, program, ...) so that whatever else the machine
// does weighs on all three alike. The third column is what Wine's
// asynchronous notifications cost without anything of the program's own.
void CompareWithBareSockets(ServiceWorkers& workers, Counter& counter, int rounds) {
  static const char* kNames[kServiceCount] = {"HTTP", "FTP", "Echo", "Discard", "Time Server",
                                              "User Port"};
  std::printf("One exchange, mean of %d interleaved rounds, wall ms (process cpu ms):\n"
              "  service     program          bare             async select     "
              "program/bare program/async\n",
              rounds);
  bench::AsyncExchange async;
  Column total[3];
  for (int i = 0; i < kServiceCount; ++i) {
    const ServiceKind kind = ServiceFromIndex(i);
    const std::string host = HostOf(i);
    Column program, bare, select;
    for (int r = 0; r < rounds; ++r) {
      program.Time([&] {
        const long before = counter.results[i];
        workers.TryClaim(kind);
        workers.PostRequest(kind, host.c_str());
        return Pump([&] { return counter.results[i] > before && !workers.IsBusy(kind); }, 10000);
      });
      bare.Time([&] { return bench::BlockingExchange(i, kAddress[i], kPort[i]); });
      select.Time([&] { return async.Run(i, kAddress[i], kPort[i]); });
    }
    auto cell = [&](const Column& c) {
      char text[32];
      std::snprintf(text, sizeof(text), "%6.3f (%6.3f)", c.wallMs / rounds, c.cpuMs / rounds);
      return std::string(text);
    };
    std::printf("  %-11s %s  %s  %s  %5.2f (%5.2f) %5.2f (%5.2f)  ok %d/%d/%d\n", kNames[i],
                cell(program).c_str(), cell(bare).c_str(), cell(select).c_str(),
                program.wallMs / bare.wallMs, program.cpuMs / std::max(bare.cpuMs, 1e-9),
                program.wallMs / select.wallMs, program.cpuMs / std::max(select.cpuMs, 1e-9),
                program.ok, bare.ok, select.ok);
    const Column* cols[3] = {&program, &bare, &select};
    for (int k = 0; k < 3; ++k) {
      total[k].wallMs += cols[k]->wallMs;
      total[k].cpuMs += cols[k]->cpuMs;
    }
  }
  std::printf("  all six: program/bare %.2f wall, %.2f cpu; program/async %.2f wall, %.2f cpu; "
              "async/bare %.2f wall, %.2f cpu\n",
              total[0].wallMs / total[1].wallMs, total[0].cpuMs / total[1].cpuMs,
              total[0].wallMs / total[2].wallMs, total[0].cpuMs / total[2].cpuMs,
              total[2].wallMs / total[1].wallMs, total[2].cpuMs / total[1].cpuMs);
}

// Runs the scheduler until `count` more results arrived; exchanges per second.
double RunScheduler(KeepAliveScheduler& scheduler, Counter& counter, long count) {
  const long start = counter.total;
  const double t0 = Now();
  scheduler.Arm();
  Pump([&] { return counter.total - start >= count; }, 3600 * 1000);
  const double seconds = Now() - t0;
  scheduler.Kill();
  return static_cast<double>(counter.total - start) / seconds;
}

// HTTP exchanges one after another through the worker, each reply 64 KiB,
// into the real trace window.
void TraceMemory(ServiceWorkers& workers, Counter& counter, long exchanges) {
  constexpr const char* kAddress = "127.33.40.7";
  const std::string head = "HTTP/1.0 200 OK\r\n";
  LoopbackServer server;
  server.KeepRecords(false);
  if (server.Start(kAddress, 80, HttpScript(head + std::string(64 * 1024 - head.size(), 'r')))) {
    std::printf("trace memory: server failed\n");
    return;
  }
  TraceLog log;
  if (!log.Create(SW_HIDE)) return;
  log.InstallAsTraceSink();
  long done = 0;
  auto run = [&](long until) {
    for (; done < until; ++done) {
      const long before = counter.results[0];
      workers.TryClaim(ServiceKind::Http);
      workers.PostRequest(ServiceKind::Http, kAddress);
      Pump([&] { return counter.results[0] > before && !workers.IsBusy(ServiceKind::Http); }, 10000);
    }
  };
  const double t0 = Now();
  run(100);
  const Memory at100 = MeasureMemory();
  run(exchanges);
  const Memory atN = MeasureMemory();
  const double seconds = Now() - t0;
  SetTraceSink(nullptr, nullptr);
  std::printf("Trace memory, %ld HTTP exchanges with 64 KiB replies (%.1f exchanges/s):\n",
              exchanges, static_cast<double>(exchanges) / seconds);
  PrintMemory("100 exchanges", at100);
  PrintMemory((std::to_string(exchanges) + " exchanges").c_str(), atN);
  std::printf("  ratio %ld/100: pagefile %.3f, heap %.3f (target under 1.1)\n", exchanges,
              static_cast<double>(atN.pagefile) / static_cast<double>(at100.pagefile),
              static_cast<double>(atN.heapBytes) / static_cast<double>(at100.heapBytes));
  std::printf("  trace at the end: %d lines, %zu characters (budget %zu)\n", log.LineCount(),
              log.CharCount(), trace::kBudgetChars);
}

}  // namespace

int main(int argc, char** argv) {
  const long exchanges = argc > 1 ? std::max(200L, std::atol(argv[1])) : 10000L;
  WinsockSession winsock;
  if (!winsock.ok()) return 1;
  RegistrySandbox sandbox;
  std::vector<std::unique_ptr<LoopbackServer>> servers;
  StartServers(servers);

  SettingsStore store;
  const DWORD all[kServiceCount] = {1, 1, 1, 1, 1, 1};
  store.WriteServiceFlags(all);
  store.Write(settings::kAccessType, 3);
  for (int i = 0; i < kServiceCount; ++i) store.WriteDedicatedHost(i, HostOf(i));
  store.Write(settings::kIntervalOption, 2);
  store.WriteIntervalNumbers(30, 90, 0);
  store.Write(settings::kVisited, 1);

  Counter counter;
  if (!counter.Create()) return 1;
  ServiceWorkers workers;
  workers.Start(counter.hwnd(), [](ServiceContext& c) { return CreateServiceSession(c, {}); }, {});

  CompareWithBareSockets(workers, counter, 200);

  KeepAliveScheduler scheduler(store, workers, counter.hwnd());
  scheduler.SetMessageHook([](HWND, const char* text) { std::printf("message: %s\n", text); });
  counter.scheduler = &scheduler;

  const double realRate = RunScheduler(scheduler, counter, 60);
  std::printf("Scheduler, Fixed 0, six services, real 100 ms pause per request: %.1f exchanges/s\n",
              realRate);

  win::SetTimeScale(0.01);  // the pause becomes 1 ms; the exchange limit 300 ms
  const long failuresBefore = counter.failures;
  const double warm = RunScheduler(scheduler, counter, 100);
  const Memory at100 = MeasureMemory();
  const double rate = RunScheduler(scheduler, counter, exchanges - 100);
  const Memory atN = MeasureMemory();
  std::printf("Scheduler, Fixed 0, six services, pause scaled to 1 ms: %.1f exchanges/s "
              "(first 100: %.1f/s), failures %ld\n",
              rate, warm, counter.failures - failuresBefore);
  PrintMemory("100 exchanges", at100);
  PrintMemory((std::to_string(exchanges) + " exchanges").c_str(), atN);
  long perService[kServiceCount];
  std::copy(std::begin(counter.results), std::end(counter.results), perService);
  std::printf("Results per service:");
  for (long n : perService) std::printf(" %ld", n);
  std::printf("\n");

  counter.scheduler = nullptr;
  win::SetTimeScale(1.0);
  TraceMemory(workers, counter, exchanges);
  workers.Shutdown(3000);
  return 0;
}

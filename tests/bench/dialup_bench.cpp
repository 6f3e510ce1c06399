// Dial-up and mouse-walk costs. Prints figures; asserts nothing. Run under
// Wine with a display (the walk moves the real cursor) and the simulated
// dial-up library in the prefix's system folder:
//   WINEDLLOVERRIDES=rasapi32=n,b scripts/wine-run.sh $PWD/build/win/wine-x11
//       build/win/tests/bench/dialup_bench.exe   (one line)
//
// 1. A 1000-pixel walk at real pace: milliseconds per pixel, and the longest
//    wait of a message another thread sends to the walking window meanwhile;
//    then shorter walks taking turns with waits that end on the timer tick
//    (as the walk had before), its own, and its own system-timer fallback.
// 2. A hang-up whose library never lets go, waited for up to its bound: wall
//    and processor time, against the same time spent polling with zero-length
//    sleeps.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/MouseSimulation.h"
#include "dialup/RasLibrary.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"
#include "support/SimulatedRas.h"
#include "win/Clock.h"
#include "win/MessageBox.h"
#include "win/Window.h"

namespace {

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

struct Pinger {
  HWND target = nullptr;
  std::atomic<bool> stop{false};
  double longestMs = 0;
  int sent = 0;
};

DWORD WINAPI Ping(void* arg) {
  auto* p = static_cast<Pinger*>(arg);
  while (!p->stop.load()) {
    const double before = NowMs();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(p->target, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    p->longestMs = std::max(p->longestMs, NowMs() - before);
    ++p->sent;
    Sleep(1);
  }
  return 0;
}

// The real cursor with one of three kinds of waits: the dispatching wait the
// walk used before it had its own (ends on the system's timer tick), the
// walk's own, and the walk's own as on a system without high-resolution timers.
class BenchCursor : public mouse::WalkDevice {
 public:
  enum Kind { kTickWaits, kPrecise, kPeriodFallback };
  explicit BenchCursor(Kind kind) : kind_(kind) {
    if (kind != kTickWaits) {
      win::PreciseWaits::UseSystemTimerPeriodOnly(kind == kPeriodFallback);
      waits_ = std::make_unique<win::PreciseWaits>();
      win::PreciseWaits::UseSystemTimerPeriodOnly(false);
    }
  }
  bool GetPos(mouse::Point& at) override {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    at = {p.x, p.y};
    return true;
  }
  void SetPos(mouse::Point to) override { SetCursorPos(static_cast<int>(to.x), static_cast<int>(to.y)); }
  bool Wait(std::uint32_t ms) override { return waits_ ? waits_->PumpFor(ms) : win::PumpFor(ms); }

 private:
  Kind kind_;
  std::unique_ptr<win::PreciseWaits> waits_;
};

// Milliseconds per pixel of 200-pixel walks, the three kinds of waits taking
// turns (the machine's load changes between rounds).
void WalkKinds() {
  const char* names[] = {"waits ending on the timer tick (the walk before)", "the walk's own waits",
                         "the walk's own waits, system-timer fallback"};
  std::vector<double> perPixel[3];
  for (int round = 0; round < 5; ++round) {
    for (int kind = 0; kind < 3; ++kind) {
      SetCursorPos(300, 100);
      BenchCursor cursor(static_cast<BenchCursor::Kind>(kind));
      const double start = NowMs();
      const mouse::WalkResult walk = mouse::Walk(cursor, {300, 300});
      if (walk.end != mouse::WalkEnd::Arrived) return;
      perPixel[kind].push_back((NowMs() - start) / walk.steps);
    }
  }
  for (int kind = 0; kind < 3; ++kind) {
    std::vector<double>& v = perPixel[kind];
    std::sort(v.begin(), v.end());
    std::printf("walk, %s: %.2f / %.2f / %.2f ms per pixel (min / median / max of %zu)\n", names[kind], v.front(),
                v[v.size() / 2], v.back(), v.size());
  }
}

void WalkPace() {
  win::Window window;
  window.Create("TetherlyBenchWalk", "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
  MouseSimulation mouse;
  mouse.Attach(window.hwnd(), nullptr);
  SetCursorPos(10, 10);
  Pinger pinger;
  pinger.target = window.hwnd();
  HANDLE thread = CreateThread(nullptr, 0, &Ping, &pinger, 0, nullptr);
  const double start = NowMs();
  const mouse::WalkResult walk = mouse.WalkTo({510, 510});
  const double elapsed = NowMs() - start;
  pinger.stop = true;
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  if (walk.end != mouse::WalkEnd::Arrived || walk.steps == 0) {
    std::printf("walk: ended after %u pixels without arriving (no display?)\n", walk.steps);
    return;
  }
  std::printf("walk: %u pixels in %.0f ms = %.2f ms per pixel (5 ms of waits a pixel)\n", walk.steps,
              elapsed, elapsed / walk.steps);
  {
    win::PreciseWaits waits;
    const char* kinds[] = {"a high-resolution waitable timer", "the system timer at 1 ms", "plain waits"};
    std::printf("walk: its waits run on %s\n", kinds[static_cast<int>(waits.kind())]);
  }
  std::printf("walk: %d messages sent to the walking window, the longest waited %.2f ms\n", pinger.sent,
              pinger.longestMs);
  // The same steps with plain sleeps, which answer nothing meanwhile.
  const double sleeps = NowMs();
  POINT p;
  for (int i = 0; i < 200; ++i) {
    Sleep(mouse::kCheckWaitMs);
    GetCursorPos(&p);
    SetCursorPos(600, 100 + i);
    Sleep(mouse::kStepWaitMs);
    GetCursorPos(&p);
  }
  std::printf("walk: the same steps with plain sleeps take %.2f ms a pixel here\n", (NowMs() - sleeps) / 200);
  WalkKinds();
}

void HangUpWait() {
  testing_support::RegistrySandbox sandbox;
  testing_support::SimulatedRas sim;
  if (!sim.ok()) {
    std::printf("hang-up: the simulated rasapi32.dll is not loaded (WINEDLLOVERRIDES=rasapi32=n,b)\n");
    return;
  }
  SettingsStore store;
  store.Write(settings::kModemProfile, "Loopback ISP");
  store.Write(settings::kModemReconnect, 1);
  win::SetMessageBoxHandler([](HWND, const char*, const char*, UINT) { return IDOK; });
  win::Window window;
  window.Create("TetherlyBenchRas", "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);

  dialup::RasLibrary ras;
  ras.Dial(window.hwnd());
  sim.Script("hangup-complete never\n");
  double wall = NowMs(), cpu = ThreadCpuMs();
  ras.HangUpCurrent();
  wall = NowMs() - wall;
  cpu = ThreadCpuMs() - cpu;
  std::printf("hang-up to its bound: %.0f ms, %d status polls, %.1f ms of processor time\n", wall,
              sim.Count("RasGetConnectStatusA"), cpu);

  // The same wait as zero-length sleeps between polls, for comparison.
  ras.Dial(window.hwnd());
  sim.Script("hangup-complete never\n");
  HMODULE library = GetModuleHandleA("rasapi32.dll");
  auto hangUp = dialup::FindEntry<dialup::RasHangUpFn>(library, "RasHangUpA");
  auto status = dialup::FindEntry<dialup::RasGetConnectStatusFn>(library, "RasGetConnectStatusA");
  hangUp(ras.current());
  wall = NowMs();
  cpu = ThreadCpuMs();
  while (NowMs() - wall < dialup::RasLibrary::kHangUpWaitMs) {
    dialup::RasConnStatus s{};
    s.dwSize = sizeof(s);
    status(ras.current(), &s);
    Sleep(0);
  }
  std::printf("zero-length sleeps for as long: %.1f ms of processor time\n", ThreadCpuMs() - cpu);
  win::SetMessageBoxHandler({});
}

}  // namespace

int main() {
  win::SetTimeScale(1.0);
  WalkPace();
  HangUpWait();
  return 0;
}

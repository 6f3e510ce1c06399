// Dial-up and mouse-walk costs. Prints figures; asserts nothing. Run under
// Wine with a display (the walk moves the real cursor) and the simulated
// dial-up library beside it:
//   WINEDLLOVERRIDES=rasapi32=n,b scripts/wine-run.sh $PWD/build/win/wine-x11
//       build/win/tests/bench/dialup_bench.exe   (one line)
//
// 1. A 1000-pixel walk at real pace: milliseconds per pixel, and the longest
//    wait of a message another thread sends to the walking window meanwhile.
// 2. A hang-up whose library never lets go, waited for up to its bound: wall
//    and processor time, against the same time spent polling with zero-length
//    sleeps.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

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

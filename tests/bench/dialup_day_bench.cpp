// A program day of the program's own dialer with "Reconnect" 1, at a hundredth
// of real time (about 15 minutes; a scale may be given): the controller as the
// program wires it and the simulated dial-up library, whose line drops every
// few program hours. The first redial after each drop fails (no answer,
// refused login, no dial tone, in turn); the one after it connects. Prints
// what followed each drop, the time offline after each and in all (program
// time), and the program's handles and the library's memory, first and last.
// Asserts nothing. Run under Wine like the tests, the simulated library in
// the prefix's system folder:
//   WINEDLLOVERRIDES=rasapi32=n,b scripts/wine-run.sh $PWD/build/win/wine-null
//       build/win/tests/bench/dialup_day_bench.exe [scale]   (one line)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/ProductionSeams.h"
#include "app/StatusReportDlg.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"
#include "support/SimulatedRas.h"
#include "support/TestHarness.h"
#include "win/Clock.h"
#include "win/MessageBox.h"

namespace {

constexpr double kHour = 3600.0;
constexpr double kDay = 24 * kHour;

// Seconds of program time since the start.
double g_startMs = 0;
double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
double ProgramSeconds() { return (NowMs() - g_startMs) / 1000.0 / win::TimeScale(); }

std::string ClockText(double seconds) {
  char text[32];
  const long s = static_cast<long>(seconds + 0.5);
  std::snprintf(text, sizeof(text), "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string Span(double seconds) {
  char text[32];
  const long s = static_cast<long>(seconds + 0.5);
  if (s >= 60) std::snprintf(text, sizeof(text), "%ld min %02ld s", s / 60, s % 60);
  else std::snprintf(text, sizeof(text), "%ld s", s);
  return text;
}

struct Look {
  int look;
  double at;
  std::string text;
};

// The states of a connecting dial (about 0.3 s of real time), and failures.
constexpr const char* kConnects =
    "state 0 20\nstate 1 20\nstate 2 20\nstate 3 100\nstate 4 20\nstate 5 20\nstate 6 40\nstate 14 20\n"
    "state 8192 20\n";
const char* kFailures[] = {"state 0 20\nstate 1 20\nstate 2 20\nstate 3 300 678\n",
                           "state 0 20\nstate 3 100\nstate 5 20\nstate 6 200 691\n",
                           "state 0 20\nstate 1 20\nstate 2 100 680\n"};

// When the line drops, in program hours: every two to six hours.
constexpr double kDrops[] = {3.0, 7.25, 10.0, 15.5, 19.0, 22.25};

DWORD Handles() { return testing_support::OpenHandleCount(); }

}  // namespace

int main(int argc, char** argv) {
  const double scale = argc > 1 ? std::atof(argv[1]) : 0.01;
  win::SetTimeScale(scale);
  testing_support::RegistrySandbox sandbox;
  testing_support::SimulatedRas sim;
  if (!sim.ok()) {
    std::printf("the simulated rasapi32.dll is not loaded (WINEDLLOVERRIDES=rasapi32=n,b, and the library in "
                "the prefix's system32)\n");
    return 1;
  }
  SettingsStore store;
  store.Write(settings::kHostsAdded, 1);
  store.Write(settings::kModemUseDialer, 1);
  store.Write(settings::kModemProfile, "Loopback ISP");
  store.WriteProfileCredentials("Loopback ISP", "guest", "guest");
  store.Write(settings::kModemDialAtStartup, 1);
  store.Write(settings::kModemReconnect, 1);
  store.Write(settings::kModemPromptToDial, 0);
  int boxes = 0;
  win::SetMessageBoxHandler([&](HWND, const char* text, const char*, UINT) {
    ++boxes;
    std::printf("box: %s\n", text);
    return IDOK;
  });

  std::vector<Look> looks;
  ControllerOptions options = MakeProductionControllerOptions();
  options.showSplash = false;
  auto forward = options.seams.tray.setLook;
  options.seams.tray.setLook = [&looks, forward](int look, const char* text) {
    looks.push_back({look, ProgramSeconds(), text ? text : ""});
    if (forward) forward(look, text);
  };
  sim.Script(kConnects);
  g_startMs = NowMs();
  auto controller = std::make_unique<StatusReportDlg>(std::move(options));
  if (!controller->Create()) return 1;
  std::printf("A program day at scale %g (%.0f s of real time)\n", scale, kDay * scale);

  auto runUntil = [&](double programSeconds) {
    while (ProgramSeconds() < programSeconds) win::PumpFor(60000);  // a program minute at a time
  };
  runUntil(kHour);
  const DWORD handlesFirst = Handles(), footprintFirst = sim.Footprint();
  double firstUp = -1;
  for (const Look& l : looks)
    if (l.look == tray_look::kConnecting && firstUp < 0) firstUp = l.at;
  std::printf("start-up dial connected at %s\n", ClockText(firstUp).c_str());

  double offline = 0;
  int failures = 0, recovered = 0;
  for (size_t i = 0; i < sizeof(kDrops) / sizeof(kDrops[0]); ++i) {
    runUntil(kDrops[i] * kHour);
    sim.Script(std::string(kFailures[i % 3]) + "then\n" + kConnects);
    const size_t seen = looks.size();
    const double dropAt = ProgramSeconds();
    sim.DropLine(false);  // silent: the line monitor finds it
    runUntil(dropAt + 20 * 60);
    std::string line = "drop " + std::to_string(i + 1) + " at " + ClockText(dropAt) + ":";
    double upAt = -1, runningAt = -1;
    for (size_t k = seen; k < looks.size(); ++k) {
      const Look& l = looks[k];
      if (l.look == tray_look::kDialEnded) line += " noticed " + ClockText(l.at) + ";";
      if (l.look == tray_look::kDialing) line += " dial " + ClockText(l.at);
      if (l.look == tray_look::kError) {
        line += " failed " + ClockText(l.at) + " (" + l.text + ");";
        ++failures;
      }
      if (l.look == tray_look::kConnecting && upAt < 0) {
        upAt = l.at;
        line += " connected " + ClockText(l.at) + ";";
      }
      if (l.look == tray_look::kRunning && runningAt < 0 && upAt >= 0) runningAt = l.at;
    }
    if (upAt >= 0) {
      ++recovered;
      offline += upAt - dropAt;
      line += " service running " + ClockText(runningAt) + "; offline " + Span(upAt - dropAt);
    } else {
      line += " NOT connected again";
    }
    std::printf("%s\n", line.c_str());
  }
  runUntil(kDay);
  std::printf("%d drops, %d failed redials, %d connected again; offline after drops %s in all (%.2f%% of the "
              "day), the start-up dial's %s besides\n",
              static_cast<int>(sizeof(kDrops) / sizeof(kDrops[0])), failures, recovered, Span(offline).c_str(),
              100.0 * offline / kDay, Span(firstUp).c_str());
  std::printf("dials %d, hang-ups %d, message boxes %d\n", sim.CallCount("RasDialA"), sim.CallCount("RasHangUpA"),
              boxes);
  std::printf("handles %lu after the first hour, %lu at the end; the library holds %lu bytes, then %lu\n",
              static_cast<unsigned long>(handlesFirst), static_cast<unsigned long>(Handles()),
              static_cast<unsigned long>(footprintFirst), static_cast<unsigned long>(sim.Footprint()));
  SendMessageA(controller->hwnd(), WM_COMMAND, cmd::kExit, 0);
  controller.reset();
  win::SetMessageBoxHandler({});
  return 0;
}

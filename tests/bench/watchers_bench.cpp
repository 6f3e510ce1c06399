// The cost of one watcher tick against the bare window searches it needs,
// and how long a message posted to the controller waits while an outside
// client misbehaves. Prints figures; asserts nothing. Run under Wine like the
// tests:
//   scripts/wine-run.sh build/win/wine-null build/win/tests/bench/watchers_bench.exe [ticks] [scale]
//
// The stand-in client shows a full AOL (or CompuServe 2000) tree: frame, MDI
// client, timer window with its prompt and buttons, a timer palette, a modal
// dialog, a document window, and 200 unrelated top-level windows. Every
// option of the client is on. No gadget window is open, so nothing is closed
// and every tick does the same work: the timer scan, the gadget scan with its
// welcome and advertisement searches, and the redial scans.
//
// "bare" runs only the FindWindowA / FindWindowExA / EnumChildWindows calls of
// that tick, with callbacks that do nothing; the ratio is what reading,
// pressing and tracing cost on top of finding. "handed" is the same timer-4
// tick handed to the watcher thread and waited for, as the controller's
// timer hands it (the hand-over on top of the tick).
//
// Then, for each hostile case of support/HostileClients.h and with no client
// at all, the round trip of a message posted to the controller (from a
// thread of its own, every 20 ms): how many, the 99th percentile and the
// slowest, with the time the tray menu took to open and Exit to end the
// program. The program's waits run at `scale` (1: real time, the default;
// 0 prints the tick costs only);
// the client's misdeeds always in real time (hung 20 s, every message 0.8 s
// late, one 1.3 s late).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/StatusReportDlg.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/HostileClients.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"
#include "support/StandInClient.h"
#include "support/TestHarness.h"
#include "support/UiProbe.h"
#include "watchers/AolWatcher.h"
#include "watchers/Cs2000Watcher.h"
#include "watchers/WatcherThread.h"
#include "watchers/WindowPress.h"
#include "win/Window.h"

namespace {

using testing_support::NowMs;

std::string Tree(const char* timerTitle) {
  return std::string(R"(
window frame class="AOL Frame25" text="Client"
window mdi parent=frame class="MDIClient"
window timer parent=mdi class="AOL Child" text=")") +
         timerTitle + R"("
window prompt parent=timer class="_AOL_Static" text="You have been online for 2 hours."
window icon parent=timer class="_AOL_Icon"
window ok parent=timer class="_AOL_Button" text="OK"
window doc parent=mdi class="AOL Child" text="Top News"
window body parent=doc class="_AOL_Static" text="Headlines" repeat=5
window palette class="_AOL_Palette" text=")" + timerTitle + R"("
window pok parent=palette class="_AOL_Button" text="Stay"
window modal class="_AOL_Modal" text="Special offer"
window pitch parent=modal class="_AOL_Static" text="Upgrade now"
window later parent=modal class="_AOL_Button" text="Later"
window other class="Unrelated Program" text="Window {n}" hidden repeat=200
)";
}

// Swallows the gadget scan's posts as the controller would.
class Sink : public win::Window {
 public:
  bool Create() {
    return win::Window::Create("TetherlyBenchController", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
  }
  long welcome = 0, ad = 0;

 protected:
  bool OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override {
    if (msg == watch::kWelcomeDoneMessage) welcome = static_cast<long>(lp);
    else if (msg == watch::kAdvertisementDoneMessage) ad = static_cast<long>(lp);
    else return false;
    result = 1;
    return true;
  }
};

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

BOOL CALLBACK Nothing(HWND, LPARAM) { return TRUE; }

void Enum(HWND parent, WNDENUMPROC f = Nothing) {
  if (parent) EnumChildWindows(parent, f, 0);
}

// The searches of one timer-4 tick with every option on, nothing to close.
void BareAolTick(const char* timerTitle) {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  Enum(FindWindowA("_AOL_Modal", nullptr));
  Enum(FindWindowA("_AOL_Palette", timerTitle));
  Enum(FindWindowA("_AOL_Palette", "America Online Timer"));
  Enum(FindWindowA("_AOL_Palette", nullptr));
  HWND mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", "America Online Timer"));
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", timerTitle));
  // Gadgets.
  frame = FindWindowA("AOL Frame25", nullptr);
  mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  for (const char* t : {"Buddy List", "AOL PLUS", "AOL Hotline", "AOL Channels"})
    FindWindowExA(mdi, nullptr, "AOL Child", t);
  Enum(mdi);
  Enum(FindWindowA("_AOL_Modal", nullptr));
  Enum(FindWindowA("AOL Child", nullptr));
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", nullptr));
  // Connection lost.
  mdi = FindWindowExA(FindWindowA("AOL Frame25", nullptr), nullptr, "MDIClient", nullptr);
  FindWindowExA(mdi, nullptr, "AOL Child", "The Connection was Lost");
  FindWindowExA(mdi, nullptr, "AOL Child", "Line Dropped");
}

void BareCs2000Tick(const char* timerTitle) {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  Enum(FindWindowA("_AOL_Modal", nullptr));
  Enum(FindWindowA("_AOL_Palette", timerTitle));
  Enum(FindWindowA("_AOL_Palette", "CompuServe 2000 Timer"));
  Enum(FindWindowA("_AOL_Palette", nullptr));
  HWND mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", "CompuServe 2000 Timer"));
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", timerTitle));
  frame = FindWindowA("AOL Frame25", nullptr);
  mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  for (const char* t : {"Contacts", "Stocks", "Weather", "Mail"}) FindWindowExA(mdi, nullptr, "AOL Child", t);
  Enum(FindWindowA("_AOL_Modal", nullptr));
  Enum(FindWindowA("AOL Child", nullptr));
  Enum(FindWindowExA(mdi, nullptr, "AOL Child", nullptr));
  FindWindowA("#32770", "The Connection Failed");
  mdi = FindWindowExA(FindWindowA("AOL Frame25", nullptr), nullptr, "MDIClient", nullptr);
  FindWindowExA(mdi, nullptr, "AOL Child", "The Connection Failed");
}

double TimePerRun(int runs, const std::function<void()>& run) {
  run();  // warm up
  const double start = NowMs();
  for (int i = 0; i < runs; ++i) run();
  return (NowMs() - start) / runs;
}

// Messages the stand-in got from outside per tick, since `mark`.
double MessagesPerTick(const testing_support::StandInClient& client, size_t mark, int runs) {
  const auto entries = client.Entries();
  size_t n = 0;
  for (size_t i = mark; i < entries.size(); ++i) n += entries[i].FromOutside();
  return static_cast<double>(n) / runs;
}

void Report(const char* what, double tickMs, double bareMs, double messages) {
  std::printf("%-8s tick %8.3f ms   bare searches %8.3f ms   ratio %6.1f   %5.1f messages a tick\n",
              what, tickMs, bareMs, bareMs > 0 ? tickMs / bareMs : 0.0, messages);
}

// Waits for the watcher thread's tick while this thread handles what it posts.
void WaitUntilIdle(watch::WatcherThread& thread, UINT_PTR timer) {
  while (thread.IsBusy(timer)) {
    Drain();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  Drain();
}

int TickCosts(int ticks) {
  testing_support::RegistrySandbox sandbox;
  SettingsStore store;
  for (const settings::DwordSetting& s :
       {settings::kAolStayOnline, settings::kAolAutoRedial, settings::kAolKillBuddyList,
        settings::kAolKillChannels, settings::kAolKillHotline, settings::kAolKillSearchPreview,
        settings::kAolMinimizeWelcome, settings::kAolKillAdvertisement, settings::kCsStayOnline,
        settings::kCsAutoRedial, settings::kCsKillChildOne, settings::kCsKillChildTwo,
        settings::kCsKillChildThree, settings::kCsKillChildFour, settings::kCsKillAdvertisement})
    store.Write(s, 1);
  store.Write(settings::kAolTimerTitle, "My Timer");
  store.Write(settings::kAolDisconnectTitle, "Line Dropped");
  store.Write(settings::kCsTimerTitle, "My CS Timer");
  store.Write(settings::kCsChildTwoTitle, "Stocks");
  store.Write(settings::kCsChildThreeTitle, "Weather");
  store.Write(settings::kCsChildFourTitle, "Mail");

  watch::LaunchWaits waits;
  win::MessageBoxEnder boxes;
  watch::PromptFlags prompts;
  watch::WatcherEnv env;
  env.waits = &waits;
  env.boxes = &boxes;
  watch::AolWatcher aol(env, prompts);
  watch::Cs2000Watcher cs(env, prompts);
  Sink sink;
  sink.Create();
  watch::HungThreads hung;

  std::printf("%d ticks each, 200 unrelated top-level windows open\n", ticks);
  {
    testing_support::StandInClient client;
    if (!client.Start(Tree("America Online Timer"))) {
      std::printf("the stand-in client did not start\n");
      return 1;
    }
    const size_t mark = client.Mark();
    const double tick = TimePerRun(ticks, [&] {
      hung.Clear();
      watch::SendScope scope(hung);
      aol.ScanAOLTimer();
      aol.ScanAOLGadgets(sink.hwnd());
      aol.ScanAOLConnectionLost();
      Drain();
    });
    const double messages = MessagesPerTick(client, mark, ticks + 1);
    const double bare = TimePerRun(ticks, [] { BareAolTick("My Timer"); });
    Report("timer 4", tick, bare, messages);

    watch::WatcherThread thread;
    if (thread.Start() != ERROR_SUCCESS) return 1;
    const double handed = TimePerRun(ticks, [&] {
      thread.Hand(4, [&] {
        hung.Clear();
        watch::SendScope scope(hung);
        aol.ScanAOLTimer();
        aol.ScanAOLGadgets(sink.hwnd());
        aol.ScanAOLConnectionLost();
      });
      WaitUntilIdle(thread, 4);
    });
    std::printf("timer 4 handed to the watcher thread %8.3f ms a tick (%.3f ms more than at once)\n", handed,
                handed - tick);
    thread.Stop(5000);
  }
  {
    testing_support::StandInClient client;
    if (!client.Start(Tree("CompuServe 2000 Timer"))) return 1;
    const size_t mark = client.Mark();
    const double tick = TimePerRun(ticks, [&] {
      hung.Clear();
      watch::SendScope scope(hung);
      cs.ScanCS2000Timer();
      cs.ScanCS2000Gadgets();
      cs.ScanCS2000FailedDialog();
      cs.ScanCS2000ConnectionFailed();
      Drain();
    });
    const double messages = MessagesPerTick(client, mark, ticks + 1);
    const double bare = TimePerRun(ticks, [] { BareCs2000Tick("My CS Timer"); });
    Report("timer 14", tick, bare, messages);
  }
  return 0;
}

struct Latency {
  size_t trips = 0;
  double p99 = 0, max = 0, menu = -1, exit = -1;
};

void PrintLatency(const char* name, const Latency& l) {
  std::printf("%-52s %6zu %9.1f %9.1f %9.1f %9.1f\n", name, l.trips, l.p99, l.max, l.menu, l.exit);
}

// The tray menu's open time: the icon's right-click notification, then the
// menu's window seen from this thread's helper, closed again at once.
double MenuOpenMs(HWND controller) {
  struct Watch {
    HWND controller;
    double start;
    double opened = -1;
  } w{controller, testing_support::NowMs()};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* w = static_cast<Watch*>(p);
        for (int i = 0; i < 2500; ++i, Sleep(2)) {
          HWND menu = FindWindowA("#32768", nullptr);
          DWORD pid = 0;
          if (!menu || !IsWindowVisible(menu)) continue;
          GetWindowThreadProcessId(menu, &pid);
          if (pid != GetCurrentProcessId()) continue;
          w->opened = testing_support::NowMs() - w->start;
          DWORD_PTR ignored = 0;
          SendMessageTimeoutA(w->controller, WM_CANCELMODE, 0, 0, SMTO_NORMAL, 5000, &ignored);
          break;
        }
        return 0;
      },
      &w, 0, nullptr);
  PostMessageA(controller, msg::kTrayNotify, 0, WM_RBUTTONUP);
  testing_support::PumpEachUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000);
  CloseHandle(thread);
  return w.opened;
}

Latency RunCase(const testing_support::HostileCase* c, const testing_support::HostileTiming& timing,
                DWORD idleMs) {
  using namespace testing_support;
  TimeScale scale(timing.scale);
  HostileHarness h;
  if (c) c->setUp(h, timing);
  else h.store.Write(settings::kAolStayOnline, 1);  // watching, with no client at all
  Latency l;
  if (!h.StartRunning()) return l;
  UiProbe probe;
  probe.Start(h.controller());
  if (c && c->turnHostile) c->turnHostile(h, timing);
  l.menu = MenuOpenMs(h.controller());
  probe.Clear();
  if (!c) {
    PumpEachFor(idleMs);
  } else {
    if (c->hangs) PumpEachFor(timing.hungMs);
    if (c->recover) c->recover(h);
    PumpEachUntil([&] { return c->served(h); }, 120000);
  }
  const std::vector<double> trips = probe.RoundTrips();
  l.trips = trips.size();
  l.p99 = probe.Percentile(99);
  l.max = probe.Max();
  if (c && c->beforeExit) c->beforeExit(h);
  h.Exit(l.exit);
  probe.Stop();
  return l;
}

int UiLatency(double scale) {
  testing_support::HostileTiming timing;
  timing.scale = scale;
  timing.hungMs = 20000;
  timing.slowMs = 800;
  timing.lateMs = 1300;
  std::printf("\nposted round trips to the controller, program waits at %.3g of real time (ms)\n", scale);
  std::printf("%-52s %6s %9s %9s %9s %9s\n", "case", "trips", "99th", "max", "menu", "Exit");
  PrintLatency("no client", RunCase(nullptr, timing, 20000));
  for (const testing_support::HostileCase& c : testing_support::HostileCases())
    PrintLatency(c.name, RunCase(&c, timing, 0));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
  const int rc = TickCosts(ticks);
  if (rc != 0 || scale == 0) return rc;  // scale 0: the tick costs only
  return UiLatency(scale > 0 && scale <= 1 ? scale : 1.0);
}

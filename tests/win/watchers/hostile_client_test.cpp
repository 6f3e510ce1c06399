// Outside clients that hang, answer late or leave a box up, and a mail server
// that trickles: while each plays out, the program answers what is posted to
// it within 250 ms, its tray menu opens within a second, Exit ends it within
// 3 s, and the client that recovers is signed on, exactly once.
#include <gtest/gtest.h>

#include <atomic>

#include "app/StatusReportDlg.h"
#include "support/HostileClients.h"
#include "support/MessagePump.h"
#include "support/UiProbe.h"

namespace {

using namespace testing_support;

constexpr double kPostedBoundMs = 250;
constexpr double kMenuBoundMs = 1000;
constexpr double kExitBoundMs = 3000;

struct MenuWatch {
  HWND controller;
  HANDLE done;
  std::atomic<double> openedAfter{-1};
  double start;
};

// From outside: waits for the tray menu's window, notes when it showed, and
// closes it as a click elsewhere would.
DWORD WINAPI WatchForMenu(void* param) {
  auto* w = static_cast<MenuWatch*>(param);
  while (WaitForSingleObject(w->done, 2) == WAIT_TIMEOUT) {
    HWND menu = FindWindowA("#32768", nullptr);
    DWORD pid = 0;
    if (!menu || !IsWindowVisible(menu) || (GetWindowThreadProcessId(menu, &pid), pid) != GetCurrentProcessId())
      continue;
    w->openedAfter = NowMs() - w->start;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(w->controller, WM_CANCELMODE, 0, 0, SMTO_NORMAL, 5000, &ignored);
    break;
  }
  return 0;
}

// Right-clicks the tray icon (the notification the icon sends) and returns
// how long the menu took to show; -1 when it never did.
double OpenTrayMenu(HWND controller) {
  MenuWatch watch{controller, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  watch.start = NowMs();
  HANDLE thread = CreateThread(nullptr, 0, WatchForMenu, &watch, 0, nullptr);
  PostMessageA(controller, msg::kTrayNotify, 0, WM_RBUTTONUP);
  PumpEachUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 5000);
  SetEvent(watch.done);
  PumpEachUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 5000);
  CloseHandle(thread);
  CloseHandle(watch.done);
  return watch.openedAfter.load();
}

TEST(HostileClient, TheProgramStaysAnswerableAndSignsOnAgain) {
  const HostileTiming timing;  // a twentieth of real time; the client's misdeeds in real time
  for (const HostileCase& c : HostileCases()) {
    SCOPED_TRACE(c.name);
    TimeScale scale(timing.scale);
    HostileHarness h;
    c.setUp(h, timing);
    ASSERT_TRUE(h.StartRunning());
    const HWND controller = h.controller();
    UiProbe probe;
    ASSERT_TRUE(probe.Start(controller));
    if (c.turnHostile) c.turnHostile(h, timing);

    const double menuMs = OpenTrayMenu(controller);
    EXPECT_GE(menuMs, 0) << "the tray menu did not open";
    EXPECT_LT(menuMs, kMenuBoundMs);
    PostMessageA(controller, WM_COMMAND, cmd::kStatusReport, 0);
    EXPECT_TRUE(PumpEachUntil([&] { return IsWindowVisible(controller) != FALSE; }, DWORD(kMenuBoundMs)));
    ShowWindow(controller, SW_HIDE);

    // From here on only the client's doing counts, not the test's own windows.
    probe.Clear();
    if (c.hangs) PumpEachFor(timing.hungMs);
    if (c.recover) c.recover(h);
    EXPECT_TRUE(PumpEachUntil([&] { return c.served(h); }, 30000)) << h.client.LogText();
    if (c.pressedOnce) {
      // A few more ticks: a second sign-on would press it again.
      PumpEachFor(500);
      EXPECT_EQ(h.client.CountFromOutside(c.pressedOnce, "KEYUP"), 1) << h.client.LogText();
    }
    const std::vector<double> trips = probe.RoundTrips();
    EXPECT_GT(trips.size(), 3u);
    EXPECT_LT(probe.Max(), kPostedBoundMs);

    if (c.beforeExit) c.beforeExit(h);
    double exitMs = 0;
    EXPECT_TRUE(h.Exit(exitMs));
    EXPECT_LT(exitMs, kExitBoundMs);
    probe.Stop();
  }
}

// A mail check still running when the service stops ends with its "failed"
// look: the stopped service keeps the stopped look.
TEST(HostileClient, ATickThatEndsAfterTheStopLeavesTheStoppedLook) {
  const HostileTiming timing;
  TimeScale scale(timing.scale);
  HostileHarness h;
  h.pop3Address = "127.16.7.2";
  const HostileCase& trickle = HostileCases().back();
  ASSERT_EQ(std::string(trickle.name), "a POP3 server that trickles");
  trickle.setUp(h, timing);
  ASSERT_TRUE(h.StartRunning());
  h.Kick(18);
  ASSERT_TRUE(PumpEachUntil([&] { return h.pop3.ConnectionCount() == 1; }));
  h.dlg()->ToggleService();
  ASSERT_EQ(h.Looks().back(), tray_look::kStopped);
  // The check gives up within its limit (the server sees it go), then its look is posted.
  ASSERT_TRUE(PumpEachUntil([&] { return h.pop3.FinishedCount() == 1; }));
  PumpEachFor(200);
  EXPECT_EQ(h.Looks().back(), tray_look::kStopped);
  EXPECT_FALSE(h.SawLook(33));
}

}  // namespace

// The tray icon against Wine's real notification area (run under Xvfb).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/KeepAliveTray.h"
#include "app/KeepAliveTraySeam.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"
#include "win/Clock.h"
#include "win/RegKey.h"
#include "win/Window.h"

namespace {

constexpr const char* kDialPrompt = "Left click to dial. Right click for menu.";
constexpr const char* kStartPrompt = "Left click to start service. Right click for menu.";
constexpr DWORD kPatienceMs = 20000;  // upper bound only; conditions end every wait

// Stands in for the controller: owns the icon and records dial events.
class FakeController : public win::Window {
 public:
  bool Create() {
    return win::Window::Create("Tetherly.TestController", "test controller", WS_OVERLAPPEDWINDOW, 0,
                               0, 0, 0, 0, nullptr, nullptr);
  }
  std::vector<MSG> dialEvents;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != CKeepAliveTray::kDialEventMessage) return false;
    MSG m = {};
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    dialEvents.push_back(m);
    result = 0;
    return true;
  }
};

// Dispatches messages one at a time, calling `afterEach` after every one,
// until `done` holds or the upper bound passes.
bool PumpUntil(const std::function<bool()>& done, const std::function<void()>& afterEach = {}) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > kPatienceMs) return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (afterEach) afterEach();
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  return true;
}

void WriteDword(const char* key, const char* name, DWORD value) {
  win::RegKey k;
  std::string path = std::string(testing_support::kProgramRoot) + "\\" + key;
  ASSERT_EQ(k.Create(HKEY_LOCAL_MACHINE, path.c_str()), ERROR_SUCCESS);
  ASSERT_EQ(k.SetDword(name, value), ERROR_SUCCESS);
}

void WriteString(const char* key, const char* name, const char* value) {
  win::RegKey k;
  std::string path = std::string(testing_support::kProgramRoot) + "\\" + key;
  ASSERT_EQ(k.Create(HKEY_LOCAL_MACHINE, path.c_str()), ERROR_SUCCESS);
  ASSERT_EQ(k.SetString(name, value, static_cast<DWORD>(std::strlen(value) + 1)), ERROR_SUCCESS);
}

// Asks the shell directly whether it holds our icon: modifying nothing
// succeeds only for an icon it knows.
bool ShellHoldsIcon(HWND owner) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = owner;
  nid.uID = CKeepAliveTray::kIconId;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

// Wine's notification area hides its window when its last icon goes, and
// under Xvfb (no window manager) each hide waits two seconds for a reply that
// never comes. An icon of our own for the whole run keeps that window up.
class KeepNotificationAreaShown : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(window_.Create());
    NOTIFYICONDATAA nid = Data();
    nid.uFlags = NIF_ICON;
    nid.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid)) << "no notification area";
  }
  void TearDown() override {
    NOTIFYICONDATAA nid = Data();
    Shell_NotifyIconA(NIM_DELETE, &nid);
    window_.Destroy();
  }

 private:
  NOTIFYICONDATAA Data() const {
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = window_.hwnd();
    nid.uID = 1;
    return nid;
  }
  FakeController window_;
};

const auto* const kKeeper = ::testing::AddGlobalTestEnvironment(new KeepNotificationAreaShown);

class TrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedScale_ = win::TimeScale();
    win::SetTimeScale(0.01);
    ASSERT_TRUE(controller.Create());
  }
  void TearDown() override {
    tray.Destroy();
    controller.Destroy();
    win::SetTimeScale(savedScale_);
  }

  // A fresh tray window with its icon added in the stopped look.
  void AddTray() {
    ASSERT_TRUE(tray.Create(controller.hwnd()));
    ASSERT_TRUE(tray.AddTrayIcon(8));
  }

  // The next `count` looks the timers show, in order. A tick that repeats
  // the look before it would not count, but no animation does that.
  std::vector<int> CollectLooks(size_t count) {
    std::vector<int> seen;
    int last = tray.CurrentLook();
    EXPECT_TRUE(PumpUntil([&] { return seen.size() >= count; }, [&] {
      if (tray.CurrentLook() != last) seen.push_back(last = tray.CurrentLook());
    }));
    return seen;
  }

  // The shell holds `look`: its picture and tooltip were the last it was
  // given (a look already shown is not given again; a short-lived one once
  // its short wait is over).
  void ExpectShown(int look, const std::string& tip, int iconId) {
    SCOPED_TRACE(look);
    EXPECT_TRUE(PumpUntil([&] { return !tray.IsLookDeferred(); }));
    const CKeepAliveTray::NotifyCall& call = tray.LastNotify();
    EXPECT_TRUE(call.action == NIM_MODIFY || call.action == NIM_ADD) << call.action;
    EXPECT_TRUE(call.result) << "the shell refused the new look";
    EXPECT_EQ(std::string(call.data.szTip), tip);
    EXPECT_EQ(call.data.hIcon, tray.IconFor(iconId));
    EXPECT_EQ(tray.CurrentLook(), look);
    EXPECT_EQ(std::string(tray.Tooltip()), tip);
  }

  testing_support::RegistrySandbox sandbox;
  FakeController controller;
  CKeepAliveTray tray;
  double savedScale_ = 1.0;
};

TEST_F(TrayTest, HiddenWindowIsOwnedByTheControllerAndNeverShown) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  char title[64] = {};
  GetWindowTextA(tray.hwnd(), title, sizeof(title));
  EXPECT_STREQ(title, "CKeepAliveTray");
  EXPECT_EQ(GetWindow(tray.hwnd(), GW_OWNER), controller.hwnd());
  EXPECT_FALSE(IsWindowVisible(tray.hwnd()));
  EXPECT_FALSE(tray.Create(controller.hwnd())) << "one window per tray";
}

// Each look has a picture of its own from the program's resources, loaded at
// the tray's small-icon size rather than shrunk by the shell.
TEST_F(TrayTest, EveryLookHasItsOwnSmallPicture) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  const HICON standIn = tray.IconFor(0);
  ASSERT_NE(standIn, nullptr);
  for (int look = 1; look <= 34; ++look) {
    const tray::Look* def = tray::FindLook(look);
    if (!def || def->iconId == 0) continue;
    SCOPED_TRACE(look);
    HICON icon = tray.IconFor(def->iconId);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(icon, standIn) << "icon " << def->iconId << " missing from the resources";
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
}

TEST_F(TrayTest, AddModifyAndDeleteAreAcceptedByTheShell) {
  struct Row {
    int addLook, look, iconId;
    const char* tip;
  } rows[] = {{8, 7, 138, kStartPrompt},
              {9, 8, 139, "Tetherly! - click once to stop service"},
              {10, 34, 365, "Tetherly - Awaiting Connection..."}};
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.addLook);
    ASSERT_TRUE(tray.AddTrayIcon(r.addLook));
    const CKeepAliveTray::NotifyCall& add = tray.LastNotify();
    EXPECT_EQ(add.action, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(add.data.hWnd, controller.hwnd()) << "mouse messages go to the controller";
    EXPECT_EQ(add.data.uID, 32517u);
    EXPECT_EQ(add.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.data.uCallbackMessage, 32769u);
    EXPECT_EQ(add.data.hIcon, tray.IconFor(r.iconId));
    EXPECT_NE(add.data.hIcon, nullptr);
    EXPECT_STREQ(add.data.szTip, r.tip);
    EXPECT_EQ(tray.CurrentLook(), r.look);
    EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));

    tray.SetTrayLook(4);
    ExpectShown(4, "Tetherly! Disconnect Protection Enabled", 135);

    ASSERT_TRUE(tray.RemoveTrayIcon());
    EXPECT_EQ(tray.LastNotify().action, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(ShellHoldsIcon(controller.hwnd()));
    EXPECT_FALSE(tray.RemoveTrayIcon()) << "nothing left to delete";
  }
  EXPECT_FALSE(tray.AddTrayIcon(7)) << "7 is not an add look";
}

TEST_F(TrayTest, EachLookShowsItsTooltipAndPicture) {
  struct Row {
    int look, iconId;
    const char* tip;
  } rows[] = {
      {1, 133, "Sending Data"},
      {2, 134, "Receiving Data"},
      {4, 135, "Tetherly! Disconnect Protection Enabled"},
      {5, 131, "No service available"},
      {7, 138, kStartPrompt},
      {8, 139, "Tetherly! - click once to stop service"},
      {9, 188, "Tetherly with AOL"},
      {10, 209, "AOL Browser not present"},
      {12, 252, "Dialing ...."},
      {16, 256, "Dialing ...."},
      {21, 261, "Dialing ...."},
      {26, 138, kStartPrompt},
      {28, 282, "Tetherly with NetZero"},
      {29, 318, "Tetherly with CS2000"},
      {30, 321, "CS2000 Browser not present"},
      {31, 324, "Tetherly with ATT"},
      {32, 361, "Tetherly with MSN"},
      {33, 362, "Connection to POP3 fail. Please check your POP3 setting"},
      {34, 365, "Tetherly - Awaiting Connection..."},
  };
  AddTray();
  for (const Row& r : rows) {
    tray.SetTrayLook(r.look);
    ExpectShown(r.look, r.tip, r.iconId);
  }
}

// A cycle's looks arrive in a burst (sending, receiving, the result, six
// times over). The shell gets at most one change per cycle, and only when
// the look that ends it differs from what it shows; that final look always
// reaches it, whatever short-lived looks came just before.
TEST_F(TrayTest, ACycleGivesTheShellOnlyWhatChangesAndAlwaysItsFinalLook) {
  AddTray();
  tray.SetTrayLook(8);
  std::vector<std::string> modifies;
  tray.SetShellForTest([&](DWORD action, NOTIFYICONDATAA* data) -> BOOL {
    if (action == NIM_MODIFY) modifies.push_back(data->szTip);
    return Shell_NotifyIconA(action, data);
  });
  const std::vector<int> success = {1, 2, 4, 1, 2, 4, 1, 2, 4, 1, 2, 4, 1, 2, 4, 1, 2, 4};
  const std::vector<int> failure = {1, 5, 1, 5, 1, 2, 5, 1, 5, 1, 5, 1, 5};
  struct Cycle {
    const char* name;
    std::vector<int> looks;
    int final, iconId;
    std::string tip;
    size_t modifies;
  } cycles[] = {
      {"six successes", success, 4, 135, "Tetherly! Disconnect Protection Enabled", 1},
      {"the same again", success, 4, 135, "Tetherly! Disconnect Protection Enabled", 0},
      {"six failures", failure, 5, 131, "No service available", 1},
      {"connecting", {1, 2, 22}, 22, 262, "", 1},
      {"connected", {1, 23}, 23, 262, "", 0},
      {"hung up", {2, 26}, 26, 138, kStartPrompt, 1},
      {"dial error", {1, 27}, 27, 263, "Error: busy", 1},
      {"stopped", {2, 1, 7}, 7, 138, kStartPrompt, 1},
  };
  for (const Cycle& c : cycles) {
    SCOPED_TRACE(c.name);
    modifies.clear();
    for (int look : c.looks) tray.SetTrayLook(look, "Error: busy");
    // Many short waits at this scale; not while the connecting look blinks
    // (its animation is the tray's own, ended by the next look).
    if (c.final != 22) testing_support::PumpFor(50);
    EXPECT_EQ(modifies.size(), c.modifies);
    ExpectShown(c.final, c.tip, c.iconId);
    EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));
  }

  // A short-lived look that stands long enough is shown, once; the result
  // that follows replaces it at once.
  modifies.clear();
  tray.SetTrayLook(1);
  tray.SetTrayLook(2);
  EXPECT_TRUE(modifies.empty());
  ASSERT_TRUE(PumpUntil([&] { return !modifies.empty(); }));
  EXPECT_EQ(modifies, std::vector<std::string>{"Receiving Data"});
  tray.SetTrayLook(4);
  EXPECT_EQ(modifies, (std::vector<std::string>{"Receiving Data",
                                                "Tetherly! Disconnect Protection Enabled"}));
  testing_support::PumpFor(50);
  EXPECT_EQ(modifies.size(), 2u);
  tray.SetShellForTest(nullptr);
}

TEST_F(TrayTest, ConnectionLooksNameWhatIsBeingConnected) {
  struct Case {
    const char* name;
    std::function<void()> configure;
    const char* connecting;
    const char* connected;
  } cases[] = {
      {"modem dialer",
       [] {
         WriteDword("Modem Dialer", "Use Dialer", 1);
         WriteString("Modem Dialer", "Profile", "Home ISP");
         WriteDword("NetZero", "Use Dialer", 1);
       },
       "Connecting To Home ISP", "Connected To Home ISP"},
      {"NetZero dialer",
       [] {
         WriteDword("NetZero", "Use Dialer", 1);
         WriteString("Modem Dialer", "Profile", "Old Profile");
       },
       "Connected To NetZero", "Connected To NetZero"},
      {"neither", [] { WriteString("Modem Dialer", "Profile", "Old Profile"); }, "", ""},
  };
  AddTray();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    c.configure();
    tray.SetTrayLook(22);
    ExpectShown(22, c.connecting, 262);
    tray.SetTrayLook(24);
    ExpectShown(24, c.connecting, 262);
    tray.SetTrayLook(23);
    ExpectShown(23, c.connected, 262);
  }
}

TEST_F(TrayTest, IdlePromptOffersDialingOnlyWhenALeftClickDials) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  WriteDword("Modem Dialer", "One Stop Connection", 1);
  WriteDword("Modem Dialer", "Use Dialer", 1);
  ASSERT_TRUE(tray.AddTrayIcon(8));
  EXPECT_STREQ(tray.LastNotify().data.szTip, kDialPrompt);
  tray.SetTrayLook(7);
  ExpectShown(7, kDialPrompt, 138);

  // Read when the look is shown, not cached: a changed setting counts at once.
  WriteDword("Modem Dialer", "Use Dialer", 0);
  tray.SetTrayLook(26);
  ExpectShown(26, kStartPrompt, 138);
  WriteDword("Modem Dialer", "Use Dialer", 1);
  WriteDword("Modem Dialer", "One Stop Connection", 0);
  tray.SetTrayLook(7);
  ExpectShown(7, kStartPrompt, 138);
}

TEST_F(TrayTest, ErrorTextLongerThanTheTooltipIsCut) {
  AddTray();
  std::string error = "Error: ";
  for (int i = 0; error.size() < 120; ++i) error += char('a' + i % 26);
  tray.SetTrayLook(27, error.c_str());
  ExpectShown(27, error.substr(0, 63), 263);

  tray.SetTrayLook(27, "Error: Line busy");
  ExpectShown(27, "Error: Line busy", 263);
  tray.SetTrayLook(27, nullptr);
  ExpectShown(27, "", 263);
}

TEST_F(TrayTest, UnknownLooksChangeNothing) {
  AddTray();
  tray.SetTrayLook(33);
  const std::string tip = tray.Tooltip();
  for (int look : {0, 3, 6, 25, 35, -1, 32517}) {
    tray.SetTrayLook(look, "ignored");
    EXPECT_EQ(tray.CurrentLook(), 33) << look;
    EXPECT_EQ(tray.Tooltip(), tip) << look;
    EXPECT_EQ(tray.LastNotify().data.hIcon, tray.IconFor(362)) << look;
    EXPECT_FALSE(tray.IsDialAnimationRunning());
    EXPECT_FALSE(tray.IsConnectBlinkRunning());
  }
}

TEST_F(TrayTest, DialingAnimationCyclesItsFramesAndWraps) {
  AddTray();
  tray.SetTrayLook(5);
  tray.SetTrayLook(11);
  EXPECT_EQ(tray.CurrentLook(), 5) << "look 11 keeps the picture until the first frame";
  EXPECT_TRUE(tray.IsDialAnimationRunning());
  tray.SetTrayLook(11);  // already running: no second timer, no restart

  std::vector<int> looks = CollectLooks(13);
  ASSERT_GE(looks.size(), 13u);
  looks.resize(13);
  EXPECT_EQ(looks, (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 12, 13, 14}));
  EXPECT_TRUE(tray.LastNotify().result);
  EXPECT_EQ(tray.LastNotify().data.hIcon, tray.IconFor(252 + 2));
}

TEST_F(TrayTest, LooksThatEndDialingStopTheAnimation) {
  AddTray();
  for (int look : {22, 26, 27}) {
    tray.SetTrayLook(11);
    ASSERT_TRUE(tray.IsDialAnimationRunning());
    tray.SetTrayLook(look, "Error: no dial tone");
    EXPECT_FALSE(tray.IsDialAnimationRunning()) << look;
    EXPECT_EQ(tray.CurrentLook(), look);
    tray.SetTrayLook(23);
  }
}

TEST_F(TrayTest, BlinkConfirmsTheConnectionAfterNineTicks) {
  AddTray();
  tray.SetTrayLook(11);
  ASSERT_TRUE(PumpUntil([&] { return tray.CurrentLook() == 14; }));
  WriteDword("Modem Dialer", "Use Dialer", 1);
  WriteString("Modem Dialer", "Profile", "Home ISP");
  tray.SetTrayLook(22);
  EXPECT_FALSE(tray.IsDialAnimationRunning());
  EXPECT_TRUE(tray.IsConnectBlinkRunning());

  std::vector<std::string> tips;
  int last = tray.CurrentLook();
  ASSERT_TRUE(PumpUntil([&] { return !controller.dialEvents.empty(); }, [&] {
    if (tray.CurrentLook() != last) {
      last = tray.CurrentLook();
      tips.push_back(std::to_string(last) + " " + tray.Tooltip());
    }
  }));
  // Identical neighbours are not seen as changes; count the ticks by look.
  EXPECT_EQ(tips, (std::vector<std::string>{
                      "12 Dialing ....", "24 Connecting To Home ISP", "12 Dialing ....",
                      "24 Connecting To Home ISP", "12 Dialing ....", "24 Connecting To Home ISP",
                      "12 Dialing ....", "24 Connecting To Home ISP", "12 Dialing ...."}));
  ASSERT_EQ(controller.dialEvents.size(), 1u);
  EXPECT_EQ(controller.dialEvents[0].wParam, static_cast<WPARAM>(32871));
  EXPECT_EQ(controller.dialEvents[0].lParam, 0);
  EXPECT_FALSE(tray.IsConnectBlinkRunning());
  EXPECT_FALSE(tray.IsDialAnimationRunning());
}

TEST_F(TrayTest, BlinkEndsWithoutConfirmingWhenCutShort) {
  AddTray();
  // 23 (confirmed elsewhere), 26 (hung up) and 27 (failed) all end the blink;
  // only the first is a connection, and none may be confirmed twice or late.
  for (int look : {23, 26, 27}) {
    SCOPED_TRACE(look);
    tray.SetTrayLook(22);
    ASSERT_TRUE(PumpUntil([&] { return tray.CurrentLook() == 24; }));
    tray.SetTrayLook(look, "Error: line dropped");
    EXPECT_FALSE(tray.IsConnectBlinkRunning());
  }
  // The next blink is a whole one: nine ticks, then exactly one confirmation.
  tray.SetTrayLook(22);
  int ticks = 0;
  int last = tray.CurrentLook();
  ASSERT_TRUE(PumpUntil([&] { return !controller.dialEvents.empty(); }, [&] {
    if (tray.CurrentLook() != last) {
      last = tray.CurrentLook();
      ++ticks;
    }
  }));
  EXPECT_EQ(ticks, 9);
  EXPECT_EQ(controller.dialEvents.size(), 1u);
}

TEST_F(TrayTest, TaskbarCreatedAddsTheIconAgainWithItsCurrentLook) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  ASSERT_TRUE(tray.AddTrayIcon(9));
  tray.SetTrayLook(29);

  // The shell forgets the icon, as a restarted shell does.
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = controller.hwnd();
  nid.uID = CKeepAliveTray::kIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
  ASSERT_FALSE(ShellHoldsIcon(controller.hwnd()));

  SendMessageA(tray.hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  const CKeepAliveTray::NotifyCall& call = tray.LastNotify();
  EXPECT_EQ(call.action, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(call.result);
  EXPECT_STREQ(call.data.szTip, "Tetherly with CS2000");
  EXPECT_EQ(call.data.hIcon, tray.IconFor(318));
  EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));
  EXPECT_EQ(tray.CurrentLook(), 29);

  // The controller forwards the same broadcast: the icon is there already.
  tray.OnTaskbarCreated();
  EXPECT_TRUE(tray.LastNotify().result);
  EXPECT_STREQ(tray.LastNotify().data.szTip, "Tetherly with CS2000");

  // Once removed at exit, a late broadcast must not bring it back.
  ASSERT_TRUE(tray.RemoveTrayIcon());
  tray.OnTaskbarCreated();
  EXPECT_EQ(tray.LastNotify().action, static_cast<DWORD>(NIM_DELETE));
  EXPECT_FALSE(ShellHoldsIcon(controller.hwnd()));
}

// Started at logon, the program may come up before the shell does.
TEST_F(TrayTest, AddRetriesWhileTheShellIsNotReady) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  std::vector<DWORD> asked;
  int adds = 0;
  tray.SetShellForTest([&](DWORD action, NOTIFYICONDATAA* data) -> BOOL {
    asked.push_back(action);
    if (adds < 3 && (action == NIM_MODIFY || (action == NIM_ADD && ++adds < 3))) return FALSE;
    return Shell_NotifyIconA(action, data);
  });
  EXPECT_TRUE(tray.AddTrayIcon(9));
  EXPECT_EQ(asked, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY, NIM_ADD}));
  EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));
  ASSERT_TRUE(tray.RemoveTrayIcon());

  // A shell that never answers: a bounded number of tries, then the icon
  // waits for the shell's "TaskbarCreated" announcement.
  asked.clear();
  tray.SetShellForTest([&](DWORD action, NOTIFYICONDATAA*) -> BOOL {
    asked.push_back(action);
    return FALSE;
  });
  EXPECT_FALSE(tray.AddTrayIcon(10));
  EXPECT_EQ(asked.size(), static_cast<size_t>(2 * CKeepAliveTray::kAddAttempts));
  tray.SetTrayLook(28);
  tray.SetShellForTest(nullptr);
  SendMessageA(tray.hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));
  EXPECT_EQ(tray.LastNotify().action, static_cast<DWORD>(NIM_ADD));
  EXPECT_STREQ(tray.LastNotify().data.szTip, "Tetherly with NetZero");
}

TEST_F(TrayTest, DestroyingTheWindowTakesTheIconAlong) {
  AddTray();
  ASSERT_TRUE(ShellHoldsIcon(controller.hwnd()));
  tray.SetTrayLook(11);
  tray.Destroy();
  EXPECT_EQ(tray.hwnd(), nullptr);
  EXPECT_FALSE(ShellHoldsIcon(controller.hwnd()));
  EXPECT_FALSE(tray.IsDialAnimationRunning());
}

TEST_F(TrayTest, SeamDrivesTheTray) {
  ASSERT_TRUE(tray.Create(controller.hwnd()));
  TraySeam seam = MakeTraySeam(tray);
  seam.addIcon(10);
  EXPECT_EQ(tray.CurrentLook(), 34);
  EXPECT_TRUE(ShellHoldsIcon(controller.hwnd()));
  seam.setLook(27, "Error: busy");
  EXPECT_EQ(tray.CurrentLook(), 27);
  EXPECT_STREQ(tray.Tooltip(), "Error: busy");
  seam.setLook(8, nullptr);
  EXPECT_EQ(tray.CurrentLook(), 8);
  seam.removeIcon();
  EXPECT_FALSE(ShellHoldsIcon(controller.hwnd()));
  seam.destroy();
  EXPECT_EQ(tray.hwnd(), nullptr);
}

}  // namespace

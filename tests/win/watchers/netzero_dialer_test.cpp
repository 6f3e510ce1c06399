// The NetZero dialer against the stand-in client it starts itself: the
// dialing sequence of each version, its time-outs, the launch, and the
// cooperative stop.
#include "netzero_fixture.h"

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include "support/MessagePump.h"
#include "watchers/NetZeroRules.h"

namespace {

using testing_support::NowMs;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using V = std::vector<std::string>;
using namespace watch;

// "NetZero v2.2": the main dialog with a static "Connect" text and two
// "Connect" buttons; the first press shows the dialing dialog on top of it.
// With `mainGoes` the fourth press closes the main dialog.
std::string Tree22(bool mainGoes) {
  return std::string(R"(
window dialing class="AwtDialog" text="Dialing NetZero (555-0100)..." group=dialing
window main class="AwtDialog" text="Loading..."
window label parent=main class="Static" text="Connect"
window connect parent=main class="Button" text="Connect" on=press#1:show:dialing )") +
         (mainGoes ? "on=press#4:close:main" : "") + R"(
window connect2 parent=main class="Button" text="Connect"
window session class="AwtWindow" group=session
window frame class="AwtFrame" text="NetZero" group=session
after 150 settext main "NetZero v2.2"
)";
}

// Times of the reads the Connect enumerations make of the dialog's first child.
std::vector<double> EnumerationTimes(const testing_support::StandInClient& client) {
  std::vector<double> times;
  for (const auto& e : client.Entries())
    if (e.window == "label" && e.what == "GETTEXT" && e.FromOutside()) times.push_back(e.ms);
  return times;
}

// 2.2: four enumerations at 0, 3000, 5000 and 8000 ms (scaled), each pressing
// the first "Connect" button once and nothing else; the dialing dialog keeps
// the poll going. When it goes, the session windows give 32870 once, or the
// main dialog back means the user cancelled.
TEST_F(DialerTest, Version22PressesConnectFourTimesThenWaitsForTheSession) {
  const double scale = kDialScale;
  struct Case {
    bool mainGoes;
    V expected;
  };
  const Case cases[] = {
      {true, {Status(dial_event::kDialing), Status(dial_event::kConnected)}},
      {false, {Status(dial_event::kDialing), Status(dial_event::kError, "You have clicked the \"Cancel\" button")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mainGoes ? "session" : "cancelled");
    status_.statuses.clear();
    UseStandIn(Tree22(c.mainGoes), "2.2");
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(client_.WaitForLaunch());
    // The poll reads the dialing dialog while it stands, and goes on.
    ASSERT_TRUE(PumpUntil([&] { return client_.CountFromOutside("dialing", "GETTEXT") >= 2; }, 15000));
    EXPECT_EQ(client_.Count("connect", "KEYUP"), 4);
    ASSERT_TRUE(client_.Command("close dialing"));
    if (c.mainGoes) {
      ASSERT_TRUE(client_.Command("show session"));
    }
    ASSERT_TRUE(WaitForStatuses(2));
    ASSERT_TRUE(WaitForDialerThreads());
    PumpFor(100);
    EXPECT_EQ(Statuses(), c.expected);

    const V keys = FocusSpacePressOf("connect");
    EXPECT_EQ(Received(), Join({keys, keys, keys, keys}));
    const std::vector<double> t = EnumerationTimes(client_);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_GE(t[1] - t[0], 3000 * scale - 2);
    EXPECT_GE(t[2] - t[1], 2000 * scale - 2);
    EXPECT_GE(t[3] - t[2], 3000 * scale - 2);
    EXPECT_LT(t[3] - t[0], 8000 * scale + 1000);
    dialer_.ToggleNetZeroDialer();  // stopped before the next dial
    client_.Stop();
  }
}


// "NetZero v3.0" and a 4.1 title: the canvases two or more levels below the
// dialog are clicked at (305, 14) 2500 ms (scaled) after the title is seen;
// a canvas right below the dialog, a titled one and the "Connect" button are
// left alone. "NZTV..." keeps the poll going; when it goes, the session
// windows mean connected and the main dialog back means cancelled.
TEST_F(DialerTest, Versions3And4ClickNestedCanvasesOnly) {
  const double scale = kDialScale;
  struct Case {
    const char* version;
    const char* title;
    bool mainGoes;
    V expected;
  };
  const Case cases[] = {
      {"3.0", "NetZero v3.0", true, {Status(dial_event::kDialing), Status(dial_event::kConnected)}},
      {"4.1", "Welcome to v4.1.2", false,
       {Status(dial_event::kDialing), Status(dial_event::kError, "Connection was Cancelled.")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    status_.statuses.clear();
    UseStandIn(std::string(R"(
window nztv class="AwtDialog" text="NZTV Dialing..." group=dialing
window main class="AwtDialog" text="Loading..."
window top parent=main class="AwtCanvas"
window panel parent=main class="AwtPanel"
window deep parent=panel class="AwtCanvas"
window deeper parent=deep class="AwtCanvas" on=click:show:dialing
window titled parent=panel class="AwtCanvas" text="Logo"
window connect parent=main class="Button" text="Connect"
window session class="AwtWindow" group=session
window frame class="AwtFrame" group=session
after 150 settext main ")") + c.title + "\"\n",
               c.version);
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(client_.WaitForLaunch());
    ASSERT_TRUE(PumpUntil([&] { return client_.CountFromOutside("nztv", "GETTEXT") >= 2; }, 15000));
    if (c.mainGoes) {
      ASSERT_TRUE(client_.Command("close main"));
    }
    ASSERT_TRUE(client_.Command("close nztv"));
    if (c.mainGoes) {
      ASSERT_TRUE(client_.Command("show session"));
    }
    ASSERT_TRUE(WaitForStatuses(2));
    ASSERT_TRUE(WaitForDialerThreads());
    EXPECT_EQ(Statuses(), c.expected);
    EXPECT_EQ(Received(), V({"deep LBUTTONDOWN 0 e0131", "deep LBUTTONUP 0 e0131",
                             "deeper LBUTTONDOWN 0 e0131", "deeper LBUTTONUP 0 e0131"}));
    const double titled = client_.TimeOf("main", "SETTEXT");
    ASSERT_GT(titled, 0);
    EXPECT_GE(client_.TimeOf("deep", "LBUTTONDOWN") - titled, 2500 * scale - 2);
    dialer_.ToggleNetZeroDialer();
    client_.Stop();
  }
}

// "1.5": the "Login" button of "NetZero ... Login" is pressed; the result box
// reports connected once, or its other text as the error.
TEST_F(DialerTest, Version15LogsInAndReportsTheResultBox) {
  struct Case {
    const char* text;
    V expected;
  };
  const Case cases[] = {
      {"Connection complete. Enjoy NetZero!", {Status(dial_event::kDialing), Status(dial_event::kConnected)}},
      {"The line is busy.", {Status(dial_event::kDialing), Status(dial_event::kError, "The line is busy.")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    status_.statuses.clear();
    UseStandIn(std::string(R"(
window login class="AwtDialog" text="Loading..."
window id parent=login class="Static" text="Member ID"
window button parent=login class="Button" text="Login" on=press:show:box
window box class="AwtDialog" text="NetZero MessageBox" group=box
window message parent=box class="Static" group=box text=")") + c.text + R"("
window ok parent=box class="Button" text="OK" group=box
after 100 settext login "NetZero Member Login"
)",
               "1.5");
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(WaitForStatuses(2));
    ASSERT_TRUE(WaitForDialerThreads());
    PumpFor(50);
    EXPECT_EQ(Statuses(), c.expected);
    EXPECT_EQ(Received(), FocusSpacePressOf("button"));
    dialer_.ToggleNetZeroDialer();
    client_.Stop();
  }
}

// A version outside the table starts the client in the folder of its start
// program and does nothing more.
TEST_F(DialerTest, OtherVersionsOnlyLaunchInTheProgramsFolder) {
  for (const char* version : {"", "2.2 ", "5.0"}) {
    SCOPED_TRACE(version);
    status_.statuses.clear();
    UseStandIn(R"(
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect"
after 100 settext main "NetZero v2.2"
)",
               version);
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(client_.WaitForLaunch());
    ASSERT_TRUE(WaitForDialerThreads());
    PumpFor(50);
    EXPECT_EQ(Statuses(), V{Status(dial_event::kDialing)});
    EXPECT_EQ(Received(), V{});
    EXPECT_EQ(client_.WorkingDirectory(), folder_.substr(0, folder_.size() - 1));
    dialer_.ToggleNetZeroDialer();
    client_.Stop();
  }
}

// Whatever the start program is called, it runs in its own folder: a folder
// with a blank, a name shorter than "nzStart.exe".
TEST_F(DialerTest, AStartProgramOfAnyNameRunsInItsOwnFolder) {
  testing_support::CommandLineRecorder recorder;
  UseStandIn("window main class=\"AwtDialog\" text=\"unused\"", "");
  const std::string folder = folder_ + "hostile dir";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string program = folder + "\\nz.exe";
  ASSERT_TRUE(CopyFileA(testing_support::CommandLineRecorder::ExePath().c_str(), program.c_str(), FALSE));
  UseProgramPath(program);
  dialer_.ToggleNetZeroDialer();
  ASSERT_TRUE(recorder.WaitForLines(1));
  ASSERT_TRUE(WaitForDialerThreads());
  const auto starts = recorder.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, program);
  EXPECT_EQ(starts[0].folder, folder);
  EXPECT_EQ(starts[0].arguments, "");
  EXPECT_EQ(Statuses(), V{Status(dial_event::kDialing)});
  dialer_.ToggleNetZeroDialer();
  DeleteFileA(program.c_str());
  RemoveDirectoryA(folder.c_str());
}

// Every wait that runs out reports its own text (and the message box wait,
// which said nothing, now reports too). The waits after a press run at a
// thousandth of real time: three minutes of polls in 180 ms.
TEST_F(DialerTest, EveryTimeOutReportsItsText) {
  struct Case {
    const char* name;
    const char* version;
    const char* tree;
    const char* pressed;  // the long wait begins once this window was pressed
    const char* text;
  };
  const Case cases[] = {
      {"no login dialog", "1.5", R"(window other class="AwtDialog" text="NetZero Welcome")", nullptr,
       netzero::kLoginNotFound},
      {"no main dialog", "2.0", R"(window other class="AwtDialog" text="Welcome")", nullptr,
       netzero::kConnectNotFound},
      {"a dialog that is not dialing", "2.0", R"(
window wait class="AwtDialog" text="Please wait" group=wait
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect" on=press#1:show:wait
after 100 settext main "NetZero v2.0"
)",
       "connect", netzero::kUnableToConnect},
      {"dialing for ever (3.0)", "3.0", R"(
window nztv class="AwtDialog" text="NZTV Dialing..." group=dialing
window main class="AwtDialog" text="Loading..."
window panel parent=main class="AwtPanel"
window canvas parent=panel class="AwtCanvas" on=click:show:dialing
after 100 settext main "NetZero v3.0"
)",
       "canvas", netzero::kUnableToConnect},
      {"no result box", "1.5", R"(
window login class="AwtDialog" text="Loading..."
window button parent=login class="Button" text="Login"
after 100 settext login "NetZero Login"
)",
       "button", netzero::kUnableToConnect},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    status_.statuses.clear();
    UseStandIn(c.tree, c.version);
    dialer_.ToggleNetZeroDialer();
    if (c.pressed) {
      ASSERT_TRUE(PumpUntil([&] {
        return client_.Count(c.pressed, "KEYUP") + client_.Count(c.pressed, "LBUTTONUP") > 0;
      }));
      testing_support::TimeScale faster(0.001);
      ASSERT_TRUE(WaitForStatuses(2, 30000));
    } else {
      ASSERT_TRUE(WaitForStatuses(2, 30000));
    }
    ASSERT_TRUE(WaitForDialerThreads());
    EXPECT_EQ(Statuses(), V({Status(dial_event::kDialing), Status(dial_event::kError, c.text)}));
    dialer_.ToggleNetZeroDialer();
    client_.Stop();
  }
}

// A start program that cannot be started: the owner-less error box on the
// dialer's thread, then its text as the error. Whatever is not an absolute
// path of an existing file (an empty path, a relative one, a folder) fails
// as a missing file without asking the shell.
TEST_F(DialerTest, AMissingProgramShowsTheBoxAndReportsItsText) {
  const std::string missing = "The specified file was not found.";
  struct Case {
    const char* path;
    std::string text;
  };
  const Case cases[] = {
      {"C:\\windows\\no-such-folder-nz\\nzStart.exe", missing},
      {"", missing},
      {"a.exe", missing},
      {"nzStart.exe", missing},  // though there is one in the current folder
      {"<the folder>", missing},
  };
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(previous), previous);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    status_.statuses.clear();
    boxes_.clear();
    UseStandIn("window main class=\"AwtDialog\" text=\"unused\"", "2.2");
    SetCurrentDirectoryA(folder_.c_str());
    UseProgramPath(std::string(c.path) == "<the folder>" ? folder_ : c.path);
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(WaitForStatuses(2));
    ASSERT_TRUE(WaitForDialerThreads());
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(client_.Launched());
    EXPECT_EQ(Statuses(), V({Status(dial_event::kDialing), Status(dial_event::kError, c.text)}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].owner, nullptr);
    EXPECT_EQ(boxes_[0].text, c.text);
    EXPECT_EQ(boxes_[0].caption, "NetZero Dialer Error");
    EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_NE(boxes_[0].thread, GetCurrentThreadId());
    dialer_.ToggleNetZeroDialer();
  }
}

// A stop while the dial launches (its box up), looks for the dialog or waits
// for the session: 32872 and nothing after it, the box goes, timer 9 goes,
// the thread ends by itself, the toggle does not wait for it, and the next
// dial works.
TEST_F(DialerTest, AStopEndsTheDialWhereverItIs) {
  std::atomic<bool> boxUp{false}, holdBox{true};
  onBox_ = [&](const Box&) {
    boxUp = true;
    if (holdBox) win::WaitWhileMessageBoxUp(20000);
    return IDOK;
  };
  struct Case {
    const char* phase;
    const char* version;
    const char* tree;  // null: the start program is missing
    std::function<bool()> reached;
  };
  const Case cases[] = {
      {"launching", "2.2", nullptr, [&] { return boxUp.load(); }},
      {"clicking", "2.0", R"(window other class="AwtDialog" text="Welcome")",
       [&] { return client_.Launched() && client_.Count("other", "created") > 0; }},
      {"waiting", "2.2", R"(
window dialing class="AwtDialog" text="Dialing NetZero..." group=dialing
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect" on=press#1:show:dialing
after 100 settext main "NetZero v2.2"
)",
       [&] { return client_.CountFromOutside("dialing", "GETTEXT") >= 2; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phase);
    status_.statuses.clear();
    boxUp = false;
    holdBox = true;
    if (c.tree) {
      UseStandIn(c.tree, c.version);
    } else {
      UseProgramPath("C:\\windows\\no-such-folder-nz\\nzStart.exe");
      UseVersion(c.version);
    }
    timer9_ = SetTimer(status_.hwnd(), kNetZeroTimerId, 100000, nullptr);
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(PumpUntil(c.reached, 15000));

    const double stopAt = NowMs();
    dialer_.ToggleNetZeroDialer();
    EXPECT_LT(NowMs() - stopAt, 100.0) << "the stop waited for the dialer";
    EXPECT_EQ(timer9_, 0u);
    EXPECT_FALSE(KillTimer(status_.hwnd(), kNetZeroTimerId));
    EXPECT_FALSE(dialer_.IsStarted());
    ASSERT_TRUE(WaitForDialerThreads(5000));
    PumpFor(100);
    EXPECT_EQ(Statuses(), V({Status(dial_event::kDialing), Status(dial_event::kEnded)}));
    client_.Stop();

    holdBox = false;
    UseProgramPath("");
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(WaitForStatuses(4));
    EXPECT_EQ(Statuses()[3], Status(dial_event::kError, "The specified file was not found."));
    dialer_.ToggleNetZeroDialer();
    ASSERT_TRUE(WaitForDialerThreads(5000));
  }
}

size_t ThreadsOfThisProcess() {
  size_t n = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {sizeof(entry)};
  for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
    n += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return n;
}

// A hundred dials, each stopped while its box is up or after it ended with
// its error: no thread and no handle is left behind.
TEST_F(DialerTest, AHundredDialsLeaveNoThreadOrHandle) {
  std::atomic<int> shown{0};
  std::atomic<bool> holdBox{false};
  onBox_ = [&](const Box&) {
    ++shown;
    if (holdBox) win::WaitWhileMessageBoxUp(20000);
    return IDOK;
  };
  UseProgramPath("");
  UseVersion("2.2");
  auto cycle = [&](int i) {
    holdBox = i % 2 == 0;
    const int before = shown.load();
    const size_t statuses = status_.statuses.size();
    dialer_.ToggleNetZeroDialer();
    if (holdBox) ASSERT_TRUE(PumpUntil([&] { return shown.load() > before; }));
    else ASSERT_TRUE(WaitForStatuses(statuses + 2));
    dialer_.ToggleNetZeroDialer();
  };
  cycle(1);  // the first dial loads what every later one uses
  ASSERT_TRUE(WaitForDialerThreads());
  PumpFor(50);
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  const size_t threads = ThreadsOfThisProcess();
  status_.statuses.clear();
  for (int i = 0; i < 100; ++i) cycle(i);
  ASSERT_TRUE(WaitForDialerThreads());
  PumpFor(50);
  DWORD after = 0;
  GetProcessHandleCount(GetCurrentProcess(), &after);
  EXPECT_EQ(after, handles);
  EXPECT_EQ(ThreadsOfThisProcess(), threads);
  // Held boxes were ended without their error; the others reported it.
  int errors = 0;
  for (const std::string& s : Statuses()) errors += s.rfind(std::to_string(dial_event::kError), 0) == 0;
  EXPECT_EQ(errors, 50);
  EXPECT_EQ(Statuses().size(), 250u);
}

// The client stops answering while the dialer presses and polls: the stop
// still returns at once and the thread ends within one bounded send.
TEST_F(DialerTest, AHungClientDoesNotHoldTheStop) {
  UseStandIn(R"(
window main class="AwtDialog" text="Loading..."
window connect parent=main class="Button" text="Connect" on=KEYUP:hang
after 100 settext main "NetZero v2.0"
)",
             "2.0");
  dialer_.ToggleNetZeroDialer();
  ASSERT_TRUE(PumpUntil([&] { return client_.Count("-", "hung") > 0; }));
  PumpFor(50);
  const double stopAt = NowMs();
  dialer_.ToggleNetZeroDialer();
  EXPECT_LT(NowMs() - stopAt, 100.0);
  ASSERT_TRUE(WaitForDialerThreads(3 * watch::SendBoundMs()));
  EXPECT_LT(NowMs() - stopAt, 2.0 * watch::SendBoundMs());
  EXPECT_EQ(Statuses(), V({Status(dial_event::kDialing), Status(dial_event::kEnded)}));
  client_.Command("wake");
}

}  // namespace

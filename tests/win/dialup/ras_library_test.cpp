// The dial-up library wrapper against the simulated library: entry lists,
// the dial parameters, previous handles, hang-ups and error texts.
#include <cstdio>
#include <cstring>

#include "dialup/DialUpEntries.h"
#include "dialup/NoticeDlg.h"
#include "dialup/RasLibrary.h"
#include "dialup_fixture.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/MessageRecorder.h"
#include "support/ProgramUnderTest.h"
#include "win/RegKey.h"

namespace {

using dialup::RasLibrary;

constexpr DWORD kDialed = 0x1010;  // the simulated library's first handle

class RasLibraryTest : public DialUpTest {
 protected:
  RasLibraryTest() {
    EXPECT_TRUE(sim_.ok()) << "the simulated rasapi32.dll is not the one loaded";
    window_.Create();
    window_.onMessage = [this](UINT msg, WPARAM wp, LPARAM lp) {
      if (msg == dialup::kDialStateMessage) states_.emplace_back(static_cast<DWORD>(wp), static_cast<DWORD>(lp));
    };
  }
  ~RasLibraryTest() override {
    // The wrapper keeps the library while a connection is open; end it first.
    ras_.HangUpCurrent();
  }
  void StorePrev(DWORD handle) { store_.Write(settings::kModemPrevRasHandle, handle); }
  void DeletePrev() {
    win::RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, settings::kKeyModemDialer, KEY_ALL_ACCESS) == ERROR_SUCCESS)
      key.DeleteValue(settings::kModemPrevRasHandle.name);
  }
  DWORD Prev() { return store_.Read(settings::kModemPrevRasHandle); }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const Box& b : boxes_) texts.push_back(b.text);
    return texts;
  }

  testing_support::MessageRecorder window_;
  std::vector<std::pair<DWORD, DWORD>> states_;
  RasLibrary ras_;
};

// Names as the library holds them: any count (the buffer grows to what the
// library asks for), any length (at most 256 characters are read, even when
// the library leaves a name unterminated).
TEST_F(RasLibraryTest, EntriesAreListedWhateverTheirCountAndLength) {
  const std::string n256(256, 'n');
  struct Case {
    const char* what;
    std::string script;
    DWORD rc;
    std::vector<std::string> names;
    int calls;
  };
  const Case cases[] = {
      {"none", "", 0, {}, 1},
      {"one", "entry Loopback ISP\n", 0, {"Loopback ISP"}, 1},
      {"more than one record holds", "entry A\nentry Bravo\nentry Charlie ISP\n", 0,
       {"A", "Bravo", "Charlie ISP"}, 2},
      {"a 256-character name", "entry " + n256 + "\n", 0, {n256}, 1},
      {"a name the library leaves unterminated", "entry " + n256 + "xyz\n", 0, {n256}, 1},
      {"a refusal", "entry A\nenum-entries-result 623\n", 623, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    sim.Script(c.script);
    std::vector<std::string> names{"kept"};
    EXPECT_EQ(dialup::ListEntryNames(names), c.rc);
    std::vector<std::string> expected{"kept"};
    expected.insert(expected.end(), c.names.begin(), c.names.end());
    EXPECT_EQ(names, expected);
    auto calls = sim.Calls("RasEnumEntriesA");
    ASSERT_EQ(static_cast<int>(calls.size()), c.calls);
    EXPECT_NE(calls[0].find("phonebook=(default) size=264 bytes=264"), std::string::npos) << calls[0];
    if (c.calls == 2) {
      EXPECT_NE(calls[1].find("bytes=792 -> 0"), std::string::npos) << calls[1];
    }
  }
  EXPECT_TRUE(notices_.empty());
  EXPECT_TRUE(boxes_.empty());
}

// The listing unloads the library again; a 50-entry phonebook too.
TEST_F(RasLibraryTest, ListingLeavesTheLibraryUnloaded) {
  sim_.Script("entries 50 20\n");
  std::vector<std::string> names;
  EXPECT_EQ(ras_.ListEntries(names), 0u);
  EXPECT_EQ(names.size(), 50u);
  EXPECT_EQ(names[49], "Entry 0049xxxxxxxxxx");
  EXPECT_FALSE(ras_.loaded());
}

std::vector<BYTE> ExpectedDialParams() {
  std::vector<BYTE> p(1052, 0);
  const DWORD size = 1052;
  std::memcpy(&p[0], &size, 4);
  std::memcpy(&p[4], "Loopback ISP", 12);   // entry name, 257 bytes
  std::memcpy(&p[519], "alice", 5);         // user name, after phone (129) and callback (129)
  std::memcpy(&p[776], "s3cret", 6);        // password, 257 bytes
  std::memcpy(&p[1033], "*", 1);            // domain, 16 bytes
  return p;
}

TEST_F(RasLibraryTest, DialParametersAreByteExactAndTheHandleIsRemembered) {
  sim_.Script("state 0 0\nstate 8192 0\n");
  ASSERT_TRUE(ras_.Dial(window_.hwnd()));
  EXPECT_EQ(sim_.LastDialParams(), ExpectedDialParams());
  auto dial = sim_.Calls("RasDialA");
  ASSERT_EQ(dial.size(), 1u);
  EXPECT_NE(dial[0].find("extensions=none phonebook=(default) size=1052 notifier=0"), std::string::npos)
      << dial[0];
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(ras_.current()), kDialed);
  EXPECT_EQ(Prev(), kDialed);
  // The states arrive as posted messages, from the library's thread.
  ASSERT_TRUE(testing_support::PumpUntil([&] { return states_.size() == 2; }));
  EXPECT_EQ(states_[0], std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_EQ(states_[1], std::make_pair(DWORD{8192}, DWORD{0}));
  EXPECT_TRUE(TraceMentions("Dialing Loopback ISP"));
  EXPECT_FALSE(TraceMentions("s3cret"));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(RasLibraryTest, NoProfileIsRefusedWithItsMessage) {
  store_.Write(settings::kModemProfile, "");
  EXPECT_FALSE(ras_.Dial(window_.hwnd()));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "You have not setup a default phonebook entry. Please setup a default entry via "
            "'Configurations -> ISP -> Logon Options' menu");
  EXPECT_EQ(boxes_[0].caption, "Tetherly!");
  EXPECT_EQ(sim_.Count("RasDialA"), 0);
}

// A dial the library refuses at once still holds a handle: it is given back
// before the user is told why.
TEST_F(RasLibraryTest, ADialRefusedAtOnceReleasesItsHandle) {
  sim_.Script("dial-result 623\n");
  EXPECT_FALSE(ras_.Dial(window_.hwnd()));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{LibraryText(623)});
  EXPECT_EQ(sim_.Count("RasHangUpA 0x1010 -> 0"), 1);
  EXPECT_EQ(ras_.current(), nullptr);
  EXPECT_EQ(Prev(), 0u);
}

// "Prev RAS Handle" before each dial: none (missing, 0, -1) means no
// hang-up; a stale one is refused by the library, which is shown unless the
// program redials by itself; either way the dial goes ahead.
TEST_F(RasLibraryTest, ThePreviousHandleIsEndedBeforeDialing) {
  struct Case {
    const char* what;
    bool stored;
    DWORD prev;
    DWORD reconnect;
    std::vector<std::string> hangUps;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {"missing", false, 0, 0, {}, {}},
      {"0", true, 0, 0, {}, {}},
      {"-1", true, 0xFFFFFFFFu, 0, {}, {}},
      {"stale, Reconnect 0", true, 0x5555, 0, {"RasHangUpA 0x5555 -> 6"}, {LibraryText(606)}},
      {"stale, Reconnect 1", true, 0x5555, 1, {"RasHangUpA 0x5555 -> 6"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    boxes_.clear();
    store_.Write(settings::kModemReconnect, c.reconnect);
    if (c.stored) StorePrev(c.prev);
    else DeletePrev();
    RasLibrary ras;
    ASSERT_TRUE(ras.Dial(window_.hwnd()));
    EXPECT_EQ(sim.Calls("RasHangUpA"), c.hangUps);
    EXPECT_EQ(BoxTexts(), c.boxes);
    EXPECT_EQ(sim.Count("RasDialA"), 1);
    ras.HangUpCurrent();
  }
}

// The connection record as the system lays it out (packed to 4 bytes, the
// handle at offset 4): the oldest layout first, and where a newer library
// refuses it (632), the current one. A live previous connection is ended,
// then the first active one, whose handle is read from its record; a buffer
// the library finds too small grows, and none of it is ever shown.
TEST_F(RasLibraryTest, ConnectionRecordsAreLaidOutAsTheSystemDoes) {
  const int oldest = sizeof(void*) == 8 ? 416 : 412, current = sizeof(void*) == 8 ? 708 : 704;
  auto sized = [](int size, int bytes, const char* answer) {
    return "RasEnumConnectionsA size=" + std::to_string(size) + " bytes=" + std::to_string(bytes) + " -> " + answer;
  };
  struct Case {
    const char* what;
    const char* records;
    std::vector<std::string> enums;
    std::string traced;  // empty: nothing to look for in the trace
  };
  const Case cases[] = {
      {"the oldest record", "", {sized(oldest, oldest, "603"), sized(oldest, 2 * oldest, "0 count=2")}, ""},
      {"a library that takes only the current record", "connection-records current\n",
       {sized(oldest, oldest, "632"), sized(current, current, "603"), sized(current, 2 * current, "0 count=2")},
       "refused the " + std::to_string(oldest) + "-byte connection record (error 632) and took the " +
           std::to_string(current) + "-byte one"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    testing_support::TraceRecorder::Clear();
    sim.Script(std::string(c.records) + "connection 7000 Old ISP\nconnection 8000 Other\nconnection 9000 Third\n");
    StorePrev(0x7000);
    RasLibrary ras;
    ASSERT_TRUE(ras.Dial(window_.hwnd()));
    const std::vector<std::string> hangUps{"RasHangUpA 0x7000 -> 0", "RasHangUpA 0x8000 -> 0"};
    EXPECT_EQ(sim.Calls("RasHangUpA"), hangUps);
    const auto enums = sim.Calls("RasEnumConnectionsA");
    ASSERT_EQ(enums.size(), c.enums.size());
    for (size_t i = 0; i < enums.size(); ++i) EXPECT_EQ(enums[i].rfind(c.enums[i], 0), 0u) << enums[i];
    if (!c.traced.empty()) {
      EXPECT_TRUE(TraceMentions(c.traced)) << c.traced;
    }
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Prev(), kDialed);
    // The line check reads the same records.
    EXPECT_TRUE(RasLibrary::ConnectionActive());
    ras.HangUpCurrent();
  }
}

// A handle the stored 32-bit value cannot hold is stored as none, not cut.
TEST_F(RasLibraryTest, AHandleThatDoesNotFitIsStoredAsNone) {
  for (const char* handle : {"100000001", "ffffffff"}) {
    SCOPED_TRACE(handle);
    testing_support::SimulatedRas sim;
    sim.Script(std::string("dial-handle ") + handle + "\n");
    RasLibrary ras;
    ASSERT_TRUE(ras.Dial(window_.hwnd()));
    EXPECT_EQ(Prev(), 0u);
    ras.HangUpCurrent();
  }
}

// Hang up current: the wait ends on any answer but "connected", pauses
// between polls and is bounded; a refusal is shown (raised into the
// library's range) unless the program redials by itself.
TEST_F(RasLibraryTest, HangUpWaitsBoundedAndReportsRefusals) {
  // Polls 5 ms apart, at most 61 of them over 300 ms.
  testing_support::TimeScale scale(0.1);
  struct Case {
    const char* what;
    const char* script;
    DWORD reconnect;
    bool done;
    std::vector<std::string> boxes;
    int minPolls, maxPolls;
  };
  const Case cases[] = {
      {"at once", "", 0, true, {}, 1, 1},
      {"late", "hangup-complete 60\n", 0, true, {}, 2, 60},
      {"another answer ends the wait", "hangup-complete 0\nhangup-status 5\n", 0, true, {}, 1, 1},
      {"never", "hangup-complete never\n", 0, true, {}, 61, 61},
      {"refused with 6, Reconnect 0", "hangup-result 6\n", 0, false, {LibraryText(606)}, 0, 0},
      {"refused with 6, Reconnect 1", "hangup-result 6\n", 1, false, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::SimulatedRas sim;
    testing_support::TraceRecorder::Clear();
    boxes_.clear();
    store_.Write(settings::kModemReconnect, c.reconnect);
    RasLibrary ras;
    ASSERT_TRUE(ras.Dial(window_.hwnd()));
    sim.Script(c.script);
    EXPECT_EQ(ras.HangUpCurrent(), c.done);
    EXPECT_EQ(BoxTexts(), c.boxes);
    const int polls = sim.Count("RasGetConnectStatusA");
    EXPECT_GE(polls, c.minPolls);
    EXPECT_LE(polls, c.maxPolls);
    EXPECT_EQ(ras.current() == nullptr, c.done);
    EXPECT_EQ(Prev(), c.done ? 0u : kDialed);
    EXPECT_EQ(TraceMentions("in time"), std::string(c.what) == "never");
    sim.Script("hangup-result 0\n");
    ras.HangUpCurrent();
  }
}

// Texts as long as the library's documented 512-byte buffer holds.
TEST_F(RasLibraryTest, ErrorTextsComeFromTheLibrary) {
  const std::string longest(511, 'x');
  sim_.Script("error-text 691 Access denied because username and/or password is invalid.\n"
              "error-string-result 777 87\nerror-text 720 " + longest + "\n");
  ras_.ShowDialUpError(6);
  ras_.ShowDialUpError(691);
  ras_.ShowDialUpError(720);
  ASSERT_EQ(BoxTexts(), (std::vector<std::string>{LibraryText(606),
                                                  "Access denied because username and/or password is invalid.",
                                                  longest}));
  EXPECT_EQ(boxes_[0].caption, "Tetherly!");
  EXPECT_EQ(ras_.DialUpErrorText(5), LibraryText(5));  // not raised
  boxes_.clear();
  // No text from the library: the lookup's own failure is shown instead.
  EXPECT_EQ(ras_.DialUpErrorText(777), "");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Error");
  EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_NE(boxes_[0].text, "");
}

// The notice itself: the icon of its kind, and a Help button that says so
// when there is no help file.
TEST_F(RasLibraryTest, TheNoticeShowsItsIconAndItsHelpSaysWhenThereIsNoHelpFile) {
  dialup::SetNoticeHandler({});
  static HICON shown = nullptr;
  shown = nullptr;
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND notice = FindWindowA("#32770", "Tetherly! Help Wizard");
    if (!notice) return;
    KillTimer(nullptr, id);
    shown = reinterpret_cast<HICON>(SendDlgItemMessageA(notice, IDC_NOTICE_ICON, STM_GETICON, 0, 0));
    SendMessageA(notice, WM_COMMAND, IDHELP, 0);
    PostMessageA(notice, WM_COMMAND, IDOK, 0);
  });
  dialup::ShowNotice(nullptr, "A notice", dialup::kNoticeExclamation, IDH_NO_DIALUP);
  EXPECT_EQ(shown, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NOTICE_EXCLAMATION)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find(".chm was not found."), std::string::npos) << boxes_[0].text;
}

// A rasapi32.dll beside the program never runs in it: the program, copied
// into a folder that holds a planted one (the test's CMake builds it; it
// leaves a named event when loaded), loads the system folder's library, for
// whichever use comes first. A program of its own: in this one the library
// is loaded already, and a load by the same name would find that, wherever
// it searched; so would the program's second use after its first.
TEST_F(RasLibraryTest, ALibraryBesideTheProgramIsNotLoaded) {
  struct Case {
    const char* what;
    DWORD connection;
    bool dialFromTray;
    const char* firstCall;
  };
  const Case cases[] = {{"the connection check of Auto NetSense", 3, false, "RasEnumConnectionsA"},
                        {"the tray's Dial", 1, true, "RasDialA"}};
  const std::string exe = testing_support::ProgramExePath();
  ASSERT_FALSE(exe.empty()) << "TETHERLY_EXE is not set";
  char self[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  std::string planted = self;
  planted = planted.substr(0, planted.find_last_of('\\') + 1) + "rasapi32.dll";
  GetTempPathA(sizeof(temp), temp);
  const std::string folder = std::string(temp) + "tetherly-planted";
  const std::string log = folder + "\\rasapi32.log";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(exe.c_str(), (folder + "\\tetherly.exe").c_str(), FALSE)) << GetLastError();
  ASSERT_TRUE(CopyFileA(planted.c_str(), (folder + "\\rasapi32.dll").c_str(), FALSE)) << planted;
  testing_support::PointHostsAtLoopback(store_);
  store_.Write(settings::kModemPromptToDial, 0);
  // The system folder's library logs what the program asks of it.
  auto logged = [&](const char* call) {
    FILE* f = std::fopen(log.c_str(), "rb");
    if (!f) return false;
    char buf[4096];
    std::string text;
    size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) text.append(buf, n);
    std::fclose(f);
    return text.find(call) != std::string::npos;
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileA(log.c_str());
    store_.Write(settings::kConnection, c.connection);
    SetEnvironmentVariableA("TETHERLY_TIME_SCALE", "0.01");
    SetEnvironmentVariableA("TETHERLY_RAS_LOG", log.c_str());
    testing_support::ProgramProcess program;
    STARTUPINFOA si = {sizeof(si)};
    std::string cmdline = "\"" + folder + "\\tetherly.exe\"";
    const BOOL started = CreateProcessA(nullptr, &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &si, &program.info);
    SetEnvironmentVariableA("TETHERLY_TIME_SCALE", nullptr);
    SetEnvironmentVariableA("TETHERLY_RAS_LOG", nullptr);
    ASSERT_TRUE(started) << GetLastError();

    HWND status = testing_support::WaitForProcessWindow(program.info.dwProcessId, "Online Status Report", 20000);
    ASSERT_NE(status, nullptr);
    if (c.dialFromTray) PostMessageA(status, WM_COMMAND, IDM_DIAL, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return logged(c.firstCall); }, 20000));
    HANDLE marker = OpenEventA(SYNCHRONIZE, FALSE, "TetherlyPlantedRasapi32Loaded");
    EXPECT_EQ(marker, nullptr) << "the rasapi32.dll beside the program was loaded";
    if (marker) CloseHandle(marker);
    PostMessageA(status, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
  }
  DeleteFileA((folder + "\\tetherly.exe").c_str());
  DeleteFileA((folder + "\\rasapi32.dll").c_str());
  DeleteFileA(log.c_str());
  RemoveDirectoryA(folder.c_str());
}

// The connection query counts any connection, through the same library.
TEST_F(RasLibraryTest, ConnectionActiveFollowsTheLibrary) {
  EXPECT_FALSE(RasLibrary::ConnectionActive());
  sim_.Script("connection 4000 Somebody\nconnection 5000 Else\n");
  EXPECT_TRUE(RasLibrary::ConnectionActive());
  sim_.Script("enum-connections-result 5\n");
  EXPECT_FALSE(RasLibrary::ConnectionActive());
}

}  // namespace

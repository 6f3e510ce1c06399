#include <gtest/gtest.h>

#include <string>

#include "watchers/DialerPromptRules.h"
#include "watchers/NetZeroRules.h"

namespace {

using namespace watch;

// The version texts select by exact comparison; anything else dials nothing
// and is watched by caption.
TEST(NetZeroRules, VersionTable) {
  using netzero::Sequence;
  struct Case {
    const char* version;
    Sequence sequence;
    bool coordinates;
  };
  const Case cases[] = {
      {"1.5", Sequence::Login, false},    {"1.6", Sequence::Connect, false},
      {"2.0", Sequence::Connect, false},  {"2.2", Sequence::Connect, false},
      {"3.0", Sequence::Connect3, true},  {"4.0", Sequence::Connect3, true},
      {"4.1", Sequence::Connect3, true},  {"", Sequence::None, false},
      {"2.2 ", Sequence::None, false},    {"4.2", Sequence::None, false},
      {"v4.1", Sequence::None, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    EXPECT_EQ(netzero::SequenceFor(c.version), c.sequence);
    EXPECT_EQ(netzero::ClicksByCoordinates(c.version), c.coordinates);
  }
}

// The start program's folder: the path up to its last separator, whatever
// the file is called ("nzStart.exe" gives what cutting its 11 characters
// would); a path without a folder has none.
TEST(NetZeroRules, LaunchDirectory) {
  struct Case {
    const char* path;
    bool has;
    const char* directory;
  };
  const Case cases[] = {
      {"C:\\Program Files\\NetZero\\nzStart.exe", true, "C:\\Program Files\\NetZero\\"},
      {"C:\\nzStart.exe", true, "C:\\"},
      {"C:\\hostile dir\\nz.exe", true, "C:\\hostile dir\\"},
      {"C:\\NZ\\client.exe", true, "C:\\NZ\\"},
      {"D:/NetZero/nzStart.exe", true, "D:/NetZero/"},
      {"\\\\server\\share\\nzStart.exe", true, "\\\\server\\share\\"},
      {"xnzStart.exe", false, ""},
      {"nzStart.exe", false, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string directory = "untouched";
    EXPECT_EQ(netzero::LaunchDirectory(c.path, directory), c.has);
    if (c.has) {
      EXPECT_EQ(directory, c.directory);
    }
  }
}

TEST(NetZeroRules, DialerTitles) {
  using netzero::ConnectAction;
  EXPECT_TRUE(netzero::IsLoginDialog("NetZero Login"));
  EXPECT_TRUE(netzero::IsLoginDialog("NetZeroLogin"));
  EXPECT_TRUE(netzero::IsLoginDialog("NetZero Member Login"));
  EXPECT_FALSE(netzero::IsLoginDialog("NetZero Login "));
  EXPECT_FALSE(netzero::IsLoginDialog("netzero Login"));
  EXPECT_FALSE(netzero::IsLoginDialog("Login"));
  EXPECT_FALSE(netzero::IsLoginDialog("NetZero"));

  struct Case {
    const char* title;
    ConnectAction action;
    bool fourth;
  };
  const Case cases[] = {
      {"NetZero v2.2", ConnectAction::PressConnect, true},
      {"NetZero v2.2.1 Platinum", ConnectAction::PressConnect, true},
      {"NetZero v2.0", ConnectAction::PressConnect, false},
      {"NetZero v1.6", ConnectAction::PressConnect, false},
      {"NetZero v3.0", ConnectAction::ClickCanvases, false},
      {"NetZero v4.0", ConnectAction::ClickCanvases, false},
      {"NetZero v4", ConnectAction::PressConnect, false},
      {"Welcome to v4.1.2", ConnectAction::ClickCanvases, false},
      {"NetZero v", ConnectAction::PressConnect, false},
      {"Netzero v2.2", ConnectAction::NotYet, false},
      {"Dialing 555-0100", ConnectAction::NotYet, false},
      {"", ConnectAction::NotYet, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    EXPECT_EQ(netzero::ConnectActionFor(c.title), c.action);
    EXPECT_EQ(netzero::WantsFourthConnect(c.title), c.fourth);
  }
}

TEST(NetZeroRules, DialingTexts) {
  using netzero::DialState;
  struct Case {
    bool version3;
    const char* text;
    DialState state;
  };
  const Case cases[] = {
      {false, "Dialing 555-0100", DialState::Dialing},
      {false, "Dialing", DialState::Other},
      {false, "NetZero v2.2", DialState::Cancelled},
      {false, "About NetZero v2.2", DialState::Other},
      {false, "NZTV", DialState::Other},
      {true, "NZTV Dialing", DialState::Dialing},
      {true, "NetZero v3.0", DialState::Cancelled},
      {true, "About NetZero v3.0", DialState::Cancelled},
      {true, "NetZero Free", DialState::Cancelled},
      {true, "Welcome to v4.1.2", DialState::Cancelled},
      {true, "Dialing 555-0100", DialState::Other},
      {true, "", DialState::Other},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(netzero::DialStateFor(c.version3, c.text), c.state);
  }
}

TEST(NetZeroRules, ResultBoxChildren) {
  using netzero::MessageBoxChild;
  EXPECT_EQ(netzero::MessageBoxChildFor("Connection complete."), MessageBoxChild::Connected);
  EXPECT_EQ(netzero::MessageBoxChildFor("Connection complete"), MessageBoxChild::Connected);
  EXPECT_EQ(netzero::MessageBoxChildFor("OK"), MessageBoxChild::Nothing);
  EXPECT_EQ(netzero::MessageBoxChildFor(""), MessageBoxChild::Nothing);
  EXPECT_EQ(netzero::MessageBoxChildFor("Ok"), MessageBoxChild::Error);
  EXPECT_EQ(netzero::MessageBoxChildFor("Connection failed."), MessageBoxChild::Error);
}

// Each MSN text on its own: the plain "Stay Online" only once the prompt was
// seen; exact texts, any case not.
TEST(DialerPromptRules, MsnPresses) {
  struct Case {
    const char* text;
    bool seen;
    const char* trace;  // null: no press
  };
  const Case cases[] = {
      {"Stay Online", false, nullptr},
      {"Stay Online", true, "Finished clicking 'Stay Online' button"},
      {"Reconnect...", false, "Finished clicking 'OK' button"},
      {"&Stay Online", false, "Finished clicking 'OK' button"},
      {"OK", false, "Finished clicking 'OK' button"},
      {"&Yes", true, "Finished clicking 'Yes' button"},
      {"ok", true, nullptr},
      {"Stay Online ", true, nullptr},
      {"Reconnect", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.seen ? " seen" : ""));
    const char* trace = dialers::MsnPressFor(c.text, c.seen);
    EXPECT_EQ(trace ? std::string(trace) : "-", c.trace ? std::string(c.trace) : "-");
  }
  EXPECT_FALSE(dialers::IsMsnPrompt("call duration"));
}

// Only text-less "ATL..." controls count for Prodigy; Juno's prefix is
// case-sensitive.
TEST(DialerPromptRules, ProdigyAndJunoControls) {
  EXPECT_TRUE(dialers::IsProdigyButton("", "ATL:00501234"));
  EXPECT_TRUE(dialers::IsProdigyButton("", "ATL"));
  EXPECT_FALSE(dialers::IsProdigyButton("Stay", "ATL:00501234"));
  EXPECT_FALSE(dialers::IsProdigyButton("", "Button"));
  EXPECT_FALSE(dialers::IsProdigyButton("", "atl:00501234"));
  EXPECT_TRUE(dialers::IsJunoCancel("Cancel"));
  EXPECT_TRUE(dialers::IsJunoCancel("Cancel Connection"));
  EXPECT_FALSE(dialers::IsJunoCancel("cancel"));
  EXPECT_FALSE(dialers::IsJunoCancel("Cance"));
}

// "Timer Interval" minutes as a timer period, never wrapping around.
TEST(DialerPromptRules, MailCheckPeriod) {
  EXPECT_EQ(dialers::MailCheckPeriodMs(1), 60000ul);
  EXPECT_EQ(dialers::MailCheckPeriodMs(10), 600000ul);
  EXPECT_EQ(dialers::MailCheckPeriodMs(35791), 2147460000ul);
  EXPECT_EQ(dialers::MailCheckPeriodMs(35792), 0x7FFFFFFFul);
  EXPECT_EQ(dialers::MailCheckPeriodMs(0xFFFFFFFFul), 0x7FFFFFFFul);
}

}  // namespace

// Launching the clients and the outside browser. "Program Path" and the
// browser handlers point at the command-line recorder.
#include "watcher_fixture.h"

#include <algorithm>

#include "res/resource_watchers.h"
#include "settings/SettingsSchema.h"
#include "watchers/ShellLaunch.h"
#include "watchers/ShellLaunchError.h"

namespace {

using V = std::vector<std::string>;
using settings::SignOnClient;
using settings::SiteList;

class LaunchTest : public WatcherTest {
 protected:
  void UseRecorderAs(SignOnClient client) {
    store_.WriteBrowserLaunch(client, 1, testing_support::CommandLineRecorder::ExePath());
  }
  void ScreenName(SignOnClient client, DWORD use, const std::string& name) {
    store_.WriteScreenNames(client, use, name, {name});
  }
  static std::string BesideThisProgram(const char* file) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string p = path;
    return p.substr(0, p.find_last_of("\\/") + 1) + file;
  }

  testing_support::CommandLineRecorder recorder_;
  testing_support::BrowserOnRecorder browser_;
};

struct AolCase {
  const char* name;
  DWORD signOn, useName, useSite, external;
  V expected;     // the client's parameters, then the browser's address if any
  bool signsOn;   // no client runs here, so a sign-on ends in its box
};

// The parameters exactly as built; the launcher signs on itself only when
// neither a name nor a page was given.
TEST_F(LaunchTest, AolParametersAndBrowser) {
  const AolCase cases[] = {
      {"name, no site", 1, 1, 0, 0, {"-nAnn -u\"\""}, false},
      {"name and site", 1, 1, 1, 0, {"-nAnn -u\"aol://1722:News\""}, false},
      {"site only", 1, 0, 1, 0, {"-u\"aol://1722:News\""}, false},
      {"neither: signs on, then the browser", 1, 0, 0, 1, {"", "http://127.0.0.1/start"}, true},
      {"sign on 0, browser still opens", 0, 1, 1, 1, {"", "http://127.0.0.1/start"}, false},
  };
  UseRecorderAs(SignOnClient::Aol);
  for (const AolCase& c : cases) {
    testing_support::CommandLineRecorder recorder;
    boxes_.clear();
    Write(settings::kAolSignOn, c.signOn);
    ScreenName(SignOnClient::Aol, c.useName, "Ann");
    store_.WriteSiteList(SiteList::AolSites, c.useSite, "aol://1722:News", {"aol://1722:News"});
    store_.WriteSiteList(SiteList::ExtBrowserSites, c.external, "http://127.0.0.1/start",
                         {"http://127.0.0.1/start"});
    aol_->LaunchAOL();
    ASSERT_TRUE(recorder.WaitForLines(c.expected.size())) << c.name;
    // Client and browser are separate processes: their lines come in any order.
    V lines = recorder.Lines(), expected = c.expected;
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected) << c.name;
    ASSERT_EQ(boxes_.size(), c.signsOn ? 1u : 0u) << c.name;
    if (c.signsOn) {
      EXPECT_EQ(boxes_[0].caption, "Tetherly!");
    }
  }
}

TEST_F(LaunchTest, Cs2000TakesOnlyTheScreenName) {
  UseRecorderAs(SignOnClient::Cs);
  Write(settings::kCsSignOn, 1);
  ScreenName(SignOnClient::Cs, 1, "Bob");
  cs_->LaunchCS2000();
  ASSERT_TRUE(recorder_.WaitForLines(1));
  Write(settings::kCsSignOn, 0);
  cs_->LaunchCS2000();
  ASSERT_TRUE(recorder_.WaitForLines(2));
  EXPECT_EQ(recorder_.Lines(), (V{"-nBob", ""}));
  EXPECT_TRUE(boxes_.empty());
}

// With "Sign On" 1 the launch signs on itself only when "Use Screen Name" is
// 0 (no client runs here, so that sign-on ends in its box); any other value
// gives no name on the command line and no sign-on either.
TEST_F(LaunchTest, Cs2000SignsOnOnlyWithoutAScreenName) {
  UseRecorderAs(SignOnClient::Cs);
  Write(settings::kCsSignOn, 1);
  struct Case {
    DWORD useName;
    const char* line;
    size_t boxes;
  };
  for (const Case& c : {Case{0, "", 1}, Case{2, "", 0}, Case{1, "-nBob", 0}}) {
    SCOPED_TRACE(c.useName);
    testing_support::CommandLineRecorder recorder;
    boxes_.clear();
    ScreenName(SignOnClient::Cs, c.useName, "Bob");
    cs_->LaunchCS2000();
    ASSERT_TRUE(recorder.WaitForLines(1));
    EXPECT_EQ(recorder.Lines(), V{c.line});
    ASSERT_EQ(boxes_.size(), c.boxes);
    if (c.boxes)
      EXPECT_EQ(boxes_[0].text,
                "Tetherly! cannot sign-on to CS on behalf of you, please check your program settings");
  }
}

// Wine's shell answers 11 (".exe file is invalid") for an empty path and 2
// for a missing file. The box has no owner, the error icon, its own caption.
TEST_F(LaunchTest, FailedLaunchShowsTheShellErrorBox) {
  struct Case {
    const char* path;
    int expectedResult;
  };
  for (const Case& c : {Case{"", 11}, Case{"C:\\no\\such\\client.exe", 2}}) {
    boxes_.clear();
    store_.WriteBrowserLaunch(SignOnClient::Aol, 1, c.path);
    if (!*c.path) store_.Write(settings::kAolProgramPath, "");
    Write(settings::kAolSignOn, 1);  // a failed launch signs nothing on
    aol_->LaunchAOL();
    ASSERT_EQ(boxes_.size(), 1u) << c.path;
    EXPECT_EQ(boxes_[0].caption, "AOL Browser Error");
    EXPECT_EQ(boxes_[0].text, watch::ShellLaunchErrorFallback(c.expectedResult));
    EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes_[0].owner, nullptr);
  }
  boxes_.clear();
  store_.WriteBrowserLaunch(SignOnClient::Cs, 1, "C:\\no\\such\\cs2000.exe");
  cs_->LaunchCS2000();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "CS Browser Error");
  EXPECT_EQ(boxes_[0].text, "The specified file was not found.");
  EXPECT_TRUE(recorder_.Lines().empty());
}

// A launch asked for before Exit but reached after it starts nothing (here a
// start would show the shell's error box at once).
TEST_F(LaunchTest, NothingStartsAfterExit) {
  store_.WriteBrowserLaunch(SignOnClient::Aol, 1, "C:\\no\\such\\client.exe");
  store_.WriteBrowserLaunch(SignOnClient::Cs, 1, "C:\\no\\such\\cs2000.exe");
  waits_.End();
  aol_->LaunchAOL();
  cs_->LaunchCS2000();
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(LaunchTest, DefaultBrowser) {
  aol_->LaunchDefaultBrowser("http://127.0.0.1/page");
  ASSERT_TRUE(recorder_.WaitForLines(1));
  aol_->LaunchDefaultBrowser("");  // the blank page beside the program
  ASSERT_TRUE(recorder_.WaitForLines(2));
  EXPECT_EQ(recorder_.Lines(), (V{"http://127.0.0.1/page", BesideThisProgram("blank.htm")}));
  EXPECT_TRUE(boxes_.empty());

  aol_->LaunchDefaultBrowser("tetherlynone://page");  // no handler: 31
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "Default browser cannot be found. Please launch your browser and set the URL to "
            "tetherlynone://page");
}

// Every shell-launch error text of the string table, trailing blanks and the
// registered sign kept, and the text for results the shell does not document.
TEST_F(LaunchTest, ShellErrorTextsComeFromTheStringTable) {
  for (INT_PTR result : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32, 1, 4, 33, -1}) {
    char buf[512] = {};
    const int id = watch::ShellLaunchErrorStringId(result);
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof(buf)), 0) << result;
    EXPECT_EQ(std::string(buf), watch::ShellLaunchErrorFallback(result)) << result;
    EXPECT_EQ(watch::ShellLaunchErrorText(result), watch::ShellLaunchErrorFallback(result));
  }
  EXPECT_EQ(watch::ShellLaunchErrorText(5).back(), ' ');
  EXPECT_EQ(watch::ShellLaunchErrorText(11).find("Win32\xAE"), 30u);
}

}  // namespace

// Launching the clients and the outside browser. "Program Path" and the
// browser handlers point at the command-line recorder.
#include "watcher_fixture.h"

#include <algorithm>
#include <functional>

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
    if (c.boxes) {
      EXPECT_EQ(boxes_[0].text,
                "Tetherly! cannot sign-on to CS on behalf of you, please check your program settings");
    }
  }
}

// An empty path and a missing file fail alike, as a missing file (the shell
// is not asked about an empty one). The box has no owner, the error icon,
// its own caption.
TEST_F(LaunchTest, FailedLaunchShowsTheShellErrorBox) {
  struct Case {
    const char* path;
    int expectedResult;
  };
  for (const Case& c : {Case{"", 2}, Case{"C:\\no\\such\\client.exe", 2}}) {
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

// Copies of the recorder in a folder of their own under %TEMP%, wherever a
// launch might start one; all removed afterwards.
class LaunchTree {
 public:
  LaunchTree() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    root_ = std::string(temp) + "launch-" + std::to_string(GetCurrentProcessId()) + "\\";
    Folder("");
  }
  ~LaunchTree() {
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) DeleteFileA(it->c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryA(it->c_str());
  }
  const std::string& root() const { return root_; }
  std::string Folder(const std::string& relative) {
    const std::string path = root_ + relative;
    if (CreateDirectoryA(path.c_str(), nullptr)) folders_.push_back(path);
    return path;
  }
  // A recorder at `relative` (its folder made first); its full path.
  std::string Recorder(const std::string& relative) {
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) Folder(relative.substr(0, slash));
    const std::string path = root_ + relative;
    if (CopyFileA(testing_support::CommandLineRecorder::ExePath().c_str(), path.c_str(), FALSE))
      files_.push_back(path);
    return path;
  }

 private:
  std::string root_;
  std::vector<std::string> files_, folders_;
};

struct PathCase {
  const char* name;
  std::function<std::string(LaunchTree&)> path;  // makes what it needs, gives the "Program Path"
  bool starts;  // exactly that file starts; else nothing does and the box says the file is missing
};

// Only an absolute path of an existing file that fits MAX_PATH is handed to
// the shell, and it starts that file and no other, with the parameters as
// built. Anything else starts nothing and fails as a missing file. Each
// refusal is followed by a start of a known copy, so that a start that
// should not have happened would show in the log before it.
TEST_F(LaunchTest, AClientLaunchStartsTheChosenFileOrNothing) {
  const PathCase cases[] = {
      {"an absolute path with a blank", [](LaunchTree& t) {
         t.Recorder("hostile.exe");  // what "C:\...\hostile" + " dir\client.exe" would start
         return t.Recorder("hostile dir\\client.exe");
       }, true},
      {"1000 characters", [](LaunchTree&) { return "C:\\" + std::string(1000, 'a') + ".exe"; }, false},
      {"260 characters", [](LaunchTree& t) {
         return t.root() + std::string(260 - t.root().size() - 4, 'b') + ".exe";
       }, false},
      {"a folder", [](LaunchTree& t) { return t.Folder("hostile dir"); }, false},
      {"a relative path with a copy in the current folder", [](LaunchTree& t) {
         t.Recorder("current\\client.exe");
         SetCurrentDirectoryA((t.root() + "current").c_str());
         return std::string("client.exe");
       }, false},
      {"a missing file", [](LaunchTree& t) { return t.root() + "missing\\client.exe"; }, false},
      {"a quoted path", [](LaunchTree& t) { return "\"" + t.Recorder("hostile dir\\client.exe") + "\""; }, false},
      {"a path made of an environment variable", [](LaunchTree& t) {
         t.Recorder("hostile dir\\client.exe");
         SetEnvironmentVariableA("TETHERLY_LAUNCH_DIR", (t.root() + "hostile dir").c_str());
         return std::string("%TETHERLY_LAUNCH_DIR%\\client.exe");
       }, false},
      {"a variable the shell would expand to another file", [](LaunchTree& t) {
         t.Recorder("other\\client.exe");
         SetEnvironmentVariableA("TETHERLY_LAUNCH_SUB", "other");
         return t.Recorder("%TETHERLY_LAUNCH_SUB%\\client.exe");
       }, false},
  };
  struct Client {
    SignOnClient client;
    const char* caption;
    std::string arguments;
  };
  const Client clients[] = {{SignOnClient::Aol, "AOL Browser Error", "-nAnn -u\"\""},
                            {SignOnClient::Cs, "CS Browser Error", "-nAnn"}};
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(previous), previous);
  LaunchTree tree;
  const std::string known = tree.Recorder("known\\client.exe");
  Write(settings::kAolSignOn, 1);
  Write(settings::kCsSignOn, 1);
  ScreenName(SignOnClient::Aol, 1, "Ann");
  ScreenName(SignOnClient::Cs, 1, "Ann");
  for (const Client& client : clients) {
    auto launch = [&] { client.client == SignOnClient::Aol ? aol_->LaunchAOL() : cs_->LaunchCS2000(); };
    for (const PathCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", " + client.caption);
      testing_support::CommandLineRecorder recorder;
      boxes_.clear();
      const std::string path = c.path(tree);
      ASSERT_TRUE(store_.WriteBrowserLaunch(client.client, 1, path));
      launch();
      SetCurrentDirectoryA(previous);
      if (c.starts) {
        ASSERT_TRUE(recorder.WaitForLines(1));
        const auto starts = recorder.Starts();
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].program, path);
        EXPECT_EQ(starts[0].arguments, client.arguments);
        EXPECT_TRUE(boxes_.empty()) << boxes_[0].text;
        continue;
      }
      ASSERT_EQ(boxes_.size(), 1u);
      EXPECT_EQ(boxes_[0].text, "The specified file was not found.");
      EXPECT_EQ(boxes_[0].caption, client.caption);
      EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
      ASSERT_TRUE(store_.WriteBrowserLaunch(client.client, 1, known));
      launch();
      ASSERT_TRUE(recorder.WaitForLines(1));
      const auto starts = recorder.Starts();
      ASSERT_EQ(starts.size(), 1u);
      EXPECT_EQ(starts[0].program, known) << "nothing but the known copy started";
    }
  }
  SetEnvironmentVariableA("TETHERLY_LAUNCH_DIR", nullptr);
  SetEnvironmentVariableA("TETHERLY_LAUNCH_SUB", nullptr);
}

struct ArgumentCase {
  const char* name;
  SignOnClient client;
  std::string screenName;
  DWORD useSite;
  std::string site;
  std::string external;  // the outside browser's site, "" for none
  std::string arguments;  // what the client gets
  std::vector<std::string> trace;
  bool signsOn;  // with neither name nor page the launcher signs on itself (its box here)
};

// A screen name or site that would change the command line around it (a
// double quote, a control character) comes from the registry only: it is
// not passed at all, and the trace says why.
TEST_F(LaunchTest, NamesAndSitesThatWouldBreakTheCommandLineAreNotPassed) {
  const std::string name = "AOL screen name not passed to the client: it holds a double quote or a control character";
  const std::string site = "AOL site not passed to the client: it holds a double quote or a control character";
  const std::string cs = "CS2000 screen name not passed to the client: it holds a double quote or a control character";
  const std::string browser = "Outside browser site not opened: it holds a double quote or a control character";
  const ArgumentCase cases[] = {
      {"a quoted screen name", SignOnClient::Aol, "Me -u\"http://x\"", 1, "aol://1722:News", "",
       "-u\"aol://1722:News\"", {name}, false},
      {"a quoted site", SignOnClient::Aol, "Ann", 1, "http://127.0.0.3/\" -nEvil -u\"x", "", "-nAnn -u\"\"", {site},
       false},
      {"a screen name with a line feed, no site", SignOnClient::Aol, "Ann\n-nEve", 0, "", "", "", {name}, true},
      {"a quoted outside site", SignOnClient::Aol, "Ann", 0, "", "http://127.0.0.1/\" --evil", "-nAnn -u\"\"",
       {browser}, false},
      {"a quoted CS2000 screen name", SignOnClient::Cs, "Bob\" -nEve", 0, "", "", "", {cs}, true},
      {"what is plain passes as it is", SignOnClient::Aol, "Ann Lee", 1, "aol://1722:Personal Finance", "",
       "-nAnn Lee -u\"aol://1722:Personal Finance\"", {}, false},
  };
  for (const ArgumentCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::CommandLineRecorder recorder;
    testing_support::TraceRecorder::Clear();
    boxes_.clear();
    UseRecorderAs(c.client);
    Write(c.client == SignOnClient::Aol ? settings::kAolSignOn : settings::kCsSignOn, 1);
    ScreenName(c.client, 1, c.screenName);
    store_.WriteSiteList(SiteList::AolSites, c.useSite, c.site, {c.site});
    store_.WriteSiteList(SiteList::ExtBrowserSites, c.external.empty() ? 0 : 1, c.external, {c.external});
    c.client == SignOnClient::Aol ? aol_->LaunchAOL() : cs_->LaunchCS2000();
    ASSERT_TRUE(recorder.WaitForLines(1));
    const auto starts = recorder.Starts();
    ASSERT_EQ(starts.size(), 1u) << "only the client starts";
    EXPECT_EQ(starts[0].program, testing_support::CommandLineRecorder::ExePath());
    EXPECT_EQ(starts[0].arguments, c.arguments);
    EXPECT_EQ(Trace(), c.trace);
    ASSERT_EQ(boxes_.size(), c.signsOn ? 1u : 0u);
    if (c.signsOn) {
      EXPECT_EQ(boxes_[0].caption, "Tetherly!");
    }
  }
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

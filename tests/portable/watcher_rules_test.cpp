#include <gtest/gtest.h>

#include <string>

#include "res/resource_watchers.h"
#include "watchers/LaunchParameters.h"
#include "watchers/MatchRules.h"
#include "watchers/ScanPeriod.h"
#include "watchers/ShellLaunchError.h"

namespace {

using namespace watch;

struct MatchCase {
  const char* text;
  const char* literal;
  bool exact, anyCase, prefix, contains;
};

// The four rules side by side: prefix over the literal's length, "ok" any
// case against exact, an empty configured text.
TEST(MatchRules, Table) {
  const MatchCase cases[] = {
      {"OK", "OK", true, true, true, true},
      {"ok", "OK", false, true, false, false},
      {"Ok ", "OK", false, false, false, false},
      {"OK", "OK ", false, false, false, false},
      {"Yes, stay online", "Yes", false, false, true, true},
      {"Press Yes", "Yes", false, false, false, true},
      {"You have", "You have been", false, false, false, false},
      {"You have been idle", "You have been", false, false, true, true},
      {"", "", true, true, true, false},
      {"Sign On", "", false, false, true, false},
      {"Sign", "Sign On", false, false, false, false},
      {"WELCOME,", "Welcome,", false, true, false, false},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.literal);
    EXPECT_EQ(MatchExact(c.text, c.literal), c.exact);
    EXPECT_EQ(MatchExactAnyCase(c.text, c.literal), c.anyCase);
    EXPECT_EQ(MatchPrefix(c.text, c.literal), c.prefix);
    EXPECT_EQ(MatchContains(c.text, c.literal), c.contains);
  }
}

// Reads keep size - 1 characters: a caption re-read into 16 bytes keeps 15,
// so "Yes" and "OK" never match a caption of 16 characters or more.
TEST(MatchRules, CaptionRecheckKeepsFifteenCharacters) {
  EXPECT_EQ(CutToBuffer("Yes", kCaptionBuffer), "Yes");
  EXPECT_EQ(CutToBuffer("0123456789abcdefXYZ", kCaptionBuffer), "0123456789abcde");
  EXPECT_EQ(CutToBuffer("OK              ", kCaptionBuffer), "OK             ");
  EXPECT_FALSE(MatchExactAnyCase(CutToBuffer("OK              ", kCaptionBuffer), "OK"));
  EXPECT_EQ(CutToBuffer("abc", 0), "");
  EXPECT_EQ(CutToBuffer("abc", 1), "");
}

TEST(MatchRules, PromptsAndRefusals) {
  EXPECT_TRUE(IsModalPrompt("You have been idle for 45 minutes."));
  EXPECT_TRUE(IsOnlinePrompt("You have been online for 2 hours."));
  EXPECT_FALSE(IsOnlinePrompt("you have been online"));
  EXPECT_FALSE(IsModalPrompt("Have you been idle?"));

  struct Refusal {
    const char* text;
    const char* cls;
    bool aol, cs;
  };
  const Refusal cases[] = {
      {"No Thanks", "_AOL_Button", true, true},
      {"no thanks", "_AOL_Icon", true, true},  // "no" covers it for CompuServe too
      {"NO", "_AOL_Icon", true, true},
      {"Not now", "_AOL_Button", true, true},
      {"nO", "_AOL_Button", false, false},
      {"No", "Button", false, false},
      {"No", "_AOL_Static", false, false},
      {"Maybe", "_AOL_Icon", false, false},
      {"", "_AOL_Icon", false, false},
  };
  for (const Refusal& r : cases) {
    EXPECT_EQ(IsRefusalButton(RefusalList::Aol, r.text, r.cls), r.aol) << r.text << " " << r.cls;
    EXPECT_EQ(IsRefusalButton(RefusalList::Cs2000, r.text, r.cls), r.cs) << r.text << " " << r.cls;
  }
}

TEST(ShellLaunchError, EveryResultHasItsText) {
  struct Known {
    int result;
    const char* text;
  };
  const Known known[] = {
      {0, "The operating system is out of memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied access to the specified file. "},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .exe file is invalid (non-Win32\xAE .exe or error in .exe image)."},
      {26, "A sharing violation occurred."},
      {27, "The file name association is incomplete or invalid."},
      {28, "The DDE transaction could not be completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30, "The DDE transaction could not be completed because other DDE transactions were "
           "being processed."},
      {31, "There is no application associated with the given file name extension. This "
           "error will also be returned if you attempt to print a file that is not printable."},
      {32, "The specified dynamic-link library was not found. "},
  };
  for (const Known& k : known) {
    EXPECT_STREQ(ShellLaunchErrorFallback(k.result), k.text);
    EXPECT_EQ(ShellLaunchErrorStringId(k.result), IDS_SHELL_ERROR_BASE + k.result);
    EXPECT_TRUE(ShellLaunchFailed(k.result));
  }
  for (int other : {1, 4, 6, 9, 10, 12, 25, -1}) {
    EXPECT_STREQ(ShellLaunchErrorFallback(other), "Shell error not defined.") << other;
    EXPECT_EQ(ShellLaunchErrorStringId(other), IDS_SHELL_ERROR_UNDEFINED) << other;
  }
  EXPECT_FALSE(ShellLaunchFailed(33));
}

struct AolParams {
  bool signOn, useName, useSite;
  const char* expected;
  bool press;
};

TEST(LaunchParameters, AolEdgeCases) {
  const AolParams cases[] = {
      {true, true, false, "-nAnn -u\"\"", false},
      {true, true, true, "-nAnn -u\"aol://1722:News\"", false},
      {true, false, true, "-u\"aol://1722:News\"", false},
      {true, false, false, "", true},
      {false, true, true, "", false},
  };
  for (const AolParams& c : cases) {
    AolLaunchOptions o{c.signOn, c.useName, "Ann", c.useSite, "aol://1722:News"};
    EXPECT_EQ(BuildAolParameters(o), c.expected);
    EXPECT_EQ(AolSignOnNeedsPress(o), c.press) << c.expected;
  }
  // An empty name still gives "-n", with nothing after it.
  EXPECT_EQ(BuildAolParameters({true, true, "", false, ""}), "-n -u\"\"");
}

// What the launchers hand to the shell as a program path, by its text alone
// (that the file exists is the launcher's own check).
TEST(LaunchParameters, OnlyAnAbsolutePathThatFitsMaxPathIsStarted) {
  struct Case {
    std::string path;
    bool acceptable;
  };
  const std::string longest = "C:\\" + std::string(252, 'a') + ".exe";  // 259 characters
  const Case cases[] = {
      {"C:\\Program Files\\AOL\\aol.exe", true},
      {"\\\\server\\share\\aol.exe", true},
      {longest, true},
      {longest.substr(0, 3) + "b" + longest.substr(3), false},  // 260
      {"C:\\" + std::string(1000, 'a') + ".exe", false},
      {"", false},
      {"aol.exe", false},
      {"\\AOL\\aol.exe", false},     // the current drive's root
      {"C:aol.exe", false},           // the current folder of drive C
      {"%ProgramFiles%\\AOL\\aol.exe", false},
      {"\"C:\\AOL\\aol.exe\"", false},
      {"C:\\AOL\\aol.exe\" -nEve", false},
      {"C:\\AOL\\", false},           // a folder
      {std::string("C:\\AOL\\aol.exe\0x", 16), false},
      {"C:\\AOL\\*.exe", false},
      {"C:\\AOL\\aol.exe:stream", false},
      {"\\\\?\\C:\\AOL\\aol.exe", false},
      {"\\\\.\\C:\\AOL\\aol.exe", false},
      {"\\\\server\\aol.exe", false},  // no share
  };
  ASSERT_EQ(longest.size(), 259u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.size() > 80 ? std::to_string(c.path.size()) + " characters" : c.path);
    EXPECT_EQ(LaunchPathAcceptable(c.path), c.acceptable);
  }
}

// A screen name or site goes onto a command line only when it cannot end the
// quoting around it or the line.
TEST(LaunchParameters, ScreenNamesAndSitesWithQuotesOrControlsAreNotPassed) {
  struct Case {
    std::string text;
    bool passable;
  };
  const Case cases[] = {
      {"Ann", true},
      {"Ann Lee", true},
      {"", true},
      {"aol://1722:Personal Finance", true},
      {"Me -u\"http://x\"", false},
      {"http://127.0.0.3/\" -nEvil -u\"x", false},
      {"Ann\n-nEve", false},
      {std::string("An\0n", 4), false},
      {"Ann\x7F", false},
      {"Ann\x1B[2J", false},
  };
  for (const Case& c : cases) EXPECT_EQ(PassableArgument(c.text), c.passable) << c.text;
  EXPECT_EQ(NotPassedTrace("AOL screen name"),
            "AOL screen name not passed to the client: it holds a double quote or a control character");
}

TEST(LaunchParameters, Cs2000OnlyTheName) {
  EXPECT_EQ(BuildCs2000Parameters(true, true, "Bob"), "-nBob");
  EXPECT_EQ(BuildCs2000Parameters(true, false, "Bob"), "");
  EXPECT_EQ(BuildCs2000Parameters(false, true, "Bob"), "");
}

// A stored 0 would make a 0 ms timer; a huge value would overflow the
// milliseconds. Both are clamped to 1 to 300 seconds.
TEST(ScanPeriod, ClampedToOneToThreeHundredSeconds) {
  EXPECT_EQ(ScanPeriodMs(0), 1000u);
  EXPECT_EQ(ScanPeriodMs(1), 1000u);
  EXPECT_EQ(ScanPeriodMs(45), 45000u);
  EXPECT_EQ(ScanPeriodMs(300), 300000u);
  EXPECT_EQ(ScanPeriodMs(301), 300000u);
  EXPECT_EQ(ScanPeriodMs(4294968u), 300000u);
  EXPECT_EQ(ScanPeriodMs(0xFFFFFFFFu), 300000u);
}

}  // namespace

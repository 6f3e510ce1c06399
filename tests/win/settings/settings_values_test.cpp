#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <map>
#include <string>
#include <utility>

#include "RawRegistry.h"
#include "settings/SettingsStore.h"
#include "support/ReadOnlyKey.h"
#include "support/RegistrySandbox.h"
#include "win/RegKey.h"

using namespace settings;

namespace {

class SettingsValues : public ::testing::Test {
 protected:
  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
};

// The defaults a reader must see on a machine where nothing was ever saved;
// every DWORD not listed here reads as 0.
const std::map<std::pair<std::string, std::string>, DWORD> kNonZeroDefaults = {
    {{kKeySettings, "Connection"}, 1},
    {{kKeySettings, "Splash Screen"}, 1},
    {{kKeyServices, "HTTP"}, 1},
    {{kKeyServices, "Service Type"}, 0xFFFFFFFFu},
    {{kKeyAccessMethod, "Type"}, 1},
    {{kKeyInterval, "Option"}, 1},
    {{kKeyInterval, "Random Start"}, 30},
    {{kKeyInterval, "Random End"}, 90},
    {{kKeyInterval, "Fixed"}, 60},
    {{kKeyModemDialer, "Prompt To Dial"}, 1},
    {{kKeyModemDialer, "Prompt To Disconnect"}, 1},
    {{kKeyModemDialer, "Prev RAS Handle"}, 0xFFFFFFFFu},
    {{kKeyAolOptions, "Scan Interval"}, 1},
    {{kKeyMsnPop3, "Timer Interval"}, 10},
};

TEST_F(SettingsValues, EmptyRegistryGivesTheDefaultOfEveryDwordAndCreatesNothing) {
  for (const DwordSetting& s : kAllDwordSettings) {
    auto it = kNonZeroDefaults.find({s.key, s.name});
    const DWORD expected = it == kNonZeroDefaults.end() ? 0 : it->second;
    EXPECT_EQ(store_.Read(s), expected) << s.key << " / " << s.name;
  }
  EXPECT_FALSE(raw::KeyExists(kKeyRoot)) << "a read created a key";
}

TEST_F(SettingsValues, WrongSizedDwordCountsAsMissing) {
  raw::PutText(kKeySettings, "Connection", "3");
  EXPECT_EQ(store_.Read(kConnection), 1u);
}

// "Sign On" and "Tray Dial" report whether the value was there.
TEST_F(SettingsValues, FlagReadsLeaveTheOutputAloneWhenMissing) {
  const DwordSetting* flags[] = {&kAolSignOn, &kCsSignOn, &kNetZeroTrayDial};
  for (const DwordSetting* flag : flags) {
    DWORD out = 77;
    EXPECT_FALSE(store_.ReadFlag(*flag, out)) << flag->key;
    EXPECT_EQ(out, 77u);
    ASSERT_TRUE(store_.Write(*flag, 1));
    EXPECT_TRUE(store_.ReadFlag(*flag, out));
    EXPECT_EQ(out, 1u);
  }
}

TEST_F(SettingsValues, StringReadsGiveTheReaderDefaultOrLeaveTheOutput) {
  struct Case {
    const StringSetting* setting;
    const char* expected;
  } cases[] = {
      {&kAolTimerTitle, "America Online"},
      {&kCsTimerTitle, "CompuServe 2000"},
      {&kAolChildBuddyTitle, "Buddy List"},
      {&kAolChildChannelTitle, "AOL Channels"},
      {&kAolChildHotlineTitle, "AOL Hotline"},
      {&kAolChildSearchTitle, " AOL PLUS"},
      {&kAolChildSearchTitleForCloser, "AOL PLUS"},
      {&kCsChildOneTitle, "Contacts"},
      {&kCsChildFourTitle, "No Window Specified"},
      {&kModemProfile, ""},
      {&kNetZeroVersion, ""},
      {&kAolSignOnTitle, ""},
  };
  for (const Case& c : cases) {
    std::string out = "caller's";
    EXPECT_FALSE(store_.Read(*c.setting, out)) << c.setting->name;
    EXPECT_EQ(out, c.expected) << c.setting->name;
  }
  const StringSetting noDefault{kKeySettings, "Nothing Here", nullptr};
  std::string out = "caller's";
  EXPECT_FALSE(store_.Read(noDefault, out));
  EXPECT_EQ(out, "caller's");
}

TEST_F(SettingsValues, StringsAreStoredWithTheirCharacterCountAndBothFormsRead) {
  ASSERT_TRUE(store_.Write(kAolTimerTitle, "AOL Timer"));
  raw::Value v = raw::Get(kKeyAolOptions, "Timer Title");
  ASSERT_TRUE(v.present);
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.Text(), "AOL Timer");
  std::string out;
  EXPECT_TRUE(store_.Read(kAolTimerTitle, out));
  EXPECT_EQ(out, "AOL Timer");

  raw::PutText(kKeyAolOptions, "Timer Title", std::string("Terminated\0", 11));
  EXPECT_TRUE(store_.Read(kAolTimerTitle, out));
  EXPECT_EQ(out, "Terminated");

  ASSERT_TRUE(store_.Write(kModemProfile, ""));
  out = "x";
  EXPECT_TRUE(store_.Read(kModemProfile, out));
  EXPECT_EQ(out, "");
}

// The read buffer holds 254 characters and a terminator; nothing longer may
// be stored, and a longer stored value counts as missing.
TEST_F(SettingsValues, OverlongTextsAreRefusedAndNeverReadPastTheBuffer) {
  const std::string longest(254, 'a');
  ASSERT_TRUE(store_.Write(kAolSignOnTitle, longest));
  std::string out;
  EXPECT_TRUE(store_.Read(kAolSignOnTitle, out));
  EXPECT_EQ(out, longest);

  for (std::size_t length : {255u, 256u, 1024u, 5000u}) {
    EXPECT_FALSE(store_.Write(kAolSignOnTitle, std::string(length, 'b'))) << length;
    EXPECT_TRUE(store_.Read(kAolSignOnTitle, out));
    EXPECT_EQ(out, longest) << "refused write changed the stored text";
  }

  // Stored without terminator, 254 characters still fit; 255 do not.
  raw::PutUnterminated(kKeyAolOptions, "Timer Title", std::string(254, 'u'));
  EXPECT_TRUE(store_.Read(kAolTimerTitle, out));
  EXPECT_EQ(out, std::string(254, 'u'));
  raw::PutUnterminated(kKeyAolOptions, "Timer Title", std::string(255, 'u'));
  EXPECT_FALSE(store_.Read(kAolTimerTitle, out));
  raw::PutText(kKeyAolOptions, "Timer Title", std::string(255, 'c'));
  EXPECT_FALSE(store_.Read(kAolTimerTitle, out));
  EXPECT_EQ(out, "America Online");
  raw::PutText(kKeyAolOptions, "Timer Title", std::string(4000, 'c'));
  EXPECT_FALSE(store_.Read(kAolTimerTitle, out));
  EXPECT_EQ(out, "America Online");
}

TEST_F(SettingsValues, ServiceFlagsGroupRead) {
  DWORD flags[6] = {9, 9, 9, 9, 9, 9};
  EXPECT_FALSE(store_.ReadServiceFlags(flags));
  for (DWORD f : flags) EXPECT_EQ(f, 9u) << "outputs must stay as the caller set them";

  raw::PutDword(kKeyServices, "Echo", 1);
  raw::PutDword(kKeyServices, "HTTP", 0);
  ASSERT_TRUE(store_.ReadServiceFlags(flags));
  const DWORD expected[6] = {0, 0, 1, 0, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(flags[i], expected[i]) << i;

  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kKeyServices, "HTTP");
  ASSERT_TRUE(store_.ReadServiceFlags(flags));
  EXPECT_EQ(flags[0], 1u) << "a missing HTTP flag is on";

  const DWORD written[6] = {0, 1, 0, 1, 0, 1};
  ASSERT_TRUE(store_.WriteServiceFlags(written));
  ASSERT_TRUE(store_.ReadServiceFlags(flags));
  EXPECT_TRUE(std::equal(flags, flags + 6, written));
  EXPECT_EQ(raw::ValueNames(kKeyServices),
            (std::set<std::string>{"HTTP", "FTP", "Echo", "Discard", "Time Server", "User Port"}));
}

TEST_F(SettingsValues, IntervalNumbersStopAtTheFirstMissingOne) {
  DWORD start = 1, end = 1, fixed = 1;
  EXPECT_FALSE(store_.ReadIntervalNumbers(start, end, fixed));
  EXPECT_EQ(start, 30u);
  EXPECT_EQ(end, 90u);
  EXPECT_EQ(fixed, 60u);

  raw::PutDword(kKeyInterval, "Random Start", 45);
  raw::PutDword(kKeyInterval, "Fixed", 600);  // not reached: "Random End" is missing
  EXPECT_FALSE(store_.ReadIntervalNumbers(start, end, fixed));
  EXPECT_EQ(start, 45u);
  EXPECT_EQ(end, 90u);
  EXPECT_EQ(fixed, 60u);

  ASSERT_TRUE(store_.WriteIntervalNumbers(10, 20, 300));
  EXPECT_TRUE(store_.ReadIntervalNumbers(start, end, fixed));
  EXPECT_EQ(start, 10u);
  EXPECT_EQ(end, 20u);
  EXPECT_EQ(fixed, 300u);
}

TEST_F(SettingsValues, TraceRectRoundTripsNegativeEdgesAndFailsOnAnyMissing) {
  LONG l = 5, t = 5, r = 5, b = 5;
  EXPECT_FALSE(store_.ReadTraceRect(l, t, r, b));
  ASSERT_TRUE(store_.WriteTraceRect(-1280, -20, 300, 400));
  EXPECT_TRUE(store_.ReadTraceRect(l, t, r, b));
  EXPECT_EQ(l, -1280);
  EXPECT_EQ(t, -20);
  EXPECT_EQ(r, 300);
  EXPECT_EQ(b, 400);

  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kKeyTraceMessage, "bottom");
  LONG l2 = 7, t2 = 7, r2 = 7, b2 = 7;
  EXPECT_FALSE(store_.ReadTraceRect(l2, t2, r2, b2));
  EXPECT_EQ(l2, 7);
}

TEST_F(SettingsValues, ProfileCredentialsNeedBothValues) {
  const std::string path = std::string(kKeyModemDialer) + "\\My ISP";
  std::string login = "-", password = "-";
  EXPECT_FALSE(store_.ReadProfileCredentials("My ISP", login, password));

  raw::PutText(path.c_str(), "Login", "joe");
  EXPECT_FALSE(store_.ReadProfileCredentials("My ISP", login, password));
  EXPECT_EQ(login, "-");

  ASSERT_TRUE(store_.WriteProfileCredentials("My ISP", "jane", "s3cret"));
  EXPECT_TRUE(store_.ReadProfileCredentials("My ISP", login, password));
  EXPECT_EQ(login, "jane");
  EXPECT_EQ(password, "s3cret");
  EXPECT_EQ(raw::Get(path.c_str(), "Password").Text(), "s3cret");

  // 255 characters fit the 256-byte read buffer; more are refused.
  const std::string longest(255, 'p');
  ASSERT_TRUE(store_.WriteProfileCredentials("My ISP", "jane", longest));
  EXPECT_TRUE(store_.ReadProfileCredentials("My ISP", login, password));
  EXPECT_EQ(password, longest);
  EXPECT_FALSE(store_.WriteProfileCredentials("My ISP", "jane", std::string(256, 'p')));
  EXPECT_EQ(raw::Get(path.c_str(), "Password").Text(), longest);
}

TEST_F(SettingsValues, EmptyProfileNameNamesNoProfile) {
  EXPECT_FALSE(store_.WriteProfileCredentials("", "jane", "pw"));
  EXPECT_FALSE(raw::Get(kKeyModemDialer, "Login").present);
  raw::PutText(kKeyModemDialer, "Login", "x");
  raw::PutText(kKeyModemDialer, "Password", "y");
  std::string login, password;
  EXPECT_FALSE(store_.ReadProfileCredentials("", login, password));
}

TEST_F(SettingsValues, ServiceTypeIsBoundedAndSeedsWhenServicesIsMissing) {
  EXPECT_EQ(store_.ReadServiceType(), -1);
  EXPECT_EQ(store_.Read(kHostsAdded), 1u) << "the missing Services key triggers seeding";
  EXPECT_EQ(raw::ValueNames((std::string(kKeyServices) + "\\HTTP").c_str()).size(), 26u);

  struct Case {
    DWORD stored;
    int expected;
  } cases[] = {{0, 0}, {5, 5}, {0xFFFFFFFFu, -1}, {6, -1}, {1000, -1}};
  for (const Case& c : cases) {
    ASSERT_TRUE(store_.Write(kServiceType, c.stored));
    EXPECT_EQ(store_.ReadServiceType(), c.expected) << c.stored;
  }
}

TEST_F(SettingsValues, ServiceTypeMissingInAnExistingKeyDoesNotSeed) {
  raw::PutDword(kKeyServices, "HTTP", 1);
  EXPECT_EQ(store_.ReadServiceType(), -1);
  EXPECT_FALSE(raw::KeyExists((std::string(kKeyServices) + "\\HTTP").c_str()));
}

TEST_F(SettingsValues, RunEntryHoldsTheExecutablePathAndIsDeleted) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof(exe));

  ASSERT_TRUE(store_.WriteRunEntry(true));
  raw::Value v = raw::Get(kKeyRun, "Tetherly");
  ASSERT_TRUE(v.present);
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.Text(), "\"" + std::string(exe) + "\"") << "quoted, for paths with spaces";
  std::string path;
  EXPECT_TRUE(store_.ReadRunEntry(path));
  EXPECT_EQ(path, exe);
  raw::PutText(kKeyRun, "Tetherly", exe);
  EXPECT_TRUE(store_.ReadRunEntry(path));
  EXPECT_EQ(path, exe) << "an entry written unquoted before still reads";

  EXPECT_TRUE(store_.WriteRunEntry(false));
  EXPECT_FALSE(raw::Get(kKeyRun, "Tetherly").present);
  EXPECT_FALSE(store_.ReadRunEntry(path));
  EXPECT_FALSE(store_.WriteRunEntry(false)) << "deleting a missing entry reports failure";
}

TEST_F(SettingsValues, Pop3TextsUseTheThreeSpacePlaceholder) {
  std::string text = "x";
  EXPECT_FALSE(store_.ReadPop3ServerName(text));
  EXPECT_EQ(text, "");

  ASSERT_TRUE(store_.WritePop3ServerName(""));
  EXPECT_EQ(raw::Get(kKeyMsnPop3, "Server Name").Text(), "   ");
  text = "x";
  EXPECT_TRUE(store_.ReadPop3ServerName(text));
  EXPECT_EQ(text, "");

  ASSERT_TRUE(store_.WritePop3Login(""));
  EXPECT_EQ(raw::Get(kKeyMsnPop3, "Login").Text(), "") << "login is stored as given";
  ASSERT_TRUE(store_.WritePop3Password("   "));
  text = "x";
  EXPECT_TRUE(store_.ReadPop3Password(text));
  EXPECT_EQ(text, "");

  ASSERT_TRUE(store_.WritePop3Password("    "));  // only exactly three spaces stand for nothing
  EXPECT_TRUE(store_.ReadPop3Password(text));
  EXPECT_EQ(text, "    ");

  ASSERT_TRUE(store_.WritePop3ServerName("pop3.example.net"));
  EXPECT_TRUE(store_.ReadPop3ServerName(text));
  EXPECT_EQ(text, "pop3.example.net");
  ASSERT_TRUE(store_.WritePop3Login(" user "));
  EXPECT_TRUE(store_.ReadPop3Login(text));
  EXPECT_EQ(text, " user ");
}

TEST_F(SettingsValues, Pop3IntervalReadsTenForZeroAndThePageStoresOnlyOneToSixty) {
  EXPECT_EQ(store_.ReadPop3Interval(), 10u);
  ASSERT_TRUE(store_.Write(kPop3TimerInterval, 0));
  EXPECT_EQ(store_.ReadPop3Interval(), 10u);
  struct Case {
    long entry;
    DWORD stored;
  } cases[] = {{0, 60}, {75, 60}, {-3, 60}, {1, 1}, {60, 60}, {25, 25}};
  for (const Case& c : cases) {
    ASSERT_TRUE(store_.WritePop3Interval(c.entry));
    EXPECT_EQ(store_.Read(kPop3TimerInterval), c.stored) << c.entry;
  }
}

// A write that fails says why (the Finish of the wizard and the start-up
// check name the reason). A machine's copy that refuses sends writes to the
// user's; only where that refuses too does a write fail.
TEST_F(SettingsValues, WritesThatNeitherCopyTakesFailWithAccessDenied) {
  ASSERT_TRUE(store_.Write(kConnection, 1));
  ASSERT_TRUE(store_.Write(kModemUseDialer, 0));  // Wine would create a missing key below
  ASSERT_TRUE(store_.WriteRunEntry(true));
  {
    testing_support::ReadOnlySettings locked;
    SetLastError(0);
    EXPECT_FALSE(store_.Write(kConnection, 3));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0);
    EXPECT_FALSE(store_.Write(kModemProfile, std::string("Home")));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(store_.CheckWritable(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(store_.Read(kConnection), 1u) << "what is stored still reads";
  }
  EXPECT_EQ(store_.CheckWritable(), 0u);
  {
    win::RegKey userRunKey;
    ASSERT_EQ(userRunKey.Create(HKEY_CURRENT_USER, kKeyRun), ERROR_SUCCESS);
    userRunKey.Close();
    testing_support::ReadOnlyKey machineRun(kKeyRun);
    testing_support::ReadOnlyKey userRun(kKeyRun, HKEY_CURRENT_USER);
    SetLastError(0);
    EXPECT_FALSE(store_.WriteRunEntry(false));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(store_.WriteRunEntry(true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  EXPECT_TRUE(store_.WriteRunEntry(false)) << "the Run keys have their rights back";
  SetLastError(0);
  EXPECT_FALSE(store_.Write(kModemProfile, std::string(255, 'x')));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << "a text that would not read back";
  EXPECT_FALSE(raw::GetIn(HKEY_CURRENT_USER, kKeyModemDialer, "Profile").present)
      << "nor is it kept in the user's copy";
}

}  // namespace

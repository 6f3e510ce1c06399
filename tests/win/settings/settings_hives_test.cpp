// The two copies of the settings. A standard user (a store whose machine
// writes are refused) saves into the user's own copy and the program reads
// it back; an administrator's later save goes to the machine's copy and
// takes the user's value away, so the machine's counts again. A list comes
// whole from one copy. A value of the wrong type counts as missing, in
// either copy.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "RawRegistry.h"
#include "settings/SettingsStore.h"
#include "support/ReadOnlyKey.h"
#include "support/RegistrySandbox.h"
#include "win/RegKey.h"

using namespace settings;

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& t : texts) joined += (joined.empty() ? "" : ",") + t;
  return joined;
}

std::string ExePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return path;
}

std::string Path(const char* key, const char* sub) { return std::string(key) + "\\" + sub; }

class SettingsHives : public ::testing::Test {
 protected:
  testing_support::RegistrySandbox sandbox_;
  SettingsStore admin_;  // the tests run as Wine's administrator
  SettingsStore user_ = SettingsStore::WithMachineReadOnly();
  const SettingsStore program_;  // what the program reads with
};

// One save of each kind (a value, a group of values, a list written anew,
// a list added to, a list with its flag, the Run entry), first by the
// standard user, then by an administrator with other data. `which` 0 writes the user's data, 1 the
// administrator's.
struct SaveCase {
  const char* name;
  std::function<bool(SettingsStore&, int which)> save;
  std::function<std::string(const SettingsStore&)> read;
  std::vector<std::pair<std::string, std::string>> values;  // key path, value name
  std::string listKey;  // a list key that is written whole, or ""
  std::string userRead, adminRead;
};

std::vector<SaveCase> SaveCases() {
  const std::string exe = ExePath();
  return {
      {"a number", [](SettingsStore& s, int w) { return s.Write(kConnection, w ? 1 : 3); },
       [](const SettingsStore& s) { return std::to_string(s.Read(kConnection)); },
       {{kKeySettings, "Connection"}}, "", "3", "1"},
      {"a text",
       [](SettingsStore& s, int w) { return s.Write(kAolTimerTitle, std::string(w ? "Admin" : "Mine")); },
       [](const SettingsStore& s) {
         std::string t;
         s.Read(kAolTimerTitle, t);
         return t;
       },
       {{kKeyAolOptions, "Timer Title"}}, "", "Mine", "Admin"},
      {"the six service flags",
       [](SettingsStore& s, int w) {
         const DWORD flags[2][6] = {{0, 1, 0, 0, 0, 1}, {1, 0, 1, 0, 0, 0}};
         return s.WriteServiceFlags(flags[w]);
       },
       [](const SettingsStore& s) {
         DWORD f[6] = {9, 9, 9, 9, 9, 9};
         s.ReadServiceFlags(f);
         std::string t;
         for (DWORD v : f) t += std::to_string(v);
         return t;
       },
       {{kKeyServices, "HTTP"}, {kKeyServices, "FTP"}, {kKeyServices, "Echo"}, {kKeyServices, "Discard"},
        {kKeyServices, "Time Server"}, {kKeyServices, "User Port"}},
       "", "010001", "101000"},
      {"a host list with its dedicated host",
       [](SettingsStore& s, int w) {
         const std::vector<std::string> list = w ? std::vector<std::string>{"a1", "a2"} : std::vector<std::string>{"u1"};
         return s.WriteHostList(2, list) && s.WriteDedicatedHost(2, list.back());
       },
       [](const SettingsStore& s) {
         std::vector<std::string> hosts;
         std::string dedicated;
         s.ReadHostList(2, hosts);
         s.ReadDedicatedHost(2, dedicated);
         return Join(hosts) + " / " + dedicated;
       },
       {{Path(kKeyServices, "Echo"), "0"}, {Path(kKeyServices, "Echo"), "Dedicated"}}, Path(kKeyServices, "Echo"),
       "u1 / u1", "a1,a2 / a2"},
      {"the seeded host lists",
       [](SettingsStore& s, int) { return s.SeedDefaultHosts(1000); },
       [](const SettingsStore& s) {
         std::vector<std::string> hosts;
         s.ReadHostList(0, hosts);
         return std::to_string(hosts.size()) + " " + std::to_string(s.Read(kHostsAdded));
       },
       {{Path(kKeyServices, "HTTP"), "24"}, {Path(kKeyServices, "User Defined"), "3"}, {kKeyServices, "Hosts Added"}},
       Path(kKeyServices, "Time Server"), "25 1", "25 1"},
      {"a screen-name list",
       [](SettingsStore& s, int w) {
         return w ? s.WriteScreenNames(SignOnClient::Cs, 1, "al", {"al", "bo"})
                  : s.WriteScreenNames(SignOnClient::Cs, 0, "me", {"me"});
       },
       [](const SettingsStore& s) {
         DWORD use = 9;
         std::string def;
         std::vector<std::string> names;
         s.ReadScreenNames(SignOnClient::Cs, use, def, names);
         return std::to_string(use) + " " + def + " " + Join(names);
       },
       {{kKeyCsOptions, "Use Screen Name"}, {kKeyCsScreenNames, "Screen Name 0"},
        {kKeyCsScreenNames, "Default Screen Name"}},
       kKeyCsScreenNames, "0 me me", "1 al al,bo"},
      {"the start-with-Windows entry", [](SettingsStore& s, int) { return s.WriteRunEntry(true); },
       [](const SettingsStore& s) {
         std::string path;
         return s.ReadRunEntry(path) ? path : std::string("none");
       },
       {{kKeyRun, "Tetherly"}}, "", exe, exe},
  };
}

TEST_F(SettingsHives, AUsersSaveReadsBackAndAnAdministratorsLaterSaveWins) {
  for (const SaveCase& c : SaveCases()) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    SetLastError(0);
    ASSERT_TRUE(c.save(user_, 0)) << GetLastError();
    for (const auto& [key, name] : c.values) {
      EXPECT_TRUE(raw::GetIn(kUser, key.c_str(), name.c_str()).present) << key << "\\" << name << " in the user's copy";
      EXPECT_FALSE(raw::GetIn(kMachine, key.c_str(), name.c_str()).present) << key << "\\" << name;
    }
    EXPECT_EQ(c.read(program_), c.userRead);
    EXPECT_EQ(c.read(user_), c.userRead);

    ASSERT_TRUE(c.save(admin_, 1)) << GetLastError();
    for (const auto& [key, name] : c.values) {
      EXPECT_TRUE(raw::GetIn(kMachine, key.c_str(), name.c_str()).present) << key << "\\" << name;
      EXPECT_FALSE(raw::GetIn(kUser, key.c_str(), name.c_str()).present)
          << key << "\\" << name << " still hides the machine's";
    }
    if (!c.listKey.empty()) {
      EXPECT_FALSE(raw::KeyExistsIn(kUser, c.listKey.c_str())) << "the user's copy of the list is gone";
    }
    EXPECT_EQ(c.read(program_), c.adminRead);
    EXPECT_EQ(c.read(user_), c.adminRead) << "the user now reads the machine's value";
  }
}

// A value of the user's that nobody wrote again keeps standing in front of
// the machine's; the machine's counts where the user has none.
TEST_F(SettingsHives, ValuesAreTakenOneByOneFromTheUserOrTheMachine) {
  ASSERT_TRUE(admin_.Write(kAolScanInterval, 30));
  ASSERT_TRUE(admin_.Write(kAolStayOnline, 1));
  ASSERT_TRUE(admin_.WriteBrowserLaunch(SignOnClient::Aol, 1, "C:\\Admin\\aol.exe"));
  ASSERT_TRUE(user_.Write(kAolScanInterval, 5));
  ASSERT_TRUE(user_.WriteBrowserLaunch(SignOnClient::Aol, 0, ""));  // keeps the machine's path
  EXPECT_EQ(program_.Read(kAolScanInterval), 5u);
  EXPECT_EQ(program_.Read(kAolStayOnline), 1u);
  DWORD launch = 9;
  std::string path;
  EXPECT_TRUE(program_.ReadBrowserLaunch(SignOnClient::Aol, launch, path));
  EXPECT_EQ(launch, 0u);
  EXPECT_EQ(path, "C:\\Admin\\aol.exe");
  ASSERT_TRUE(admin_.Write(kAolStayOnline, 0));
  EXPECT_EQ(program_.Read(kAolScanInterval), 5u) << "only the value written is taken from the user";
}

// Whatever the user's copy of a list holds is the list: its entries are
// never filled up from the machine's, nor its default or dedicated host.
TEST_F(SettingsHives, AListIsReadWholeFromOneCopy) {
  ASSERT_TRUE(admin_.WriteHostList(0, {"m0", "m1", "m2"}));
  ASSERT_TRUE(admin_.WriteDedicatedHost(0, "m1"));
  ASSERT_TRUE(admin_.WriteScreenNames(SignOnClient::Aol, 1, "mo", {"mo", "mi"}));
  ASSERT_TRUE(admin_.WriteSiteList(SiteList::AolSites, 1, "aol://1722:News", {"aol://1722:News", "aol://1722:Sports"}));

  const std::string http = Path(kKeyServices, "HTTP");
  raw::Put(kUser, http.c_str(), "0", REG_SZ, "u0");
  raw::Put(kUser, kKeyAolScreenNames, "Screen Name 0", REG_SZ, "un");  // no default
  raw::Put(kUser, kKeyAolSites, "Specific Site 0", REG_SZ, "aol://1722:Travel");  // no default

  std::vector<std::string> hosts;
  program_.ReadHostList(0, hosts);
  EXPECT_EQ(hosts, std::vector<std::string>{"u0"});
  std::string host = "-";
  EXPECT_FALSE(program_.ReadHost(0, 1, host)) << host;
  EXPECT_FALSE(program_.ReadDedicatedHost(0, host)) << host;

  DWORD flag = 0;
  std::string name = "untouched";
  std::vector<std::string> names;
  EXPECT_FALSE(program_.ReadScreenNames(SignOnClient::Aol, flag, name, names));
  EXPECT_EQ(name, "untouched");
  EXPECT_TRUE(names.empty()) << Join(names);

  std::string site = "untouched";
  std::vector<std::string> sites;
  EXPECT_TRUE(program_.ReadSiteList(SiteList::AolSites, flag, site, sites));
  EXPECT_EQ(site, "");
  EXPECT_EQ(sites, std::vector<std::string>{"aol://1722:Travel"});

  // Without a copy of the user's the machine's list is read, whole.
  win::RegKey::DeleteTree(kUser, http.c_str());
  hosts.clear();
  program_.ReadHostList(0, hosts);
  EXPECT_EQ(hosts, (std::vector<std::string>{"m0", "m1", "m2"}));
  EXPECT_TRUE(program_.ReadDedicatedHost(0, host));
  EXPECT_EQ(host, "m1");
}

TEST_F(SettingsHives, StartWithWindowsUsesTheRunKeyOfTheCopyWritten) {
  const std::string quoted = "\"" + ExePath() + "\"";
  ASSERT_TRUE(admin_.WriteRunEntry(true));
  ASSERT_TRUE(user_.WriteRunEntry(true));
  EXPECT_EQ(raw::GetIn(kUser, kKeyRun, "Tetherly").Text(), quoted);

  // The user cannot take the machine's entry away: it stays, and says so.
  SetLastError(0);
  EXPECT_FALSE(user_.WriteRunEntry(false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(raw::GetIn(kUser, kKeyRun, "Tetherly").present) << "the user's own entry went";
  EXPECT_EQ(raw::GetIn(kMachine, kKeyRun, "Tetherly").Text(), quoted);

  ASSERT_TRUE(user_.WriteRunEntry(true));
  EXPECT_TRUE(admin_.WriteRunEntry(false));
  EXPECT_FALSE(raw::GetIn(kUser, kKeyRun, "Tetherly").present);
  EXPECT_FALSE(raw::GetIn(kMachine, kKeyRun, "Tetherly").present);
  EXPECT_FALSE(admin_.WriteRunEntry(false)) << "no entry to delete";
  EXPECT_FALSE(user_.WriteRunEntry(false));
}

// Settings are lost only where neither copy takes them.
TEST_F(SettingsHives, OnlyWhereNeitherCopyCanBeWrittenIsNothingKept) {
  EXPECT_EQ(user_.CheckWritable(), 0u);
  ASSERT_TRUE(admin_.Write(kConnection, 1));
  {
    testing_support::ReadOnlyKey machine(kKeyRoot);
    EXPECT_EQ(admin_.CheckWritable(), 0u);
    ASSERT_TRUE(admin_.Write(kConnection, 3)) << "a machine that refuses sends the write to the user";
    EXPECT_EQ(raw::GetIn(kUser, kKeySettings, "Connection").present, true);
    EXPECT_EQ(program_.Read(kConnection), 3u);
  }
  testing_support::ReadOnlySettings locked;
  EXPECT_EQ(admin_.CheckWritable(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SetLastError(0);
  EXPECT_FALSE(admin_.Write(kConnection, 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(program_.Read(kConnection), 3u);
}

// ---- Values read by their type ---------------------------------------------------

struct Stored {
  const char* name;
  DWORD type;
  std::string bytes;
};

std::string Bytes(DWORD n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// Four bytes of every kind that is not a number; "abc" with its terminator
// would read as 6513249.
const std::vector<Stored>& NotNumbers() {
  static const std::vector<Stored> kinds = {
      {"REG_BINARY", REG_BINARY, Bytes(7)},
      {"REG_SZ", REG_SZ, std::string("abc", 4)},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, std::string("abc", 4)},
      {"REG_MULTI_SZ", REG_MULTI_SZ, std::string("ab\0\0", 4)},
      {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, Bytes(7)},
      {"REG_QWORD", REG_QWORD, Bytes(7) + Bytes(0)},
      {"REG_NONE", REG_NONE, Bytes(7)},
  };
  return kinds;
}

const std::vector<Stored>& NotTexts() {
  static const std::vector<Stored> kinds = {
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, std::string("text", 5)},
      {"REG_MULTI_SZ", REG_MULTI_SZ, std::string("text\0", 6)},
      {"REG_BINARY", REG_BINARY, std::string("text", 5)},
      {"REG_DWORD", REG_DWORD, Bytes(0x74786574)},
      {"REG_NONE", REG_NONE, std::string("text", 5)},
  };
  return kinds;
}

TEST_F(SettingsHives, ANumberOfAnyOtherTypeCountsAsMissing) {
  int checked = 0;
  for (const DwordSetting& s : kAllDwordSettings) {
    SCOPED_TRACE(std::string(s.key) + "\\" + s.name);
    testing_support::ClearProgramSettings();
    const DWORD missing = program_.Read(s);
    for (const Stored& kind : NotNumbers()) {
      SCOPED_TRACE(kind.name);
      raw::Put(kMachine, s.key, s.name, kind.type, kind.bytes);
      EXPECT_EQ(program_.Read(s), missing);
      DWORD out = 77;
      EXPECT_FALSE(program_.ReadFlag(s, out));
      EXPECT_EQ(out, 77u);
      // In the user's copy it hides nothing: the machine's number counts.
      raw::Put(kMachine, s.key, s.name, REG_DWORD, Bytes(42));
      raw::Put(kUser, s.key, s.name, kind.type, kind.bytes);
      EXPECT_EQ(program_.Read(s), 42u);
      win::RegKey::DeleteTree(kUser, kKeyRoot);
      ++checked;
    }
  }
  EXPECT_GT(checked, 400) << "every number of both layouts, each kind";

  // The group reads go by the same rule.
  raw::Put(kMachine, kKeyServices, "HTTP", REG_BINARY, Bytes(0));
  DWORD flags[6] = {};
  ASSERT_TRUE(program_.ReadServiceFlags(flags));
  EXPECT_EQ(flags[0], 1u) << "a missing HTTP flag is on";
  raw::Put(kMachine, kKeyInterval, "Random Start", REG_SZ, std::string("abc", 4));
  DWORD start = 0, end = 0, fixed = 0;
  EXPECT_FALSE(program_.ReadIntervalNumbers(start, end, fixed));
  EXPECT_EQ(start, 30u);
}

// A text of any other type than REG_SZ counts as missing: the reader's
// default, or a failed list read.
struct TextValue {
  const char* what;
  std::string key;
  const char* name;
  std::function<std::string(const SettingsStore&)> read;
};

std::vector<TextValue> ListAndEntryTexts() {
  auto hosts = [](const SettingsStore& s) {
    std::vector<std::string> list;
    std::string dedicated;
    const bool ended = s.ReadHostList(4, list);
    const bool found = s.ReadDedicatedHost(4, dedicated);
    return Join(list) + (ended ? "+" : "-") + dedicated + (found ? "+" : "-");
  };
  auto names = [](const SettingsStore& s) {
    DWORD use = 0;
    std::string def = "untouched";
    std::vector<std::string> list;
    const bool ok = s.ReadScreenNames(SignOnClient::Aol, use, def, list);
    return def + " " + Join(list) + (ok ? "+" : "-");
  };
  auto sites = [](const SettingsStore& s) {
    DWORD flag = 0;
    std::string def = "untouched";
    std::vector<std::string> list;
    const bool ok = s.ReadSiteList(SiteList::ExtBrowserSites, flag, def, list);
    return def + " " + Join(list) + (ok ? "+" : "-");
  };
  auto credentials = [](const SettingsStore& s) {
    std::string l, p;
    return s.ReadProfileCredentials("Home", l, p) ? l + "/" + p : std::string("none");
  };
  auto launch = [](const SettingsStore& s) {
    DWORD flag = 0;
    std::string path;
    return s.ReadBrowserLaunch(SignOnClient::Cs, flag, path) ? path : std::string("none");
  };
  auto run = [](const SettingsStore& s) {
    std::string path;
    return s.ReadRunEntry(path) ? path : std::string("none");
  };
  const std::string timeServer = Path(kKeyServices, "Time Server");
  const std::string home = Path(kKeyModemDialer, "Home");
  return {
      {"host entry", timeServer, "1", hosts},
      {"dedicated host", timeServer, "Dedicated", hosts},
      {"default screen name", kKeyAolScreenNames, "Default Screen Name", names},
      {"default site", kKeyExtBrowserSites, "Default Site", sites},
      {"login", home, "Login", credentials},
      {"client path", kKeyCsOptions, "Program Path", launch},
      {"start-with-Windows entry", kKeyRun, "Tetherly", run},
  };
}

TEST_F(SettingsHives, ATextOfAnyOtherTypeCountsAsMissing) {
  for (const StringSetting& s : kAllStringSettings) {
    SCOPED_TRACE(std::string(s.key) + "\\" + s.name);
    testing_support::ClearProgramSettings();
    std::string missing = "caller's";
    program_.Read(s, missing);
    for (const Stored& kind : NotTexts()) {
      SCOPED_TRACE(kind.name);
      raw::Put(kMachine, s.key, s.name, kind.type, kind.bytes);
      std::string out = "caller's";
      EXPECT_FALSE(program_.Read(s, out));
      EXPECT_EQ(out, missing);
    }
  }

  for (const TextValue& v : ListAndEntryTexts()) {
    SCOPED_TRACE(v.what);
    testing_support::ClearProgramSettings();
    ASSERT_TRUE(admin_.WriteHostList(4, {"t0", "t1", "t2"}));
    ASSERT_TRUE(admin_.WriteDedicatedHost(4, "t2"));
    ASSERT_TRUE(admin_.WriteScreenNames(SignOnClient::Aol, 1, "n0", {"n0", "n1"}));
    ASSERT_TRUE(admin_.WriteSiteList(SiteList::ExtBrowserSites, 1, "http://s0/", {"http://s0/", "http://s1/"}));
    ASSERT_TRUE(admin_.WriteProfileCredentials("Home", "me", "pw"));
    ASSERT_TRUE(admin_.WriteBrowserLaunch(SignOnClient::Cs, 1, "C:\\CS\\cs.exe"));
    ASSERT_TRUE(admin_.WriteRunEntry(true));
    const std::string whole = v.read(program_);
    raw::Put(kMachine, v.key.c_str(), v.name, REG_SZ, "");
    const std::string whenEmpty = v.read(program_);
    win::RegKey key;
    key.Open(kMachine, v.key.c_str(), KEY_SET_VALUE);
    key.DeleteValue(v.name);
    const std::string missing = v.read(program_);
    EXPECT_NE(missing, whole) << "the value takes part in the read";
    for (const Stored& kind : NotTexts()) {
      SCOPED_TRACE(kind.name);
      raw::Put(kMachine, v.key.c_str(), v.name, kind.type, kind.bytes);
      EXPECT_EQ(v.read(program_), missing) << "not read as the text it holds (" << whenEmpty << ")";
    }
  }
}

}  // namespace

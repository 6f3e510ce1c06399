// What Finish leaves in the registry for each kind of ISP, compared value by
// value with a full dump taken before: exactly the values of the table
// change, nothing else. Cancel, from any page, changes nothing.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "config/WizardTexts.h"
#include "support/ModalScript.h"
#include "support/ReadOnlyKey.h"
#include "win/ErrorText.h"
#include "win/RegKey.h"
#include "wizard_fixture.h"

namespace {

using namespace settings;

// A value as the dump holds it: REG_DWORD bytes, or a text up to its first
// NUL (stored with or without terminator, in a field or not).
struct Value {
  std::string path;  // below the program's key, or "Run\Tetherly"
  DWORD type;
  std::string data;
};
Value D(const std::string& path, DWORD n) {
  return {path, REG_DWORD, std::string(reinterpret_cast<const char*>(&n), 4)};
}
Value S(const std::string& path, const std::string& text) { return {path, REG_SZ, text}; }
Value Key(const std::string& path) { return {path + "\\", 0, ""}; }

std::string Full(const std::string& path) {
  return path.rfind("Run\\", 0) == 0 ? path : std::string(kKeyRoot) + "\\" + path;
}

std::string TextOf(const std::pair<DWORD, std::string>& value) {
  return value.first == REG_SZ ? std::string(value.second.c_str()) : value.second;
}

std::string QuotedExe() {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof(exe));
  return "\"" + std::string(exe) + "\"";
}

// A registry that has been lived in: every DWORD the layout knows is 7 and
// every text "before", so a write the table does not name shows as a change.
void FillLivedInRegistry(SettingsStore& store) {
  for (const DwordSetting& s : kAllDwordSettings) store.Write(s, 7);
  for (const StringSetting& s : kAllStringSettings) store.Write(s, std::string("before"));
  store.SeedDefaultHosts(1000);
  // The login is missing, so the MSN path shows its three-space stand-in.
  win::RegKey pop3;
  pop3.Open(HKEY_LOCAL_MACHINE, kKeyMsnPop3, KEY_SET_VALUE);
  pop3.DeleteValue("Login");
}

struct Row {
  const char* name;
  std::function<void(WizardDriver&)> answer;  // from the main page to the finish page
  std::vector<Value> expected;
};

std::vector<Row> FinishTable() {
  return {
      {"other ISP, own dialer, advanced settings",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_OTHER);
         w.Next();
         w.Click(IDC_WIZ_USE_DIALER);
         w.Choose(IDC_WIZ_PROFILE, 1);
         w.Type(IDC_WIZ_LOGIN, "sam");
         w.Type(IDC_WIZ_PASSWORD, "pw");
         w.Click(IDC_WIZ_ADVANCED);
         w.Next();
         w.Click(IDC_WIZ_ONE_STOP_YES);
         w.Click(IDC_WIZ_PROMPT_DIAL_YES);
         w.Click(IDC_WIZ_PROMPT_HANGUP_NO);
         w.Click(IDC_WIZ_RECONNECT_YES);
         w.Click(IDC_WIZ_DIAL_STARTUP_YES);
         w.Next();
         w.Click(IDC_SVC_FTP);
         w.Next();
         w.Click(IDC_PROP_RANDOM);
         w.Click(IDC_PROP_INTERVAL_FIXED);
         w.Type(IDC_PROP_FIXED, "45");
         w.Next();
       },
       {D("Modem Dialer\\Use Dialer", 1), D("NetZero\\Stay Online", 0), D("NetZero\\Use Dialer", 0),
        D("NetZero\\Tray Dial", 0), D("NetZero\\Dial At Startup", 0), D("ATT\\Stay Online", 0),
        D("MSN\\Stay Online", 0), D("Settings\\Connection", 1), S("Modem Dialer\\Profile", "Work ISP"),
        Key("Modem Dialer\\Work ISP"), S("Modem Dialer\\Work ISP\\Login", "sam"),
        S("Modem Dialer\\Work ISP\\Password", "pw"), D("Modem Dialer\\One Stop Connection", 1),
        D("Modem Dialer\\Prompt To Dial", 1), D("Modem Dialer\\Prompt To Disconnect", 0),
        D("Modem Dialer\\Reconnect", 1), D("Modem Dialer\\Dial At Startup", 1), D("Settings\\WinStart", 1),
        D("Services\\HTTP", 0), D("Services\\FTP", 1), D("Services\\Echo", 0), D("Services\\Discard", 0),
        D("Services\\Time Server", 0), D("Services\\User Port", 0), D("Access Method\\Type", 2),
        // The hidden random bounds keep the stored 7 and 7: written, but unchanged.
        D("Interval\\Option", 2), D("Interval\\Fixed", 45), S("Run\\Tetherly", QuotedExe())}},
      {"other ISP without the dialer or advanced settings",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_OTHER);
         w.Next();
         w.Next();
       },
       {D("Modem Dialer\\Use Dialer", 0), D("Modem Dialer\\One Stop Connection", 0), D("Services\\HTTP", 1),
        D("Services\\FTP", 0), D("Services\\Echo", 0), D("Services\\Discard", 0), D("Services\\Time Server", 0),
        D("Services\\User Port", 0), D("Access Method\\Type", 1), D("Interval\\Option", 2),
        D("Interval\\Random Start", 15), D("Interval\\Random End", 90), D("Interval\\Fixed", 60)}},
      {"AOL, launched at start-up, signing on as a new screen name",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_AOL);
         w.Next();
         w.Click(IDC_WIZ_LAUNCH_YES);
         w.Type(IDC_WIZ_CLIENT_PATH, "C:\\Program Files\\AOL\\aol.exe");
         w.Click(IDC_WIZ_CLIENT_STARTUP_YES);
         w.Click(IDC_WIZ_REDIAL_YES);
         w.Next();
         w.Click(IDC_WIZ_SIGNON_YES);
         testing_support::ModalScript names([](HWND list) {
           SetDlgItemTextA(list, IDC_LIST_ADD_TEXT, "Sam");
           testing_support::Press(list, IDC_LIST_ADD);
           testing_support::Press(list, IDOK);
         });
         w.Click(IDC_SIGNON_SCREEN_NAMES);
         EXPECT_TRUE(names.ran());
         w.Next();
         w.Click(IDC_GAD_BUDDY);
         w.Click(IDC_GAD_CHANNELS);
         w.Click(IDC_GAD_WELCOME);
         w.Next();
       },
       {D("AOL Options\\Stay Online", 1), D("CS Options\\Stay Online", 0), D("CS Options\\Sign On", 0),
        D("CS Options\\Dial At Startup", 0), D("AOL Options\\Launch Browser", 1),
        S("AOL Options\\Program Path", "C:\\Program Files\\AOL\\aol.exe"), D("AOL Options\\Dial At Startup", 1),
        D("Settings\\WinStart", 1), D("AOL Options\\Sign On", 1), D("AOL Options\\Use Screen Name", 1),
        Key("AOL Options\\Screen Names"), S("AOL Options\\Screen Names\\Screen Name 0", "Sam"),
        S("AOL Options\\Screen Names\\Default Screen Name", "Sam"), D("AOL Options\\Kill Buddy List Window", 1),
        D("AOL Options\\Kill Channels Window", 1), D("AOL Options\\Kill Hotline Window", 0),
        D("AOL Options\\Kill Search Preview Window", 0), D("AOL Options\\Kill Advertisement Window", 0),
        D("AOL Options\\Minimize Welcome Window", 1), D("AOL Options\\Auto Redial", 1),
        S("Run\\Tetherly", QuotedExe())}},
      {"CS2000, not launched",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_CS2000);
         w.Next();
         w.Click(IDC_WIZ_LAUNCH_NO);
         w.Click(IDC_WIZ_REDIAL_NO);
         w.Next();
         w.Click(IDC_GAD_HOTLINE);  // child window three
         w.Click(IDC_GAD_ADVERTISEMENT);
         w.Next();
       },
       {D("CS Options\\Stay Online", 1), D("AOL Options\\Stay Online", 0), D("AOL Options\\Sign On", 0),
        D("AOL Options\\Dial At Startup", 0), D("CS Options\\Launch Browser", 0),
        D("CS Options\\Dial At Startup", 0), D("CS Options\\Kill Child One Window", 0),
        D("CS Options\\Kill Child Two Window", 0), D("CS Options\\Kill Child Three Window", 1),
        D("CS Options\\Kill Child Four Window", 0), D("CS Options\\Kill Advertisement Window", 1),
        D("CS Options\\Auto Redial", 0)}},
      {"NetZero with its dialer",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_NETZERO);
         w.Next();
         w.Choose(IDC_NZ_VERSION, 4);
         w.Click(IDC_WIZ_NZ_DIALER_YES);
         w.Click(IDC_WIZ_NZ_REDIAL_YES);
         w.Click(IDC_WIZ_NZ_TRAY_YES);
         w.Click(IDC_WIZ_NZ_STARTUP_NO);
         w.Type(IDC_NZ_PATH, "C:\\NetZero\\nzStart.exe");
         w.Next();
       },
       {D("NetZero\\Stay Online", 1), D("Modem Dialer\\Use Dialer", 0), D("Modem Dialer\\One Stop Connection", 0),
        D("Modem Dialer\\Dial At Startup", 0), D("ATT\\Stay Online", 0), D("MSN\\Stay Online", 0),
        D("Settings\\Connection", 1), S("NetZero\\Version", "3.0"), D("NetZero\\Use Dialer", 1),
        D("NetZero\\Tray Dial", 1), S("NetZero\\Program Path", "C:\\NetZero\\nzStart.exe"),
        D("NetZero\\Auto Redial", 1), D("NetZero\\Dial At Startup", 0)}},
      {"AT&T",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_ATT);
         w.Next();
         w.Next();
       },
       {D("ATT\\Stay Online", 1), D("Modem Dialer\\Use Dialer", 0), D("Modem Dialer\\One Stop Connection", 0),
        D("NetZero\\Stay Online", 0), D("NetZero\\Use Dialer", 0), D("NetZero\\Tray Dial", 0),
        D("MSN\\Stay Online", 0)}},
      {"MSN with POP3, no login and a timer of 0",
       [](WizardDriver& w) {
         w.Click(IDC_WIZ_MSN);
         w.Next();
         w.Click(IDC_WIZ_MSN_POP3_YES);
         w.Type(IDC_WIZ_MSN_SERVER, "pop3.example.net");
         w.Type(IDC_WIZ_MSN_INTERVAL, "0");
         w.Next();
       },
       {D("MSN\\Stay Online", 1), D("MSN\\POP3\\Enable POP3", 1), D("Modem Dialer\\Use Dialer", 0),
        D("Modem Dialer\\One Stop Connection", 0), D("NetZero\\Stay Online", 0), D("NetZero\\Use Dialer", 0),
        D("NetZero\\Tray Dial", 0), D("ATT\\Stay Online", 0), S("MSN\\POP3\\Login", "   "),
        S("MSN\\POP3\\Server Name", "pop3.example.net"), D("MSN\\POP3\\Timer Interval", 60)}},
  };
}

class WizardFinishTest : public WizardTest {
 protected:
  WizardFinishTest() {
    lister_ = [](std::vector<std::string>& names) {
      names = {"Home ISP", "Work ISP"};
      return DWORD{0};
    };
  }
};

TEST_F(WizardFinishTest, EachKindWritesExactlyItsValuesAndNothingElse) {
  for (const Row& row : FinishTable()) {
    SCOPED_TRACE(row.name);
    testing_support::ClearProgramSettings();
    FillLivedInRegistry(store_);
    const RegistryDump before = DumpProgramRegistry();
    boxes_.clear();
    const INT_PTR result = RunWizard([&](WizardDriver& w) {
      row.answer(w);
      EXPECT_EQ(w.Current(), IDD_WIZ_FINISH);
      w.Finish();
    });
    EXPECT_EQ(result, CConfigWizPSheet::kFinished);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    const RegistryDump after = DumpProgramRegistry();

    std::vector<std::string> expectedChanges;
    for (const Value& v : row.expected) {
      const std::string path = Full(v.path);
      expectedChanges.push_back(path);
      const auto it = after.find(path);
      ASSERT_NE(it, after.end()) << path << " was not written";
      if (v.type == 0) continue;
      EXPECT_EQ(it->second.first, v.type) << path;
      EXPECT_EQ(TextOf(it->second), v.data) << path;
    }
    std::vector<std::string> changed = Changed(before, after);
    std::sort(changed.begin(), changed.end());
    std::sort(expectedChanges.begin(), expectedChanges.end());
    EXPECT_EQ(changed, expectedChanges) << "exactly the table's values change";
  }
}

// Every page of every path, left with Cancel: the registry stays as it was.
TEST_F(WizardFinishTest, CancelFromAnyPageWritesNothing) {
  FillLivedInRegistry(store_);
  const RegistryDump before = DumpProgramRegistry();
  int cancels = 0;
  for (const Row& row : FinishTable()) {
    // The pages this path goes through, then a run that cancels on each.
    std::vector<int> path;
    RunWizard([&](WizardDriver& w) {
      row.answer(w);
      path = w.Pages();
      w.Cancel();
    });
    for (std::size_t stop = 0; stop < path.size(); ++stop) {
      SCOPED_TRACE(std::string(row.name) + ", cancelled on page " + std::to_string(path[stop]));
      const INT_PTR result = RunWizard([&](WizardDriver& w) {
        row.answer(w);
        for (int back = 0; back < 8 && w.Current() != path[stop]; ++back) w.Back();
        EXPECT_EQ(w.Current(), path[stop]);
        w.Cancel();
      });
      EXPECT_EQ(result, IDCANCEL);
      EXPECT_EQ(Changed(before, DumpProgramRegistry()), std::vector<std::string>{});
      ++cancels;
    }
  }
  EXPECT_GE(cancels, 25);
}

// A standard user's Finish: the machine's copy stays as the administrator
// left it, every value of the table is in the user's own copy, and the
// program reads it from there.
TEST_F(WizardFinishTest, AStandardUsersAnswersGoToTheirOwnCopyAndReadBack) {
  const SettingsStore administrator = store_;
  for (const Row& row : FinishTable()) {
    SCOPED_TRACE(row.name);
    testing_support::ClearProgramSettings();
    store_ = administrator;
    FillLivedInRegistry(store_);
    const RegistryDump machineBefore = DumpProgramRegistry();
    store_ = SettingsStore::WithMachineReadOnly();
    boxes_.clear();
    const INT_PTR result = RunWizard([&](WizardDriver& w) {
      row.answer(w);
      w.Finish();
    });
    EXPECT_EQ(result, CConfigWizPSheet::kFinished);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(Changed(machineBefore, DumpProgramRegistry()), std::vector<std::string>{});

    const RegistryDump user = DumpProgramRegistry(HKEY_CURRENT_USER);
    const SettingsStore program;
    for (const Value& v : row.expected) {
      if (v.type == 0) continue;
      const std::string path = Full(v.path);
      const auto it = user.find(path);
      ASSERT_NE(it, user.end()) << path << " is not in the user's copy";
      EXPECT_EQ(it->second.first, v.type) << path;
      EXPECT_EQ(TextOf(it->second), v.data) << path;
      if (v.path.rfind("Run\\", 0) == 0) {
        std::string entry;
        EXPECT_TRUE(program.ReadRunEntry(entry));
        EXPECT_EQ("\"" + entry + "\"", v.data);
        continue;
      }
      const std::string key = path.substr(0, path.rfind('\\'));
      const std::string name = path.substr(path.rfind('\\') + 1);
      if (v.type == REG_DWORD) {
        const DwordSetting setting{key.c_str(), name.c_str(), 0xDEADBEEF};
        EXPECT_EQ(program.Read(setting), *reinterpret_cast<const DWORD*>(v.data.data())) << path;
      } else {
        const StringSetting setting{key.c_str(), name.c_str(), nullptr};
        std::string text = "<not read>";
        program.Read(setting, text);
        EXPECT_EQ(text, v.data) << path;
      }
    }
  }
  store_ = administrator;
}

// Writes that neither copy takes (both read-only) are told in one message
// naming each value and why; the wizard still ends.
TEST_F(WizardFinishTest, FailedWritesAreNamedInOneMessage) {
  FillLivedInRegistry(store_);
  const RegistryDump before = DumpProgramRegistry();
  {
    testing_support::ReadOnlySettings locked;
    const INT_PTR result = RunWizard([&](WizardDriver& w) {
      w.Click(IDC_WIZ_ATT);
      w.Next();
      w.Next();
      w.Finish();
    });
    EXPECT_EQ(result, CConfigWizPSheet::kFinished);
  }
  ASSERT_EQ(boxes_.size(), 1u);
  const std::string& text = boxes_[0].text;
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_NE(text.find(win::ErrorText(ERROR_ACCESS_DENIED)), std::string::npos) << text;
  for (const char* name : {"ATT\\Stay Online", "Modem Dialer\\Use Dialer", "Modem Dialer\\One Stop Connection",
                           "NetZero\\Stay Online", "NetZero\\Use Dialer", "NetZero\\Tray Dial", "MSN\\Stay Online"})
    EXPECT_NE(text.find(name), std::string::npos) << name << " missing from:\n" << text;
  EXPECT_EQ(Changed(before, DumpProgramRegistry()), std::vector<std::string>{});
}

}  // namespace

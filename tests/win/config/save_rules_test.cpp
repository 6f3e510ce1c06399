// What one OK stores, read back by the registry names the program's users
// and its other parts know: the values no earlier test saved, the order of
// the pages' saves, pages that must store what they show though untouched,
// and values a save must leave alone because it did not change them.
#include <functional>
#include <string>
#include <vector>

#include "config_fixture.h"
#include "config_pages.h"
#include "win/ComboBox.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;

// ---- The registry, by name, bypassing the store ----

const HKEY kHive = HKEY_LOCAL_MACHINE;

std::string Under(const char* sub) { return std::string("SOFTWARE\\Quillmark\\Tetherly\\") + sub; }

constexpr DWORD kNoDword = 0xDEADBEEF;

DWORD RawDword(const std::string& key, const char* name) {
  DWORD value = 0, size = sizeof(value), type = 0;
  if (RegGetValueA(kHive, key.c_str(), name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return kNoDword;
  return value;
}

// The text up to its first zero, as the program reads its fixed-size fields.
std::string RawText(const std::string& key, const char* name) {
  char text[1100] = {};
  DWORD size = sizeof(text) - 1, type = 0;
  if (RegGetValueA(kHive, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return "<missing>";
  return text;
}

std::wstring RawWide(const std::string& key, const char* name) {
  const std::wstring wideKey(key.begin(), key.end()), wideName(name, name + strlen(name));
  wchar_t text[300] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t), type = 0;
  if (RegGetValueW(kHive, wideKey.c_str(), wideName.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return text;
}

void PutWide(const std::string& key, const char* name, const std::wstring& text) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(kHive, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr), ERROR_SUCCESS);
  const std::wstring wideName(name, name + strlen(name));
  RegSetValueExW(k, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

void PutDword(const std::string& key, const char* name, DWORD value) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(kHive, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr), ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(k);
}

bool HasValues(const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(kHive, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  DWORD values = 0;
  RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(k);
  return values > 0;
}

std::string QuotedExe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return std::string("\"") + path + "\"";
}

std::string RunEntry() { return RawText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tetherly"); }

// ---- Driving the pages ----

void Choose(const win::Page& page, int combo, const std::string& entry) {
  const LRESULT index = SendMessageA(page.Item(combo), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(entry.c_str()));
  ASSERT_NE(index, CB_ERR) << entry;
  SendMessageA(page.Item(combo), CB_SETCURSEL, index, 0);
  SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(page.Item(combo)));
}

// Adds entries through a page's list editing dialog and ends it with OK.
void AddThroughListDialog(const win::Page& page, int button, std::vector<std::string> entries) {
  ModalScript script([entries](HWND d) {
    for (const std::string& entry : entries) {
      SetDlgItemTextA(d, IDC_LIST_ADD_TEXT, entry.c_str());
      Press(d, IDC_LIST_ADD);
    }
    Press(d, IDOK);
  });
  SendMessageA(page.Item(button), BM_CLICK, 0, 0);
  EXPECT_TRUE(script.ran());
}

void ChangeTitle(const win::Page& page, int button, const char* title) {
  ModalScript script([title](HWND d) {
    SetDlgItemTextA(d, IDC_TITLE_TEXT, title);
    Press(d, IDOK);
  });
  SendMessageA(page.Item(button), BM_CLICK, 0, 0);
  EXPECT_TRUE(script.ran());
}

// Working with the client (AOL or CS2000) and launching it from `path`.
void LaunchingClient(const char* options, const char* path) {
  PutDword(Under(options), "Stay Online", 1);
  PutDword(Under(options), "Launch Browser", 1);
  const std::string wide(path);
  PutWide(Under(options), "Program Path", std::wstring(wide.begin(), wide.end()));
}

struct Dword {
  const char* key;  // below the program's key
  const char* name;
  DWORD value;
};
struct Text {
  const char* key;
  const char* name;
  std::string text;
};
struct Caption {
  PagePick page;
  int id;
  std::string text;
};

ProfileLister WorkProfile() {
  return [](std::vector<std::string>& names) {
    names = {"Work"};
    return DWORD{0};
  };
}

// ---- Values no other test saves ----

struct ValuesCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  std::function<void(PageSet&)> edit;
  std::vector<Dword> dwords;
  std::vector<Text> texts;
  std::vector<Caption> captions;
  // Values that must not exist afterwards; a null name: the key holds none.
  std::vector<std::pair<const char*, const char*>> absent;
};

TEST_F(ConfigTest, EveryValueAPageShowsReachesItsRegistryName) {
  const ValuesCase cases[] = {
      {"CompuServe 2000 sign-on options, and none of AOL's", {},
       [](PageSet& p) {
         CPageCSOptionsDlg& cs = *p.csOptions;
         for (int box : {1189, 1190}) Click(cs, box);
         Type(cs, 1191, "D:\\CS2000\\cs.exe");
         for (int box : {1232, 1193, 1194, 1089}) Click(cs, box);
         AddThroughListDialog(cs, 1070, {"zed", "amy"});
         Choose(cs, 1109, "amy");
       },
       {{"CS Options", "Stay Online", 1}, {"CS Options", "Launch Browser", 1}, {"CS Options", "Dial At Startup", 1},
        {"CS Options", "Sign On", 1}, {"CS Options", "Use Screen Name", 1}, {"CS Options", "Auto Redial", 1},
        {"Settings", "WinStart", 1}},
       {{"CS Options", "Program Path", "D:\\CS2000\\cs.exe"}, {"CS Options\\Screen Names", "Screen Name 0", "amy"},
        {"CS Options\\Screen Names", "Screen Name 1", "zed"},
        {"CS Options\\Screen Names", "Default Screen Name", "amy"}},
       {},
       {{"AOL Options", "Stay Online"}, {"AOL Options", "Launch Browser"}, {"AOL Options", "Program Path"},
        {"AOL Options", "Dial At Startup"}, {"AOL Options", "Sign On"}, {"AOL Options", "Use Screen Name"},
        {"AOL Options", "Auto Redial"}, {"AOL Options\\Screen Names", nullptr}}},
      {"CompuServe 2000 gadgets: the second and third titled boxes",
       [](SettingsStore&) { PutDword(Under("CS Options"), "Stay Online", 1); },
       [](PageSet& p) {
         ChangeTitle(*p.csGadgets, 1200, "Chat Room");
         ChangeTitle(*p.csGadgets, 1201, "Mail Center");
         Click(*p.csGadgets, 1196);
         Click(*p.csGadgets, 1197);
       },
       {{"CS Options", "Kill Child Two Window", 1}, {"CS Options", "Kill Child Three Window", 1}},
       {{"CS Options", "Child Two Title", "Chat Room"}, {"CS Options", "Child Three Title", "Mail Center"},
        {"CS Options", "Child One Title", "<missing>"}, {"CS Options", "Child Four Title", "<missing>"}},
       {{CsGadgetsPage, 1196, "Kills the \"Chat Room\" window"},
        {CsGadgetsPage, 1197, "Kills the \"Mail Center\" window"},
        {CsGadgetsPage, 1195, "Kills the \"Contacts\" window"},
        {CsGadgetsPage, 1198, "Kills the \"No Window Specified\" window"}},
       {}},
      {"AOL browser options: both lists, both boxes, each default",
       [](SettingsStore&) {
         LaunchingClient("AOL Options", "C:\\AOL\\aol.exe");
         PutDword(Under("AOL Options"), "Sign On", 1);
       },
       [](PageSet& p) {
         CPageAOLBrowserDlg& browser = *p.aolBrowser;
         Click(browser, 1076);
         Choose(browser, 1111, "aol://1722:Influence");
         Click(browser, 1073);
         AddThroughListDialog(browser, 1077, {"http://127.0.0.1/start"});
         Choose(browser, 1112, "http://127.0.0.1/start");
       },
       {{"AOL Options", "Use Specific Site", 1}, {"AOL Options", "Launch External Browser", 1}},
       {{"AOL Options\\AOL Sites", "Default Site", "aol://1722:Influence"},
        {"AOL Options\\AOL Sites", "Specific Site 0", "aol://1722:Computing"},
        {"AOL Options\\Ext Browser Sites", "Default Site", "http://127.0.0.1/start"},
        {"AOL Options\\Ext Browser Sites", "Site 0", "http://127.0.0.1/start"}},
       {},
       {}},
      {"service properties: the service last shown", {},
       [](PageSet& p) { Click(*p.properties, 1043); },  // "Echo"
       {{"Services", "Service Type", 2}},
       {},
       {},
       {}},
  };
  for (const ValuesCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    RegDeleteKeyValueA(kHive, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tetherly");
    boxes_.clear();
    if (c.before) c.before(store_);
    CConfigurationsDlg& dlg = Open();
    c.edit(dlg.pages());
    for (const Caption& caption : c.captions)
      EXPECT_EQ(caption.page(dlg.pages())->ItemText(caption.id), caption.text) << caption.id;
    Click(dlg, IDOK);
    EXPECT_FALSE(IsWindow(dlg.hwnd()));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    for (const Dword& d : c.dwords) EXPECT_EQ(RawDword(Under(d.key), d.name), d.value) << d.key << " " << d.name;
    for (const Text& t : c.texts) EXPECT_EQ(RawText(Under(t.key), t.name), t.text) << t.key << " " << t.name;
    for (const auto& [key, name] : c.absent) {
      if (!name) {
        EXPECT_FALSE(HasValues(Under(key))) << key;
        continue;
      }
      EXPECT_EQ(RawText(Under(key), name), "<missing>") << key << " " << name;
      EXPECT_EQ(RawDword(Under(key), name), kNoDword) << key << " " << name;
    }
    if (RawDword(Under("Settings"), "WinStart") == 1) {
      EXPECT_EQ(RunEntry(), QuotedExe());
    }
  }
}

// ---- One OK, the pages in their order ----

struct StartUpCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  PagePick page;
  int box;  // the page's start-up box
};

TEST_F(ConfigTest, AStartUpBoxOnAnotherPageOutlastsStartWithWindowsTurnedOff) {
  const StartUpCase cases[] = {
      {"the program's own dialer",
       [](SettingsStore& s) {
         PutDword(Under("Modem Dialer"), "Use Dialer", 1);
         s.Write(settings::kModemProfile, "Work");
         s.WriteProfileCredentials("Work", "joe", "pw");
       },
       DialerPage, 1090},
      {"AOL", [](SettingsStore&) { LaunchingClient("AOL Options", "C:\\AOL\\aol.exe"); }, AolPage, 1090},
      {"CompuServe 2000", [](SettingsStore&) { LaunchingClient("CS Options", "C:\\CS\\cs.exe"); }, CsPage,
       1232},
      {"NetZero's dialer",
       [](SettingsStore& s) {
         PutDword(Under("NetZero"), "Stay Online", 1);
         PutDword(Under("NetZero"), "Use Dialer", 1);
         s.Write(settings::kNetZeroProgramPath, "C:\\NetZero\\nzStart.exe");
       },
       NetZeroPage, 1231},
  };
  for (const StartUpCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    PutDword(Under("Settings"), "WinStart", 1);
    store_.WriteRunEntry(true);
    c.before(store_);
    CConfigurationsDlg& dlg = Open(WorkProfile());
    ASSERT_TRUE(Checked(*dlg.pages().settings, IDC_SET_WINSTART));
    Click(*dlg.pages().settings, IDC_SET_WINSTART);
    win::Page& page = *c.page(dlg.pages());
    ASSERT_FALSE(Checked(page, c.box));
    Click(page, c.box);
    Click(dlg, IDOK);
    EXPECT_FALSE(IsWindow(dlg.hwnd()));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(RawDword(Under("Settings"), "WinStart"), 1u);
    EXPECT_EQ(RunEntry(), QuotedExe());
  }
}

// ---- Untouched pages that show something else than what is stored ----

struct ShownCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  std::vector<Dword> after;
  std::vector<std::pair<const char*, const char*>> notWritten;
};

TEST_F(ConfigTest, UntouchedPagesStoreWhatTheyShowInsteadOfWhatIsStored) {
  auto autoNetSense = [] { PutDword(Under("Settings"), "Connection", 3); };
  const ShownCase cases[] = {
      {"AOL launched at start-up over Auto NetSense",
       [&](SettingsStore&) {
         autoNetSense();
         LaunchingClient("AOL Options", "C:\\AOL\\aol.exe");
         PutDword(Under("AOL Options"), "Dial At Startup", 1);
       },
       {{"Settings", "Connection", 1}},
       {{"Settings", "Splash Screen"}}},
      {"CompuServe 2000 launched at start-up over Auto NetSense",
       [&](SettingsStore&) {
         autoNetSense();
         LaunchingClient("CS Options", "C:\\CS\\cs.exe");
         PutDword(Under("CS Options"), "Dial At Startup", 1);
       },
       {{"Settings", "Connection", 1}},
       {}},
      {"the program's own dialer over Auto NetSense",
       [&](SettingsStore&) {
         autoNetSense();
         PutDword(Under("Modem Dialer"), "Use Dialer", 1);
       },
       {{"Settings", "Connection", 1}},
       {}},
      {"NetZero's dialer over Auto NetSense",
       [&](SettingsStore&) {
         autoNetSense();
         PutDword(Under("NetZero"), "Stay Online", 1);
         PutDword(Under("NetZero"), "Use Dialer", 1);
       },
       {{"Settings", "Connection", 1}},
       {}},
      {"locked on a stored Manual: nothing to write",
       [](SettingsStore&) {
         PutDword(Under("Settings"), "Connection", 1);
         PutDword(Under("Modem Dialer"), "Use Dialer", 1);
       },
       {{"Settings", "Connection", 1}},
       {{"Settings", "Simulate Mouse"}, {"Settings", "WinStart"}, {"Settings", "Splash Screen"}}},
      {"no interval numbers stored",
       [](SettingsStore&) {},
       {{"Interval", "Random Start", 15}, {"Interval", "Random End", 90}, {"Interval", "Fixed", 60}},
       {{"Access Method", "Type"}, {"Interval", "Option"}, {"Services", "Service Type"}}},
      {"only the first interval number stored",
       [](SettingsStore&) { PutDword(Under("Interval"), "Random Start", 20); },
       {{"Interval", "Random Start", 15}, {"Interval", "Random End", 90}, {"Interval", "Fixed", 60}},
       {}},
      {"all three interval numbers stored",
       [](SettingsStore&) {
         PutDword(Under("Interval"), "Random Start", 20);
         PutDword(Under("Interval"), "Random End", 40);
         PutDword(Under("Interval"), "Fixed", 100);
       },
       {{"Interval", "Random Start", 20}, {"Interval", "Random End", 40}, {"Interval", "Fixed", 100}},
       {{"Interval", "Option"}}},
  };
  for (const ShownCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    PutDword(Under("Services"), "Hosts Added", 1);
    c.before(store_);
    CConfigurationsDlg& dlg = Open();
    Click(dlg, IDOK);
    EXPECT_FALSE(IsWindow(dlg.hwnd()));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    for (const Dword& d : c.after) EXPECT_EQ(RawDword(Under(d.key), d.name), d.value) << d.key << " " << d.name;
    for (const auto& [key, name] : c.notWritten) EXPECT_EQ(RawDword(Under(key), name), kNoDword) << key << " " << name;
  }
}

// ---- Values a save did not change ----

struct KeptCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  const char* key;
  const char* value;
  std::wstring text;  // empty: `number` is stored instead
  DWORD number;
  std::function<void(ConfigTest&, PageSet&)> touchSomethingElse;
};

TEST_F(ConfigTest, AValueTheSaveDidNotChangeIsNotRewritten) {
  const std::wstring outside = L"C:\\\x03A9\x4E2D\x00E9.exe";  // Ω中é: no ANSI code page holds all three
  const KeptCase cases[] = {
      {"AOL program path, after AOL Advanced Options",
       [](SettingsStore&) { LaunchingClient("AOL Options", "C:\\AOL\\aol.exe"); }, "AOL Options",
       "Program Path", outside, 0,
       [](ConfigTest&, PageSet& p) {
         ModalScript script([](HWND d) { Press(d, IDOK); });
         Click(*p.aolOptions, IDC_AOL_ADVANCED);
         EXPECT_TRUE(script.ran());
       }},
      {"CompuServe 2000 program path",
       [](SettingsStore&) { LaunchingClient("CS Options", "C:\\CS\\cs.exe"); }, "CS Options", "Program Path",
       outside, 0, [](ConfigTest&, PageSet& p) { Click(*p.csOptions, 1089); }},
      {"NetZero dialer path",
       [](SettingsStore&) {
         PutDword(Under("NetZero"), "Stay Online", 1);
         PutDword(Under("NetZero"), "Use Dialer", 1);
       },
       "NetZero", "Program Path", outside, 0, [](ConfigTest&, PageSet& p) { Click(*p.netZero, 1108); }},
      {"POP3 server name",
       [](SettingsStore&) {
         PutDword(Under("MSN"), "Stay Online", 1);
         PutDword(Under("MSN\\POP3"), "Enable POP3", 1);
       },
       "MSN\\POP3", "Server Name", L"p\x00F6p.\x4E2D.example", 0,
       [](ConfigTest&, PageSet& p) { Type(*p.msn, 1057, "20"); }},
      {"a dial-up profile's login",
       [](SettingsStore& s) {
         PutDword(Under("Modem Dialer"), "Use Dialer", 1);
         s.Write(settings::kModemProfile, "Work");
         s.WriteProfileCredentials("Work", "placeholder", "pw");
       },
       "Modem Dialer\\Work", "Login", L"j\x00F6rg\x4E2D", 0,
       [](ConfigTest&, PageSet& p) { Click(*p.dialer, 1089); }},
      {"a host of a service's list",
       [](SettingsStore& s) { s.WriteHostList(0, {"placeholder", "b.example"}); }, "Services\\HTTP", "0",
       L"\x4E2D.example", 0, [](ConfigTest&, PageSet& p) { Click(*p.properties, 1052); }},
      {"a service's dedicated host",
       [](SettingsStore& s) { s.WriteHostList(0, {"a.example"}); }, "Services\\HTTP", "Dedicated",
       L"\x4E2D.example", 0, [](ConfigTest&, PageSet& p) { Click(*p.properties, 1054); }},
      {"a screen name",
       [](SettingsStore& s) { s.WriteScreenNames(settings::SignOnClient::Aol, 1, "bob", {"placeholder", "bob"}); },
       "AOL Options\\Screen Names", "Screen Name 0", L"\x03A9mega", 0,
       [](ConfigTest&, PageSet& p) { Click(*p.aolOptions, 1089); }},
      {"the default AOL site",
       [](SettingsStore& s) { s.SeedSiteList(settings::SiteList::AolSites); }, "AOL Options\\AOL Sites",
       "Default Site", L"aol://\x4E2D", 0, [](ConfigTest&, PageSet& p) { Click(*p.aolBrowser, 1073); }},
      {"a gadget flag stored as 2", {}, "AOL Options", "Kill Hotline Window", L"", 2,
       [](ConfigTest&, PageSet& p) { Click(*p.aolGadgets, 1089); }},
      {"mouse minutes stored as 0 (shown as 4)",
       [](SettingsStore&) { PutDword(Under("Settings"), "Simulate Mouse", 1); }, "Settings", "Mouse Timer", L"", 0,
       [](ConfigTest&, PageSet& p) { Click(*p.settings, 1025); }},
      {"POP3 minutes stored as 0 (shown as 10)",
       [](SettingsStore&) { PutDword(Under("MSN"), "Stay Online", 1); }, "MSN\\POP3", "Timer Interval", L"", 0,
       [](ConfigTest&, PageSet& p) { Click(*p.msn, 1089); }},
  };
  for (const KeptCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    PutDword(Under("Interval"), "Random Start", 15);
    PutDword(Under("Interval"), "Random End", 90);
    PutDword(Under("Interval"), "Fixed", 60);
    if (c.before) c.before(store_);
    if (c.text.empty()) PutDword(Under(c.key), c.value, c.number);
    else PutWide(Under(c.key), c.value, c.text);
    CConfigurationsDlg& dlg = Open(WorkProfile());
    c.touchSomethingElse(*this, dlg.pages());
    Click(dlg, IDOK);
    ASSERT_FALSE(IsWindow(dlg.hwnd())) << (boxes_.empty() ? "" : boxes_[0].text);
    if (c.text.empty()) EXPECT_EQ(RawDword(Under(c.key), c.value), c.number);
    else EXPECT_TRUE(RawWide(Under(c.key), c.value) == c.text);
  }
}

// ---- The MSN interval ----

struct IntervalCase {
  const char* name;
  DWORD pop3;  // "Enable POP3" before
  std::function<void(PageSet&)> edit;
  std::vector<std::string> messages;
  DWORD storedInterval, storedPop3;  // kNoDword: not written
  std::vector<std::pair<int, bool>> enabled;
};

TEST_F(ConfigTest, TheMsnIntervalIsCheckedWheneverItIsStored) {
  const IntervalCase cases[] = {
      {"edited, then MSN switched off", 0,
       [](PageSet& p) {
         Type(*p.msn, 1057, "0");
         Click(*p.msn, 1221);
       },
       {"Please enter an integer between 1 and 60."}, kNoDword, 0, {}},
      {"no server: POP3 goes off and both fields with it", 1, [](PageSet& p) { Type(*p.msn, 1057, "30"); }, {}, 30,
       0, {{1089, true}, {1058, false}, {1057, false}}},
      {"untouched while MSN is switched off", 0, [](PageSet& p) { Click(*p.msn, 1221); }, {}, kNoDword, 0, {}},
  };
  for (const IntervalCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    PutDword(Under("MSN"), "Stay Online", 1);
    PutDword(Under("MSN\\POP3"), "Enable POP3", c.pop3);
    CConfigurationsDlg& dlg = Open();
    c.edit(dlg.pages());
    EXPECT_EQ(dlg.SaveChangedPages(), c.messages.empty());
    EXPECT_EQ(BoxTexts(), c.messages);
    EXPECT_EQ(RawDword(Under("MSN\\POP3"), "Timer Interval"), c.storedInterval);
    EXPECT_EQ(RawDword(Under("MSN\\POP3"), "Enable POP3"), c.storedPop3);
    EXPECT_EQ(Checked(*dlg.pages().msn, 1089), c.storedPop3 == 1);
    for (const auto& [id, on] : c.enabled) EXPECT_EQ(Enabled(*dlg.pages().msn, id), on) << id;
  }
}

}  // namespace

// The configuration pages inside the dialog: what they load, their enable
// rules, what they save value by value, what they refuse, and the rules that
// write at once when a box is clicked.
#include <functional>
#include <string>
#include <vector>

#include "config/CChangeTitleDlg.h"
#include "config_fixture.h"
#include "config_pages.h"
#include "win/ComboBox.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;

enum class Is { Checked, Unchecked, Enabled, Disabled, Shown, Hidden, Text, Selection };

struct Expect {
  PagePick page;
  int id;
  Is is;
  std::string text = {};
};

void CheckAll(PageSet& pages, const std::vector<Expect>& expects) {
  for (const Expect& e : expects) {
    const win::Page& page = *e.page(pages);
    SCOPED_TRACE("template " + std::to_string(page.templateId()) + ", control " + std::to_string(e.id));
    HWND item = page.Item(e.id);
    ASSERT_NE(item, nullptr);
    switch (e.is) {
      case Is::Checked: EXPECT_TRUE(page.IsChecked(e.id)); break;
      case Is::Unchecked: EXPECT_FALSE(page.IsChecked(e.id)); break;
      case Is::Enabled: EXPECT_TRUE(IsWindowEnabled(item)); break;
      case Is::Disabled: EXPECT_FALSE(IsWindowEnabled(item)); break;
      case Is::Shown: EXPECT_TRUE(GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE); break;
      case Is::Hidden: EXPECT_FALSE(GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE); break;
      case Is::Text: EXPECT_EQ(page.ItemText(e.id), e.text); break;
      case Is::Selection: EXPECT_EQ(win::ComboSelection(item), e.text); break;
    }
  }
}

void ChooseEntry(const win::Page& page, int combo, int index) {
  SendMessageA(page.Item(combo), CB_SETCURSEL, index, 0);
  SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(page.Item(combo)));
}

std::string ExePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return path;
}

std::string RunEntry(const SettingsStore& store) {
  std::string path;
  return store.ReadRunEntry(path) ? path : "<none>";
}

TEST_F(ConfigTest, PagesLoadTheStoredSettingsAndApplyTheirEnableRules) {
  store_.Write(settings::kConnection, 3);
  store_.Write(settings::kSimulateMouse, 1);
  store_.Write(settings::kMouseTimer, 0);
  store_.Write(settings::kWinStart, 1);
  store_.Write(settings::kSplashScreen, 0);
  store_.Write(settings::kAolStayOnline, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\AOL\\aol.exe");
  store_.Write(settings::kAolSignOn, 1);
  store_.Write(settings::kAolAutoRedial, 1);
  store_.WriteScreenNames(settings::SignOnClient::Aol, 1, "bob", {"bob", "al"});
  store_.Write(settings::kAolKillHotline, 1);
  store_.Write(settings::kAolChildHotlineTitle, "Hotline Now");
  store_.Write(settings::kNetZeroStayOnline, 1);
  store_.Write(settings::kMsnStayOnline, 1);
  store_.Write(settings::kPop3Enable, 1);
  store_.WritePop3ServerName("pop.example.com");
  store_.Write(settings::kPop3TimerInterval, 0);
  // Without them the Properties page shows (and must store) its own numbers.
  store_.WriteIntervalNumbers(20, 40, 100);

  CConfigurationsDlg& dlg = Open();
  CheckAll(dlg.pages(), {
      {SettingsPage, IDC_SET_AUTO, Is::Checked},
      {SettingsPage, IDC_SET_MANUAL, Is::Unchecked},
      {SettingsPage, IDC_SET_AUTO, Is::Enabled},
      {SettingsPage, IDC_SET_TIP, Is::Hidden},
      {SettingsPage, IDC_SET_MOUSE, Is::Checked},
      {SettingsPage, IDC_SET_MINUTES, Is::Text, "4"},
      {SettingsPage, IDC_SET_WINSTART, Is::Checked},
      {SettingsPage, IDC_SET_SPLASH, Is::Checked},
      {DialerPage, IDC_DIALER_USE, Is::Unchecked},
      {DialerPage, IDC_DIALER_PROFILE, Is::Disabled},
      {DialerPage, IDC_DIALER_PROFILE, Is::Selection, "*** No dial-up profile available ***"},
      {DialerPage, IDC_DIALER_PROMPT_DIAL, Is::Checked},
      {ServicesPage, IDC_SVC_HTTP, Is::Checked},
      {ServicesPage, IDC_SVC_FTP, Is::Unchecked},
      {AolPage, IDC_AOL_STAY_ONLINE, Is::Checked},
      {AolPage, IDC_AOL_LAUNCH, Is::Checked},
      {AolPage, IDC_AOL_PATH, Is::Text, "C:\\AOL\\aol.exe"},
      {AolPage, IDC_AOL_AT_STARTUP, Is::Unchecked},
      {AolPage, IDC_AOL_SIGN_ON, Is::Checked},
      {AolPage, IDC_AOL_USE_NAME, Is::Checked},
      {AolPage, IDC_SIGNON_NAMES, Is::Enabled},
      {AolPage, IDC_SIGNON_NAMES, Is::Selection, "bob"},
      {AolPage, IDC_SIGNON_RECONNECT, Is::Checked},
      {AolGadgetsPage, IDC_GAD_HOTLINE, Is::Checked},
      {AolGadgetsPage, IDC_GAD_HOTLINE, Is::Text, "Kills the \"Hotline Now\" window"},
      {AolGadgetsPage, IDC_GAD_SEARCH, Is::Text, "Kills the \" AOL PLUS\" window"},
      {AolGadgetsPage, IDC_GAD_BUDDY, Is::Enabled},
      {AolGadgetsPage, IDC_GAD_NOTE, Is::Hidden},
      {AolBrowserPage, IDC_BROWSER_NOTE, Is::Hidden},
      {AolBrowserPage, IDC_BROWSER_USE_SITE, Is::Enabled},
      {AolBrowserPage, IDC_BROWSER_SITES, Is::Disabled},
      {AolBrowserPage, IDC_BROWSER_SITES, Is::Selection, "aol://1722:Computing"},
      {AolBrowserPage, IDC_BROWSER_EXTERNAL, Is::Enabled},
      {CsPage, IDC_CS_STAY_ONLINE, Is::Unchecked},
      {CsPage, IDC_CS_LAUNCH, Is::Disabled},
      {CsGadgetsPage, 1195, Is::Disabled},
      {CsGadgetsPage, 1195, Is::Text, "Kills the \"Contacts\" window"},
      {CsGadgetsPage, IDC_GAD_NOTE, Is::Shown},
      {NetZeroPage, IDC_NZ_STAY_ONLINE, Is::Checked},
      {NetZeroPage, IDC_NZ_VERSION, Is::Selection, "4.1"},
      {NetZeroPage, IDC_NZ_USE_DIALER, Is::Enabled},
      {NetZeroPage, IDC_NZ_PATH, Is::Disabled},
      {NetZeroPage, IDC_NZ_PATH, Is::Text, "[Path not set, please locate program name \"nzStart.exe\"]"},
      {MsnPage, IDC_MSN_POP3, Is::Checked},
      {MsnPage, IDC_MSN_SERVER, Is::Text, "pop.example.com"},
      {MsnPage, IDC_MSN_SERVER, Is::Enabled},
      {MsnPage, IDC_MSN_INTERVAL, Is::Text, "10"},
      {AttPage, IDC_ATT_STAY_ONLINE, Is::Unchecked},
      {AttPage, 1205, Is::Hidden},
  });
  // The browser page seeded both lists the first time it opened.
  EXPECT_EQ(SendMessageA(dlg.pages().aolBrowser->Item(IDC_BROWSER_SITES), CB_GETCOUNT, 0, 0), 13);
  EXPECT_EQ(SendMessageA(dlg.pages().aolBrowser->Item(IDC_BROWSER_URLS), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Stored(settings::kAolSpecificSiteSet), 1u);
  EXPECT_EQ(Stored(settings::kAolExtBrowserSiteSet), 1u);
  EXPECT_TRUE(boxes_.empty());
  // Loading is not a change: no page has anything to save yet.
  for (int c = 0; c < CConfigurationsDlg::kCategoryCount; ++c) {
    dlg.SelectCategory(c, false);
    for (const win::Page* page : dlg.tabPages()) EXPECT_FALSE(page->IsModified()) << page->templateId();
  }
  EXPECT_FALSE(IsWindowEnabled(dlg.Item(IDC_CONFIG_APPLY)));
}

struct SaveCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  PagePick page;
  std::function<void(PageSet&)> edit;
  std::vector<std::pair<settings::DwordSetting, DWORD>> dwords;
  std::vector<std::pair<settings::StringSetting, std::string>> texts;
  std::string runEntry;  // "" not checked
};

TEST_F(ConfigTest, EachPageSavesItsValues) {
  const std::string exe = ExePath();
  const SaveCase cases[] = {
      {"program settings", {}, SettingsPage,
       [](PageSet& p) {
         Click(*p.settings, IDC_SET_AUTO);
         Click(*p.settings, IDC_SET_MOUSE);
         Type(*p.settings, IDC_SET_MINUTES, "12");
         Click(*p.settings, IDC_SET_WINSTART);
         Click(*p.settings, IDC_SET_SPLASH);
       },
       {{settings::kConnection, 3}, {settings::kSimulateMouse, 1}, {settings::kMouseTimer, 12},
        {settings::kWinStart, 1}, {settings::kSplashScreen, 0}},
       {}, exe},
      {"program settings: start with Windows off, no Run entry to delete",
       [](SettingsStore& s) { s.Write(settings::kMouseTimer, 7); }, SettingsPage,
       [](PageSet& p) { Click(*p.settings, IDC_SET_SPLASH); },
       {{settings::kConnection, 1}, {settings::kSimulateMouse, 0}, {settings::kMouseTimer, 7},
        {settings::kWinStart, 0}, {settings::kSplashScreen, 0}},
       {}, "<none>"},
      {"ISP dialer with a profile",
       [](SettingsStore& s) { s.WriteProfileCredentials("Work", "old", "secret"); }, DialerPage,
       [](PageSet& p) {
         Click(*p.dialer, IDC_DIALER_USE);
         ChooseEntry(*p.dialer, IDC_DIALER_PROFILE, 1);
         EXPECT_EQ(p.dialer->ItemText(IDC_DIALER_LOGIN), "old");
         Type(*p.dialer, IDC_DIALER_LOGIN, "joe");
         Click(*p.dialer, IDC_DIALER_AT_STARTUP);
         Click(*p.dialer, IDC_DIALER_PROMPT_DIAL);
       },
       {{settings::kModemUseDialer, 1}, {settings::kModemDialAtStartup, 1}, {settings::kWinStart, 1},
        {settings::kModemPromptToDial, 0}, {settings::kModemPromptToDisconnect, 1},
        {settings::kModemReconnect, 0}, {settings::kConnection, 1}},
       {{settings::kModemProfile, "Work"}}, exe},
      {"ISP dialer off writes only the flag", [](SettingsStore& s) { s.Write(settings::kModemUseDialer, 1); },
       DialerPage, [](PageSet& p) { Click(*p.dialer, IDC_DIALER_USE); },
       {{settings::kModemUseDialer, 0}, {settings::kModemPromptToDial, 1}}, {}, ""},
      {"services", {}, ServicesPage,
       [](PageSet& p) {
         Click(*p.services, IDC_SVC_HTTP);
         Click(*p.services, IDC_SVC_USER);
       },
       {{settings::kHttpOn, 0}, {settings::kUserPortOn, 1}, {settings::kFtpOn, 0}}, {}, ""},
      {"AOL sign-on launching at start-up",
       [](SettingsStore& s) { s.Write(settings::kAolStayOnline, 1); }, AolPage,
       [](PageSet& p) {
         Click(*p.aolOptions, IDC_AOL_LAUNCH);
         Type(*p.aolOptions, IDC_AOL_PATH, "D:\\aol\\aol.exe");
         Click(*p.aolOptions, IDC_AOL_AT_STARTUP);
         Click(*p.aolOptions, IDC_AOL_SIGN_ON);
       },
       {{settings::kAolStayOnline, 1}, {settings::kAolLaunchBrowser, 1}, {settings::kAolDialAtStartup, 1},
        {settings::kAolSignOn, 1}, {settings::kWinStart, 1}, {settings::kAolUseScreenName, 0}},
       {{settings::kAolProgramPath, "D:\\aol\\aol.exe"}}, exe},
      {"AOL sign-on without launching keeps the stored path",
       [](SettingsStore& s) {
         s.Write(settings::kAolStayOnline, 1);
         s.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\kept.exe");
       },
       AolPage, [](PageSet& p) { Click(*p.aolOptions, IDC_AOL_LAUNCH); },
       {{settings::kAolLaunchBrowser, 0}, {settings::kAolStayOnline, 1}},
       {{settings::kAolProgramPath, "C:\\kept.exe"}}, ""},
      {"AOL gadgets unchanged keep a stored flag", [](SettingsStore& s) { s.Write(settings::kAolKillHotline, 1); },
       AolGadgetsPage, [](PageSet& p) { Click(*p.aolGadgets, IDC_GAD_BUDDY); },
       {{settings::kAolKillHotline, 1}, {settings::kAolKillBuddyList, 1}, {settings::kAolMinimizeWelcome, 0}},
       {}, ""},
      {"CS gadgets", {}, CsGadgetsPage, [](PageSet& p) { Click(*p.csGadgets, 1198); },
       {{settings::kCsKillChildFour, 1}, {settings::kCsKillChildOne, 0}, {settings::kCsKillAdvertisement, 0}},
       {}, ""},
      {"NetZero with its dialer, path from Browse", {}, NetZeroPage,
       [this](PageSet& p) {
         Click(*p.netZero, IDC_NZ_STAY_ONLINE);
         Click(*p.netZero, IDC_NZ_USE_DIALER);
         fileToOpen_ = "C:\\NetZero\\nzStart.exe";
         Click(*p.netZero, IDC_NZ_BROWSE);
         Click(*p.netZero, IDC_NZ_TRAY_DIAL);
         ChooseEntry(*p.netZero, IDC_NZ_VERSION, 3);
       },
       {{settings::kNetZeroStayOnline, 1}, {settings::kNetZeroUseDialer, 1}, {settings::kNetZeroTrayDial, 1},
        {settings::kNetZeroDialAtStartup, 0}, {settings::kNetZeroAutoRedial, 0}},
       {{settings::kNetZeroProgramPath, "C:\\NetZero\\nzStart.exe"}, {settings::kNetZeroVersion, "2.2"}}, ""},
      {"MSN with POP3 but no server", {}, MsnPage,
       [](PageSet& p) {
         Click(*p.msn, IDC_MSN_STAY_ONLINE);
         Click(*p.msn, IDC_MSN_POP3);
         Type(*p.msn, IDC_MSN_INTERVAL, "45");
       },
       {{settings::kMsnStayOnline, 1}, {settings::kPop3Enable, 0}, {settings::kPop3TimerInterval, 45}},
       {{settings::kPop3ServerName, "   "}}, ""},
      {"AT&T", {}, AttPage, [](PageSet& p) { Click(*p.att, IDC_ATT_STAY_ONLINE); },
       {{settings::kAttStayOnline, 1}}, {}, ""},
  };
  // A standard user's saves go to the user's own copy and read back from it.
  for (const bool standardUser : {false, true}) {
    for (const SaveCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (standardUser ? ", as a standard user" : ""));
      testing_support::ClearProgramSettings();
      store_ = standardUser ? SettingsStore::WithMachineReadOnly() : SettingsStore();
      boxes_.clear();
      if (c.before) c.before(store_);
      CConfigurationsDlg& dlg = Open([](std::vector<std::string>& names) {
        names = {"Home", "Work"};
        return DWORD{0};
      });
      c.edit(dlg.pages());
      win::Page& page = *c.page(dlg.pages());
      ASSERT_TRUE(page.IsModified());
      EXPECT_TRUE(dlg.SaveChangedPages());
      EXPECT_FALSE(page.IsModified());
      EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_[0].text);
      const SettingsStore program;
      for (const auto& [setting, value] : c.dwords) EXPECT_EQ(program.Read(setting), value) << setting.name;
      for (const auto& [setting, text] : c.texts) {
        std::string stored = "<missing>";
        program.Read(setting, stored);
        EXPECT_EQ(stored, text) << setting.name;
      }
      if (!c.runEntry.empty()) {
        EXPECT_EQ(RunEntry(program), c.runEntry);
      }
      if (standardUser) {
        EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE), 0) << "nothing reached the machine's copy";
        EXPECT_GT(ValueCount(HKEY_CURRENT_USER), 0);
      }
      Close();
    }
  }
  store_ = SettingsStore();
}

TEST_F(ConfigTest, DialerSavesTheChosenProfilesCredentials) {
  CConfigurationsDlg& dlg = Open([](std::vector<std::string>& names) {
    names = {"Home", "Work"};
    return DWORD{0};
  });
  CPageISPDialerDlg& dialer = *dlg.pages().dialer;
  Click(dialer, IDC_DIALER_USE);
  ChooseEntry(dialer, IDC_DIALER_PROFILE, 1);
  Type(dialer, IDC_DIALER_LOGIN, "joe");
  Type(dialer, IDC_DIALER_PASSWORD, "pw");
  ASSERT_TRUE(dlg.SaveChangedPages());
  std::string login, password;
  ASSERT_TRUE(store_.ReadProfileCredentials("Work", login, password));
  EXPECT_EQ(login, "joe");
  EXPECT_EQ(password, "pw");
  EXPECT_FALSE(store_.ReadProfileCredentials("Home", login, password));
}

struct RefusalCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  PagePick page;
  std::function<void(PageSet&)> edit;
  std::string message;
  int field;
  UINT icon;
};

TEST_F(ConfigTest, PagesRefuseWhatTheyCannotSaveAndStayChanged) {
  const std::string tooLong(255, 'x');
  const RefusalCase cases[] = {
      {"minutes 0", {}, SettingsPage,
       [](PageSet& p) {
         Click(*p.settings, IDC_SET_MOUSE);
         Type(*p.settings, IDC_SET_MINUTES, "0");
       },
       "Please enter an integer between 1 and 999.", IDC_SET_MINUTES, MB_ICONEXCLAMATION},
      {"minutes 1000", {}, SettingsPage,
       [](PageSet& p) {
         Click(*p.settings, IDC_SET_MOUSE);
         Type(*p.settings, IDC_SET_MINUTES, "1000");
       },
       "Please enter an integer between 1 and 999.", IDC_SET_MINUTES, MB_ICONEXCLAMATION},
      {"dialer without login", {}, DialerPage, [](PageSet& p) { Click(*p.dialer, IDC_DIALER_USE); },
       "Cannot save dial-up profile with empty login name", IDC_DIALER_LOGIN, MB_ICONINFORMATION},
      {"dialer login too long", {}, DialerPage,
       [&](PageSet& p) {
         Click(*p.dialer, IDC_DIALER_USE);
         Type(*p.dialer, IDC_DIALER_LOGIN, tooLong);
       },
       "Please enter no more than 254 characters.", IDC_DIALER_LOGIN, MB_ICONEXCLAMATION},
      {"AOL launch without path", [](SettingsStore& s) { s.Write(settings::kAolStayOnline, 1); }, AolPage,
       [](PageSet& p) { Click(*p.aolOptions, IDC_AOL_LAUNCH); },
       "Program path needs to be set in order to launch and execute AOL browser correctly.", IDC_AOL_PATH,
       MB_ICONINFORMATION},
      {"CS launch without path", [](SettingsStore& s) { s.Write(settings::kCsStayOnline, 1); }, CsPage,
       [](PageSet& p) { Click(*p.csOptions, IDC_CS_LAUNCH); },
       "Program path needs to be set in order to launch and execute CS browser correctly.", IDC_CS_PATH,
       MB_ICONINFORMATION},
      // A program path must fit MAX_PATH: 260 characters do not.
      {"AOL path too long", [](SettingsStore& s) { s.Write(settings::kAolStayOnline, 1); }, AolPage,
       [&](PageSet& p) {
         Click(*p.aolOptions, IDC_AOL_LAUNCH);
         Type(*p.aolOptions, IDC_AOL_PATH, "C:\\" + std::string(253, 'a') + ".exe");
       },
       "Please enter no more than 259 characters.", IDC_AOL_PATH, MB_ICONEXCLAMATION},
      {"CS path too long", [](SettingsStore& s) { s.Write(settings::kCsStayOnline, 1); }, CsPage,
       [&](PageSet& p) {
         Click(*p.csOptions, IDC_CS_LAUNCH);
         Type(*p.csOptions, IDC_CS_PATH, "C:\\" + std::string(1000, 'c') + ".exe");
       },
       "Please enter no more than 259 characters.", IDC_CS_PATH, MB_ICONEXCLAMATION},
      {"NetZero placeholder path", {}, NetZeroPage,
       [](PageSet& p) {
         Click(*p.netZero, IDC_NZ_STAY_ONLINE);
         Click(*p.netZero, IDC_NZ_USE_DIALER);
       },
       "Program path needs to be set in order to launch and execute NetZero dialer correctly.", IDC_NZ_PATH,
       MB_ICONINFORMATION},
      {"NetZero path too long", {}, NetZeroPage,
       [&](PageSet& p) {
         Click(*p.netZero, IDC_NZ_STAY_ONLINE);
         Click(*p.netZero, IDC_NZ_USE_DIALER);
         Type(*p.netZero, IDC_NZ_PATH, tooLong);
       },
       "Please enter no more than 254 characters.", IDC_NZ_PATH, MB_ICONEXCLAMATION},
      {"MSN interval 61", [](SettingsStore& s) { s.Write(settings::kMsnStayOnline, 1); }, MsnPage,
       [](PageSet& p) { Type(*p.msn, IDC_MSN_INTERVAL, "61"); }, "Please enter an integer between 1 and 60.",
       IDC_MSN_INTERVAL, MB_ICONEXCLAMATION},
      {"properties interval not a number", {}, PropertiesPage,
       [](PageSet& p) { Type(*p.properties, IDC_PROP_AND, "abc"); }, "Please enter an integer.", IDC_PROP_AND,
       MB_ICONEXCLAMATION},
      {"properties fixed 901", [](SettingsStore& s) { s.Write(settings::kIntervalOption, 2); }, PropertiesPage,
       [](PageSet& p) { Type(*p.properties, IDC_PROP_FIXED, "901"); },
       "Please enter an integer between 1 and 900.", IDC_PROP_FIXED, MB_ICONEXCLAMATION},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    if (c.before) c.before(store_);
    CConfigurationsDlg& dlg = Open();
    ShowWindow(dlg.hwnd(), SW_SHOW);
    c.edit(dlg.pages());
    win::Page& page = *c.page(dlg.pages());
    EXPECT_FALSE(dlg.SaveChangedPages());
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{c.message});
    EXPECT_EQ(boxes_[0].caption, "Tetherly!");
    EXPECT_EQ(boxes_[0].owner, dlg.hwnd());
    EXPECT_EQ(boxes_[0].type & MB_ICONMASK, c.icon);
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ(page.refusedControl(), c.field);
    // The dialog shows the refused page with the field to mend.
    EXPECT_EQ(dlg.CurrentPage(), &page);
    EXPECT_EQ(GetFocus(), page.Item(c.field));
    EXPECT_TRUE(IsWindowEnabled(dlg.Item(IDC_CONFIG_APPLY)));
    Close();
  }
  // Nothing of the refused pages reached the registry.
  EXPECT_FALSE(Exists(settings::kKeyInterval, "Fixed"));
}

struct RuleCase {
  const char* name;
  std::function<void(SettingsStore&)> before;
  PagePick page;
  int click;
  std::vector<std::pair<settings::DwordSetting, DWORD>> written;
  std::vector<Expect> shown;
};

TEST_F(ConfigTest, ChoosingOneWayOfWorkingSwitchesTheOthersOffAtOnce) {
  auto allOn = [](SettingsStore& s) {
    s.Write(settings::kModemUseDialer, 1);
    s.Write(settings::kModemOneStop, 1);
    s.Write(settings::kModemDialAtStartup, 1);
    s.Write(settings::kNetZeroStayOnline, 1);
    s.Write(settings::kNetZeroUseDialer, 1);
    s.Write(settings::kNetZeroTrayDial, 1);
    s.Write(settings::kNetZeroDialAtStartup, 1);
    s.Write(settings::kAttStayOnline, 1);
    s.Write(settings::kMsnStayOnline, 1);
    s.Write(settings::kConnection, 3);
  };
  const RuleCase cases[] = {
      {"MSN from off", [&](SettingsStore& s) {
         allOn(s);
         s.Write(settings::kMsnStayOnline, 0);
       },
       MsnPage, IDC_MSN_STAY_ONLINE,
       {{settings::kNetZeroStayOnline, 0}, {settings::kNetZeroUseDialer, 0}, {settings::kNetZeroTrayDial, 0},
        {settings::kNetZeroDialAtStartup, 1}, {settings::kModemUseDialer, 0}, {settings::kModemOneStop, 0},
        {settings::kModemDialAtStartup, 1}, {settings::kAttStayOnline, 0}, {settings::kConnection, 3}},
       {{NetZeroPage, IDC_NZ_STAY_ONLINE, Is::Unchecked}, {NetZeroPage, IDC_NZ_VERSION, Is::Disabled},
        {DialerPage, IDC_DIALER_USE, Is::Unchecked}, {DialerPage, IDC_DIALER_PROFILE, Is::Disabled},
        {DialerPage, IDC_DIALER_ONE_STOP, Is::Unchecked}, {AttPage, IDC_ATT_STAY_ONLINE, Is::Unchecked}}},
      {"NetZero", [&](SettingsStore& s) {
         allOn(s);
         s.Write(settings::kNetZeroStayOnline, 0);
       },
       NetZeroPage, IDC_NZ_STAY_ONLINE,
       {{settings::kModemUseDialer, 0}, {settings::kModemOneStop, 0}, {settings::kModemDialAtStartup, 0},
        {settings::kConnection, 1}, {settings::kAttStayOnline, 0}, {settings::kMsnStayOnline, 0}},
       {{DialerPage, IDC_DIALER_AT_STARTUP, Is::Unchecked}, {MsnPage, IDC_MSN_STAY_ONLINE, Is::Unchecked},
        {MsnPage, IDC_MSN_POP3, Is::Disabled}}},
      {"NetZero's dialer box takes the plain form", [&](SettingsStore& s) {
         allOn(s);
         s.Write(settings::kNetZeroUseDialer, 0);
       },
       NetZeroPage, IDC_NZ_USE_DIALER,
       {{settings::kModemUseDialer, 0}, {settings::kModemOneStop, 0}, {settings::kModemDialAtStartup, 1},
        {settings::kConnection, 3}, {settings::kAttStayOnline, 1}, {settings::kMsnStayOnline, 1}},
       {{DialerPage, IDC_DIALER_USE, Is::Unchecked}, {DialerPage, IDC_DIALER_AT_STARTUP, Is::Checked}}},
      {"AT&T", [&](SettingsStore& s) {
         allOn(s);
         s.Write(settings::kAttStayOnline, 0);
       },
       AttPage, IDC_ATT_STAY_ONLINE,
       {{settings::kModemUseDialer, 0}, {settings::kNetZeroStayOnline, 0}, {settings::kMsnStayOnline, 0},
        {settings::kConnection, 3}},
       {{MsnPage, IDC_MSN_POP3, Is::Disabled}}},
      {"the program's own dialer", [&](SettingsStore& s) {
         allOn(s);
         s.Write(settings::kModemUseDialer, 0);
       },
       DialerPage, IDC_DIALER_USE,
       {{settings::kNetZeroStayOnline, 0}, {settings::kNetZeroDialAtStartup, 0}, {settings::kAttStayOnline, 0},
        {settings::kMsnStayOnline, 0}, {settings::kConnection, 1}},
       {{NetZeroPage, IDC_NZ_AT_STARTUP, Is::Unchecked}, {DialerPage, IDC_DIALER_PROFILE, Is::Enabled}}},
      {"AOL turns CompuServe off", [](SettingsStore& s) { s.Write(settings::kCsStayOnline, 1); }, AolPage,
       IDC_AOL_STAY_ONLINE, {{settings::kCsStayOnline, 0}},
       {{CsPage, IDC_CS_STAY_ONLINE, Is::Unchecked}, {CsPage, IDC_CS_LAUNCH, Is::Disabled},
        {CsGadgetsPage, 1195, Is::Disabled}, {CsGadgetsPage, IDC_GAD_NOTE, Is::Shown},
        {AolGadgetsPage, IDC_GAD_BUDDY, Is::Enabled}, {AolGadgetsPage, IDC_GAD_NOTE, Is::Hidden}}},
      {"CompuServe turns AOL off", [](SettingsStore& s) { s.Write(settings::kAolStayOnline, 1); }, CsPage,
       IDC_CS_STAY_ONLINE, {{settings::kAolStayOnline, 0}},
       {{AolPage, IDC_AOL_STAY_ONLINE, Is::Unchecked}, {AolPage, IDC_AOL_ADVANCED, Is::Disabled},
        {AolGadgetsPage, IDC_GAD_NOTE, Is::Shown}, {AolBrowserPage, IDC_BROWSER_NOTE, Is::Shown},
        {CsGadgetsPage, 1195, Is::Enabled}}},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    c.before(store_);
    CConfigurationsDlg& dlg = Open();
    Click(*c.page(dlg.pages()), c.click);
    // Written before any OK, and Cancel does not take it back.
    Click(dlg, IDCANCEL);
    EXPECT_FALSE(IsWindow(dlg.hwnd()));
    for (const auto& [setting, value] : c.written) EXPECT_EQ(Stored(setting), value) << setting.name;
    if (!c.shown.empty()) {
      // The other pages show it (a fresh dialog on the same store would too).
      CConfigurationsDlg& again = Open();
      c.before(store_);
      Click(*c.page(again.pages()), c.click);
      CheckAll(again.pages(), c.shown);
      EXPECT_TRUE(again.SavedAny());
    }
    Close();
  }
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ConfigTest, ProgramSettingsKeepManualWhileTheProgramDialsOrLaunchesAtStartUp) {
  const std::vector<std::function<void(SettingsStore&)>> locks = {
      [](SettingsStore& s) { s.Write(settings::kModemUseDialer, 1); },
      [](SettingsStore& s) {
        s.Write(settings::kNetZeroStayOnline, 1);
        s.Write(settings::kNetZeroUseDialer, 1);
      },
      [](SettingsStore& s) {
        s.Write(settings::kAolStayOnline, 1);
        s.Write(settings::kAolDialAtStartup, 1);
        s.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\aol.exe");
      },
      [](SettingsStore& s) {
        s.Write(settings::kCsStayOnline, 1);
        s.Write(settings::kCsDialAtStartup, 1);
        s.WriteBrowserLaunch(settings::SignOnClient::Cs, 1, "C:\\cs.exe");
      },
  };
  for (size_t i = 0; i < locks.size(); ++i) {
    SCOPED_TRACE(i);
    testing_support::ClearProgramSettings();
    store_.Write(settings::kConnection, 3);
    locks[i](store_);
    CConfigurationsDlg& dlg = Open();
    CPageSettingsDlg& page = *dlg.pages().settings;
    EXPECT_TRUE(page.IsLocked());
    CheckAll(dlg.pages(), {{SettingsPage, IDC_SET_MANUAL, Is::Checked}, {SettingsPage, IDC_SET_AUTO, Is::Disabled},
                           {SettingsPage, IDC_SET_MANUAL_TEXT, Is::Disabled}, {SettingsPage, IDC_SET_TIP, Is::Shown}});
    Click(page, IDC_SET_SPLASH);
    ASSERT_TRUE(dlg.SaveChangedPages());
    EXPECT_EQ(Stored(settings::kConnection), 1u);
    Close();
  }
  // Unlocked, and locked again by another page's box when shown again.
  testing_support::ClearProgramSettings();
  CConfigurationsDlg& dlg = Open();
  CPageSettingsDlg& page = *dlg.pages().settings;
  EXPECT_FALSE(page.IsLocked());
  Click(page, IDC_SET_AUTO);
  dlg.SelectCategory(CConfigurationsDlg::kNetZero, false);
  Click(*dlg.pages().netZero, IDC_NZ_STAY_ONLINE);
  Click(*dlg.pages().netZero, IDC_NZ_USE_DIALER);
  dlg.SelectCategory(CConfigurationsDlg::kProgramSettings, false);
  EXPECT_TRUE(page.IsLocked());
  EXPECT_TRUE(page.IsChecked(IDC_SET_MANUAL));
  EXPECT_TRUE(page.IsModified());
}

TEST_F(ConfigTest, DialerPageListsProfilesThroughItsSeam) {
  store_.Write(settings::kModemUseDialer, 1);
  store_.Write(settings::kModemProfile, "Work");
  store_.WriteProfileCredentials("Work", "joe", "pw");
  struct ListerCase {
    const char* name;
    DWORD rc;
    std::vector<std::string> names;
    std::string selected;
    bool initialised;
    std::vector<std::string> messages;
  };
  const ListerCase cases[] = {
      {"entries", 0, {"Home", "Work"}, "Work", true, {}},
      {"stored entry gone", 0, {"Home", "Office"}, "Home", true, {}},
      {"none", 0, {}, "*** No dial-up profile available ***", true, {}},
      {"failure", 623, {"Home"}, "", false, {"Error in retrieving the Dial-Up Profiles."}},
  };
  for (const ListerCase& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.clear();
    CConfigurationsDlg& dlg = Open([&](std::vector<std::string>& names) {
      names = c.names;
      return c.rc;
    });
    CPageISPDialerDlg& page = *dlg.pages().dialer;
    EXPECT_EQ(page.IsInitialised(), c.initialised);
    EXPECT_EQ(BoxTexts(), c.messages);
    if (!c.messages.empty()) {
      EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
    EXPECT_EQ(win::ComboSelection(page.Item(IDC_DIALER_PROFILE)), c.selected);
    EXPECT_EQ(page.IsChecked(IDC_DIALER_USE), c.initialised);
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_DIALER_USE)));
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_DIALER_LOGIN)) != 0, c.initialised);
    EXPECT_EQ(page.ItemText(IDC_DIALER_LOGIN), c.name == std::string("entries") ? "joe" : "");
    // Another page's rule judges an uninitialised dialer page by the store.
    Click(*dlg.pages().att, IDC_ATT_STAY_ONLINE);
    EXPECT_EQ(Stored(settings::kModemUseDialer), 0u);
    store_.Write(settings::kModemUseDialer, 1);
    Close();
  }
}

TEST_F(ConfigTest, PageButtonsOpenTheirDialogs) {
  store_.Write(settings::kAolStayOnline, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\aol.exe");
  store_.Write(settings::kAolSignOn, 1);
  store_.WriteScreenNames(settings::SignOnClient::Aol, 1, "mike", {"mike"});
  store_.Write(settings::kCsStayOnline, 0);
  CConfigurationsDlg& dlg = Open();
  ShowWindow(dlg.hwnd(), SW_SHOW);
  PageSet& pages = dlg.pages();

  // Browse: the chosen path lands in the field; each page has its default name.
  fileToOpen_ = "C:\\Program Files\\AOL\\aol.exe";
  Click(*pages.aolOptions, IDC_AOL_BROWSE);
  EXPECT_EQ(pages.aolOptions->ItemText(IDC_AOL_PATH), fileToOpen_);
  fileToOpen_.clear();
  Click(*pages.csOptions, IDC_CS_BROWSE);  // disabled on screen; the seam still reports its name
  EXPECT_EQ(pages.csOptions->ItemText(IDC_CS_PATH), "");
  EXPECT_EQ(fileDefaults_, (std::vector<std::string>{"Aol.exe", "CS.exe"}));

  // Screen names: the list comes back sorted and the selection stays.
  {
    ModalScript script([](HWND d) {
      SetDlgItemTextA(d, IDC_LIST_ADD_TEXT, "adam");
      Press(d, IDC_LIST_ADD);
      Press(d, IDOK);
    });
    Click(*pages.aolOptions, IDC_AOL_USE_NAME);  // off and on again: stays usable
    Click(*pages.aolOptions, IDC_AOL_USE_NAME);
    Click(*pages.aolOptions, IDC_SIGNON_SCREEN_NAMES);
    EXPECT_TRUE(script.ran());
  }
  EXPECT_EQ(win::ComboItems(pages.aolOptions->Item(IDC_SIGNON_NAMES)), (std::vector<std::string>{"adam", "mike"}));
  EXPECT_EQ(win::ComboSelection(pages.aolOptions->Item(IDC_SIGNON_NAMES)), "mike");

  // Change Title writes at once; an empty title is not written.
  for (const char* title : {"Friends", ""}) {
    ModalScript script([&](HWND d) {
      SetDlgItemTextA(d, IDC_TITLE_TEXT, title);
      Press(d, IDOK);
    });
    Click(*pages.aolGadgets, IDC_GAD_BUDDY_TITLE);
    EXPECT_TRUE(script.ran());
    EXPECT_EQ(Stored(settings::kAolChildBuddyTitle), "Friends");
    EXPECT_EQ(pages.aolGadgets->ItemText(IDC_GAD_BUDDY), "Kills the \"Friends\" window");
  }

  // AOL Advanced Options: written when it ends with OK, the page marked changed.
  {
    ModalScript script([](HWND d) {
      SetDlgItemTextA(d, IDC_ADV_INTERVAL, "5");
      SetDlgItemTextA(d, IDC_ADV_SIGNON_TITLE, "Sign On");
      Press(d, IDOK);
    });
    Click(*pages.aolOptions, IDC_AOL_ADVANCED);
    EXPECT_TRUE(script.ran());
  }
  EXPECT_EQ(Stored(settings::kAolScanInterval), 5u);
  EXPECT_EQ(Stored(settings::kAolSignOnTitle), "Sign On");
  EXPECT_TRUE(pages.aolOptions->IsModified());
  EXPECT_TRUE(dlg.SavedAny());

  ASSERT_TRUE(dlg.SaveChangedPages());
  DWORD use = 0;
  std::string defaultName;
  std::vector<std::string> names;
  store_.ReadScreenNames(settings::SignOnClient::Aol, use, defaultName, names);
  EXPECT_EQ(names, (std::vector<std::string>{"adam", "mike"}));
  EXPECT_EQ(defaultName, "mike");
  std::string path;
  DWORD launch = 0;
  store_.ReadBrowserLaunch(settings::SignOnClient::Aol, launch, path);
  EXPECT_EQ(path, "C:\\Program Files\\AOL\\aol.exe");
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace

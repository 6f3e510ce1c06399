// Tray clicks, the tray menu's state and its commands.
#include "controller_fixture.h"

#include "app/AboutDlg.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"

namespace {

struct MenuState {
  // Grayed items are disabled as well.
  bool grayed(UINT id) const {
    const UINT state = GetMenuState(popup, id, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_GRAYED) != 0, (state & MF_DISABLED) != 0) << id;
    return (state & MF_GRAYED) != 0;
  }
  HMENU menu = nullptr;
  HMENU popup = nullptr;
};

class TrayMenuTest : public ControllerTest {
 protected:
  MenuState Build() {
    MenuState m;
    m.menu = dlg_->BuildTrayMenu();
    m.popup = m.menu ? GetSubMenu(m.menu, 0) : nullptr;
    menus_.push_back(m.menu);
    return m;
  }
  std::string Caption(HMENU menu, int position) {
    char buf[128] = {};
    GetMenuStringA(menu, position, buf, sizeof(buf), MF_BYPOSITION);
    return buf;
  }
  void ConfigureAolSignOn(const std::vector<std::string>& names) {
    Write(settings::kAolStayOnline, 1);
    store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\aol\\aol.exe");
    Write(settings::kAolSignOn, 1);
    store_.WriteScreenNames(settings::SignOnClient::Aol, 1, names.empty() ? "" : names[0], names);
  }
  ~TrayMenuTest() override {
    for (HMENU m : menus_) DestroyMenu(m);
  }
  std::vector<HMENU> menus_;
};

TEST_F(TrayMenuTest, DialAndHangUpFollowTheDialStateAndTheDialers) {
  Write(settings::kModemUseDialer, 1);
  Start();
  MenuState idle = Build();
  ASSERT_NE(idle.popup, nullptr);
  EXPECT_FALSE(idle.grayed(cmd::kDial));
  EXPECT_TRUE(idle.grayed(cmd::kHangUp));
  dlg_->SetDialState(0);
  MenuState busy = Build();
  EXPECT_TRUE(busy.grayed(cmd::kDial));
  EXPECT_FALSE(busy.grayed(cmd::kHangUp));

  Write(settings::kModemUseDialer, 0);
  MenuState none = Build();
  EXPECT_TRUE(none.grayed(cmd::kDial));
  EXPECT_TRUE(none.grayed(cmd::kHangUp));
  Write(settings::kNetZeroStayOnline, 1);
  EXPECT_FALSE(Build().grayed(cmd::kHangUp));
}

TEST_F(TrayMenuTest, FourAolScreenNamesGiveFourBoundItems) {
  ConfigureAolSignOn({"alpha", "bravo", "charlie", "delta"});
  Start();
  MenuState m = Build();
  EXPECT_EQ(Caption(m.popup, 8), "SignOn AOL Using...");
  HMENU names = GetSubMenu(m.popup, 8);
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(GetMenuItemCount(names), 4);
  const char* expected[] = {"alpha", "bravo", "charlie", "delta"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(GetMenuItemID(names, k), static_cast<UINT>(cmd::kScreenNameFirst + k));
    EXPECT_EQ(Caption(names, k), expected[k]);
  }
}

TEST_F(TrayMenuTest, OnlySevenNamesAreOffered) {
  std::vector<std::string> names;
  for (int i = 0; i < 9; ++i) names.push_back("name" + std::to_string(i));
  ConfigureAolSignOn(names);
  Start();
  HMENU popup = GetSubMenu(Build().popup, 8);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), 7);
  EXPECT_EQ(GetMenuItemID(popup, 6), static_cast<UINT>(cmd::kScreenNameLast));
}

TEST_F(TrayMenuTest, NoSignOnPopupWhenAConditionFails) {
  ConfigureAolSignOn({"alpha"});
  Write(settings::kAolSignOn, 0);
  Start();
  MenuState m = Build();
  for (int i = 0; i < GetMenuItemCount(m.popup); ++i)
    EXPECT_EQ(GetSubMenu(m.popup, i), nullptr) << "position " << i;
  EXPECT_EQ(GetMenuItemCount(m.popup), 13);
}

TEST_F(TrayMenuTest, Cs2000NamesWhenAolIsNotUsed) {
  Write(settings::kCsStayOnline, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Cs, 1, "C:\\cs\\cs.exe");
  Write(settings::kCsSignOn, 1);
  store_.WriteScreenNames(settings::SignOnClient::Cs, 1, "x", {"x", "y"});
  Start();
  MenuState m = Build();
  EXPECT_EQ(Caption(m.popup, 8), "SignOn CS2000 Using...");
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(m.popup, 8)), 2);
}

TEST_F(TrayMenuTest, AutoNetSenseAndOpenDialogsGrayTheirItems) {
  Write(settings::kConnection, 3);
  Start();
  MenuState m = Build();
  EXPECT_TRUE(m.grayed(cmd::kActivateAutoNetSense));
  EXPECT_FALSE(m.grayed(cmd::kConfigurationWizard));
  dlg_->SetConfigDialogOpen(true);
  MenuState open = Build();
  EXPECT_TRUE(open.grayed(cmd::kConfigurationWizard));
  EXPECT_TRUE(open.grayed(cmd::kAdvancedConfigurations));
}

TEST_F(TrayMenuTest, ChoosingAScreenNameWritesBothClientsAndToggles) {
  ConfigureAolSignOn({"alpha", "bravo", "charlie"});
  Start();
  Build();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kScreenNameFirst + 1, 0);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  for (auto client : {settings::SignOnClient::Aol, settings::SignOnClient::Cs}) {
    DWORD use = 0;
    std::string def;
    std::vector<std::string> names;
    store_.ReadScreenNames(client, use, def, names);
    EXPECT_EQ(use, 1u);
    EXPECT_EQ(def, "bravo");
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "bravo", "charlie"}));
  }
  // A running service stops on the next choice.
  Build();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kScreenNameFirst, 0);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
}

TEST_F(ControllerTest, LeftClickTogglesByDefault) {
  Start();
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONDOWN);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Stopped);
}

TEST_F(ControllerTest, LeftClickTogglesNetZerosDialerWhenTrayDialIsOn) {
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kNetZeroUseDialer, 1);
  Write(settings::kNetZeroTrayDial, 1);
  Start();
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_TRUE(Saw("toggleNetZero"));
  EXPECT_TRUE(dlg_->netZeroDialerStarted());
}

TEST_F(ControllerTest, NetZeroDialerWithoutTrayDialStillToggles) {
  Write(settings::kNetZeroStayOnline, 1);
  Write(settings::kNetZeroUseDialer, 1);
  Write(settings::kModemUseDialer, 1);
  Start();
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_FALSE(Saw("toggleNetZero"));
  EXPECT_EQ(dlg_->mode(), ConnectionMode::Running);
}

TEST_F(ControllerTest, OneStopClickDialsOrAsksBeforeHangingUp) {
  Write(settings::kModemUseDialer, 1);
  Write(settings::kModemOneStop, 1);
  std::vector<std::string> asked;
  int answer = IDNO;
  options_.seams.prompt.ask = [&](const char* text, UINT) {
    asked.push_back(text);
    return answer;
  };
  Start();
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_TRUE(Saw("startDial"));
  EXPECT_TRUE(asked.empty());

  dialing_ = true;
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "Are you sure you want to disconnect your dial-up session?");
  EXPECT_FALSE(Saw("hangUp"));
  answer = IDYES;
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_EQ(Count("hangUp"), 1);

  Write(settings::kModemPromptToDisconnect, 0);
  SendMessageA(dlg_->hwnd(), msg::kTrayNotify, 32517, WM_LBUTTONUP);
  EXPECT_EQ(Count("hangUp"), 2);
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(ControllerTest, DialCommandRoutesByTheConfiguredDialer) {
  std::vector<std::string> asked;
  int configRuns = 0;
  INT_PTR configResult = IDCANCEL;
  options_.seams.prompt.ask = [&](const char* text, UINT) {
    asked.push_back(text);
    return IDYES;
  };
  options_.seams.config.runConfigDialog = [&]() -> INT_PTR {
    ++configRuns;
    EXPECT_TRUE(dlg_->IsConfigDialogOpen());
    return configResult;
  };
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "You have not configured to use modem dialer. Do you want to configure it now?");
  EXPECT_EQ(configRuns, 1);
  EXPECT_FALSE(dlg_->IsConfigDialogOpen());
  EXPECT_FALSE(Saw("look7"));  // nothing saved: nothing to reload
  // Settings written while it was open take effect on this route too.
  configResult = IDOK;
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  EXPECT_EQ(configRuns, 2);
  EXPECT_TRUE(Saw("look7"));

  Write(settings::kModemUseDialer, 1);
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kDial, 0);
  EXPECT_TRUE(Saw("startDial"));
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kHangUp, 0);
  EXPECT_TRUE(Saw("hangUp"));
}

TEST_F(ControllerTest, WizardAndConfigurationReloadOnlyWhenFinished) {
  INT_PTR wizardResult = IDCANCEL;
  options_.seams.config.runWizard = [&](bool firstRun) -> INT_PTR {
    EXPECT_FALSE(firstRun);
    EXPECT_TRUE(dlg_->IsWizardOpen());
    return wizardResult;
  };
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kConfigurationWizard, 0);
  EXPECT_FALSE(Saw("look7"));
  wizardResult = 12325;
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kConfigurationWizard, 0);
  EXPECT_TRUE(Saw("look7"));
  EXPECT_FALSE(dlg_->IsWizardOpen());
}

}  // namespace

namespace {

// Without a help file beside the program the user is told so, not left wondering.
TEST_F(ControllerTest, OnlineHelpWithoutAHelpFileSaysSo) {
  std::vector<std::string> told;
  options_.seams.prompt.ask = [&](const char* text, UINT) {
    told.push_back(text);
    return IDOK;
  };
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kOnlineHelp, 0);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(".chm"), std::string::npos);
  EXPECT_NE(told[0].find("not found"), std::string::npos);
}

TEST_F(ControllerTest, AboutOpensThroughItsSeam) {
  int shown = 0;
  options_.seams.config.showAbout = [&] { ++shown; };
  Start();
  SendMessageA(dlg_->hwnd(), WM_COMMAND, cmd::kAbout, 0);
  EXPECT_EQ(shown, 1);
}

}  // namespace

namespace {

// The About box opens modally over its owner and its OK button closes it.
TEST(AboutBox, OpensAndClosesWithOk) {
  static HWND seen = nullptr;
  static char name[64] = {};
  seen = nullptr;
  name[0] = '\0';
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND about = FindWindowA(nullptr, "About Tetherly!");
    if (!about) return;
    KillTimer(nullptr, id);
    seen = about;
    GetDlgItemTextA(about, IDC_ABOUT_NAME, name, sizeof(name));
    PostMessageA(about, WM_COMMAND, IDOK, 0);
  });
  ASSERT_NE(timer, 0u);
  AboutDlg about;
  EXPECT_EQ(about.Run(nullptr), IDOK);
  EXPECT_NE(seen, nullptr);
  EXPECT_STREQ(name, "Tetherly!");
  EXPECT_FALSE(IsWindow(seen));
}

}  // namespace

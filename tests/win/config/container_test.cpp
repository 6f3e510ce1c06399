// The Advanced Configurations dialog as a whole: categories and tabs, the
// keyboard, Apply, OK and Cancel, failures, Help, and the controller's route
// into it (Exit while it or a box it opened is up, reloading what it saved).
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/StatusReportDlg.h"
#include "config/ConfigDialogRunner.h"
#include "config_fixture.h"
#include "config_pages.h"
#include "win/Clock.h"
#include "win/HelpFile.h"
#include "win/MessageBox.h"
#include "win/RegKey.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;
using testing_support::PumpPending;

std::vector<std::string> TabTexts(HWND tabs) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char buf[130] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    texts.push_back(buf);
  }
  return texts;
}

// A left click as the user makes it: the pointer over the point, then the
// button's messages through the queue.
void ClickAt(HWND window, POINT client) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(window, WM_LBUTTONUP, 0, at);
  PumpPending();
}

POINT ItemCentre(HWND list, int item) {
  RECT rc = {LVIR_ICON};
  SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rc));
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool PageShown(const win::Page* page) { return IsWindowVisible(page->hwnd()) != 0; }

TEST_F(ConfigTest, CategoriesBuildTheirTabsAndShowOnePage) {
  CConfigurationsDlg& dlg = Open();
  ShowWindow(dlg.hwnd(), SW_SHOW);
  HWND tabs = dlg.Item(IDC_CONFIG_TABS);
  HWND list = dlg.Item(IDC_CONFIG_CATEGORIES);
  PageSet& pages = dlg.pages();

  // Opening: Program Settings alone, Apply disabled, no caption bar left.
  EXPECT_EQ(TabTexts(tabs), std::vector<std::string>{"Program Settings"});
  EXPECT_FALSE(IsWindowEnabled(dlg.Item(IDC_CONFIG_APPLY)));
  EXPECT_TRUE(PageShown(pages.settings));
  EXPECT_EQ(GetWindowLongA(pages.settings->hwnd(), GWL_STYLE) & WS_CAPTION, 0);
  RECT window, client, body;
  GetWindowRect(pages.settings->hwnd(), &window);
  GetClientRect(pages.settings->hwnd(), &client);
  EXPECT_EQ(window.bottom - window.top, client.bottom);  // the frame was recomputed
  GetClientRect(tabs, &body);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
  MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&body), 2);
  EXPECT_TRUE(window.left >= body.left && window.top >= body.top && window.right <= body.right &&
              window.bottom <= body.bottom);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 7);

  // A click on "AOL": its three tabs, the first page shown.
  ClickAt(list, ItemCentre(list, CConfigurationsDlg::kAol));
  EXPECT_EQ(dlg.shownCategory(), CConfigurationsDlg::kAol);
  EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"Sign-on Options", "Gadgets", "Browser Options"}));
  EXPECT_TRUE(PageShown(pages.aolOptions));
  EXPECT_FALSE(PageShown(pages.settings));

  // Tab change hides one page and shows the other.
  SendMessageA(tabs, TCM_SETCURFOCUS, 2, 0);
  EXPECT_TRUE(PageShown(pages.aolBrowser));
  EXPECT_FALSE(PageShown(pages.aolOptions));

  // Clicking the category shown rebuilds it: its first tab again.
  ClickAt(list, ItemCentre(list, CConfigurationsDlg::kAol));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(PageShown(pages.aolOptions));
  EXPECT_FALSE(PageShown(pages.aolBrowser));

  // A click on no item keeps the last category.
  RECT listClient;
  GetClientRect(list, &listClient);
  ClickAt(list, {listClient.right - 2, listClient.bottom - 2});
  EXPECT_EQ(dlg.shownCategory(), CConfigurationsDlg::kAol);
  EXPECT_TRUE(PageShown(pages.aolOptions));

  // The keyboard moves the category too; the focus leaves the list.
  SetFocus(list);
  SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(dlg.shownCategory(), CConfigurationsDlg::kCs2000);
  EXPECT_EQ(TabTexts(tabs), (std::vector<std::string>{"Sign-on Options", "Gadgets"}));
  EXPECT_NE(GetFocus(), list);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ConfigTest, TabAndMnemonicsReachTheShownPage) {
  CConfigurationsDlg& dlg = Open();
  ShowWindow(dlg.hwnd(), SW_SHOW);
  SetForegroundWindow(dlg.hwnd());
  dlg.SelectCategory(CConfigurationsDlg::kIsp, false);
  SendMessageA(dlg.Item(IDC_CONFIG_TABS), TCM_SETCURFOCUS, 2, 0);
  CPageISPPropertiesDlg& page = *dlg.pages().properties;
  ASSERT_TRUE(PageShown(&page));

  auto key = [&](UINT message, WPARAM code, LPARAM flags) {
    MSG msg = {GetFocus(), message, code, flags, 0, {0, 0}};
    return IsDialogMessageA(dlg.hwnd(), &msg) != 0;
  };
  SetFocus(page.Item(IDC_PROP_HTTP));
  ASSERT_EQ(GetFocus(), page.Item(IDC_PROP_HTTP));
  EXPECT_TRUE(key(WM_KEYDOWN, VK_TAB, 0));
  EXPECT_EQ(GetFocus(), page.Item(IDC_PROP_HOSTS));
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(key(WM_KEYDOWN, VK_TAB, 0));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), page.Item(IDC_PROP_HTTP));

  // Alt+A presses "&Add" on the page.
  ModalScript script([](HWND d) { Press(d, IDCANCEL); });
  EXPECT_TRUE(key(WM_SYSCHAR, 'a', 1 << 29));
  EXPECT_TRUE(script.ran());
}

TEST_F(ConfigTest, ApplySavesOnlyChangedPagesAndOkClosesWhenAllAreSaved) {
  CConfigurationsDlg& dlg = Open();
  HWND apply = dlg.Item(IDC_CONFIG_APPLY);
  Click(*dlg.pages().services, IDC_SVC_FTP);
  EXPECT_TRUE(IsWindowEnabled(apply));
  Click(dlg, IDC_CONFIG_APPLY);
  EXPECT_EQ(Stored(settings::kFtpOn), 1u);
  EXPECT_FALSE(Exists(settings::kKeySettings, "Connection"));  // Program Settings had no change
  EXPECT_FALSE(Exists(settings::kKeyAccessMethod, "Type"));     // nor Properties
  EXPECT_FALSE(IsWindowEnabled(apply));
  EXPECT_TRUE(dlg.SavedAny());

  // OK with a page its own check refuses: the rest is saved, the dialog stays
  // on the refused page.
  Click(*dlg.pages().att, IDC_ATT_STAY_ONLINE);
  Click(*dlg.pages().netZero, IDC_NZ_STAY_ONLINE);
  Click(*dlg.pages().netZero, IDC_NZ_USE_DIALER);
  Click(dlg, IDOK);
  ASSERT_TRUE(IsWindow(dlg.hwnd()));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{config::kNetZeroPathNeeded});
  EXPECT_EQ(Stored(settings::kAttStayOnline), 0u);  // NetZero's rule switched AT&T off before OK
  EXPECT_FALSE(dlg.pages().att->IsModified());
  EXPECT_TRUE(dlg.pages().netZero->IsModified());
  EXPECT_EQ(dlg.shownCategory(), CConfigurationsDlg::kNetZero);
  EXPECT_TRUE(IsWindowEnabled(apply));

  Type(*dlg.pages().netZero, IDC_NZ_PATH, "C:\\nz\\nzStart.exe");
  Click(dlg, IDOK);
  EXPECT_FALSE(IsWindow(dlg.hwnd()));
  EXPECT_EQ(Stored(settings::kNetZeroUseDialer), 1u);
}

TEST_F(ConfigTest, CancelWritesNothingButTheClicksThatWriteAtOnce) {
  store_.Write(settings::kHostsAdded, 1);
  CConfigurationsDlg& dlg = Open();
  PageSet& pages = dlg.pages();
  Click(*pages.settings, IDC_SET_AUTO);
  Click(*pages.services, IDC_SVC_ECHO);
  Click(*pages.properties, IDC_PROP_RANDOM);
  Click(*pages.aolGadgets, IDC_GAD_WELCOME);
  Click(*pages.att, IDC_ATT_STAY_ONLINE);
  Click(dlg, IDCANCEL);
  EXPECT_FALSE(IsWindow(dlg.hwnd()));
  for (const auto& [key, name] : std::vector<std::pair<const char*, const char*>>{
           {settings::kKeySettings, "Connection"}, {settings::kKeyServices, "Echo"},
           {settings::kKeyAccessMethod, "Type"}, {settings::kKeyAolOptions, "Minimize Welcome Window"},
           {settings::kKeyAtt, "Stay Online"}})
    EXPECT_FALSE(Exists(key, name)) << name;
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ConfigTest, AFailedWriteKeepsThePageChangedAndSaysSo) {
  // Under a volatile program key no lasting sub-key can be created, in
  // either copy of the settings.
  for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    win::RegKey::DeleteTree(hive, testing_support::kProgramRoot);
    HKEY root = nullptr;
    ASSERT_EQ(RegCreateKeyExA(hive, testing_support::kProgramRoot, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &root, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(root);
  }
  CConfigurationsDlg& dlg = Open();
  Click(*dlg.pages().services, IDC_SVC_FTP);
  Click(*dlg.pages().properties, IDC_PROP_RANDOM);
  Click(dlg, IDC_CONFIG_APPLY);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{config::kCouldNotSave});
  EXPECT_EQ(boxes_[0].owner, dlg.hwnd());
  EXPECT_TRUE(dlg.pages().services->IsModified());
  EXPECT_TRUE(dlg.pages().properties->IsModified());
  EXPECT_TRUE(IsWindowEnabled(dlg.Item(IDC_CONFIG_APPLY)));
  Click(dlg, IDOK);
  EXPECT_TRUE(IsWindow(dlg.hwnd()));
  EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(ConfigTest, HelpOpensTheHelpFileOrSaysItIsMissing) {
  CConfigurationsDlg& dlg = Open();
  Click(dlg, IDC_CONFIG_HELP);
  ASSERT_EQ(BoxTexts(), std::vector<std::string>{win::HelpFileMissingText(win::HelpFilePath("chm"))});
  EXPECT_NE(boxes_[0].text.find(".chm"), std::string::npos);
  EXPECT_EQ(boxes_[0].owner, dlg.hwnd());
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

// The controller as the program runs it, with the dialog behind its seam.
class ConfigRouteTest : public ConfigTest {
 protected:
  ConfigRouteTest() : runner_(store_, {}) {
    win::SetTimeScale(0.01);
    store_.Write(settings::kHostsAdded, 1);
    options_.showSplash = false;
    options_.seams.config.runConfigDialog = [this] { return runner_.Run(controller_->hwnd()); };
    options_.seams.config.endConfigDialog = [this](INT_PTR result) { runner_.End(result); };
    options_.seams.tray.setLook = [this](int look, const char*) { looks_.push_back(look); };
    controller_ = std::make_unique<StatusReportDlg>(options_);
    EXPECT_TRUE(controller_->Create());
  }
  ~ConfigRouteTest() override {
    controller_.reset();
    win::SetTimeScale(1.0);
  }
  void OpenFromMenu() { SendMessageA(controller_->hwnd(), WM_COMMAND, cmd::kAdvancedConfigurations, 0); }
  void PostExit() { PostMessageA(controller_->hwnd(), WM_COMMAND, cmd::kExit, 0); }
  static HWND PageOf(HWND dialog, const char* caption) {
    return FindWindowExA(GetDlgItem(dialog, IDC_CONFIG_TABS), nullptr, "#32770", caption);
  }
  bool Reloaded() const {
    for (int look : looks_)
      if (look == tray_look::kStopped) return true;
    return false;
  }

  ConfigDialogRunner runner_;
  ControllerOptions options_;
  std::unique_ptr<StatusReportDlg> controller_;
  std::vector<int> looks_;
};

TEST_F(ConfigRouteTest, ExitEndsTheDialogAndWhatItOpenedButNotTheProgram) {
  enum Nested { kMessageBox, kEditingDialog };
  for (Nested nested : {kMessageBox, kEditingDialog}) {
    SCOPED_TRACE(nested);
    bool nestedUp = false;
    std::unique_ptr<ModalScript> inner;
    ModalScript script([&](HWND dialog) {
      if (nested == kMessageBox) {
        // A real box this time, with Exit arriving through its own loop.
        win::SetMessageBoxHandler([&](HWND owner, const char* text, const char* caption, UINT type) {
          nestedUp = true;
          PostExit();
          return MessageBoxA(owner, text, caption, type);
        });
        Press(dialog, IDC_CONFIG_HELP);
      } else {
        inner = std::make_unique<ModalScript>([&](HWND) {
          nestedUp = true;
          PostExit();
        });
        SendMessageA(GetDlgItem(PageOf(dialog, "Properties "), IDC_PROP_ADD), BM_CLICK, 0, 0);
      }
    });
    OpenFromMenu();
    EXPECT_TRUE(script.ran());
    EXPECT_TRUE(nestedUp);
    EXPECT_FALSE(runner_.IsOpen());
    EXPECT_FALSE(controller_->IsConfigDialogOpen());
    ASSERT_TRUE(IsWindow(controller_->hwnd()));  // the program keeps running
    EXPECT_FALSE(Reloaded());  // nothing was saved
    EXPECT_EQ(testing_support::FindModalDialog(), nullptr);
  }
}

TEST_F(ConfigRouteTest, WhatWasSavedWhileOpenTakesEffectHoweverTheDialogEnds) {
  enum Ending { kCancelAfterApply, kExitAfterApply, kCancelOnly };
  for (Ending ending : {kCancelOnly, kCancelAfterApply, kExitAfterApply}) {
    SCOPED_TRACE(ending);
    looks_.clear();
    ModalScript script([&](HWND dialog) {
      SendMessageA(GetDlgItem(PageOf(dialog, "Services "), IDC_SVC_FTP), BM_CLICK, 0, 0);
      if (ending != kCancelOnly) Press(dialog, IDC_CONFIG_APPLY);
      if (ending == kExitAfterApply) PostExit();
      else Press(dialog, IDCANCEL);
    });
    OpenFromMenu();
    ASSERT_TRUE(script.ran());
    EXPECT_EQ(Reloaded(), ending != kCancelOnly);
    EXPECT_EQ(Stored(settings::kFtpOn), ending != kCancelOnly ? 1u : 0u);
    store_.Write(settings::kFtpOn, 0);
  }
}

TEST_F(ConfigRouteTest, TheControllerAnswersTheDragIconQueryWithItsIcon) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(controller_->hwnd(), WM_QUERYDRAGICON, 0, 0)), icon);
}

}  // namespace

// The wizard's paths: which pages follow which choice, the buttons each page
// shows, and that going back and choosing again keeps only the last path.
#include <memory>

#include "app/StatusReportDlg.h"
#include "config/WizardTexts.h"
#include "support/MessagePump.h"
#include "support/ModalScript.h"
#include "support/ProductionController.h"
#include "win/Clock.h"
#include "win/MessageBox.h"
#include "wizard_fixture.h"

namespace {

std::string GetDlgItemTextString(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

TEST_F(WizardTest, NoRadioIsRefusedAndChoosingAgainKeepsOnlyTheLastPath) {
  const INT_PTR result = RunWizard([&](WizardDriver& w) {
    EXPECT_EQ(w.Current(), IDD_WIZ_MAIN);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_NEXT));
    EXPECT_EQ(w.Next(), IDD_WIZ_MAIN);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{config::kChooseIsp});
    w.Click(IDC_WIZ_AOL);
    EXPECT_EQ(w.Next(), IDD_WIZ_AOL_DIALER);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_BACK | PSWIZB_NEXT));
    w.Click(IDC_WIZ_LAUNCH_NO);
    EXPECT_EQ(w.Next(), IDD_WIZ_AOL_GADGETS);
    EXPECT_EQ(w.Back(), IDD_WIZ_AOL_DIALER);
    EXPECT_EQ(w.Back(), IDD_WIZ_MAIN);
    w.Click(IDC_WIZ_NETZERO);
    EXPECT_EQ(w.Next(), IDD_WIZ_NZ_DIALER);
    EXPECT_EQ(w.Pages(), (std::vector<int>{IDD_WIZ_MAIN, IDD_WIZ_NZ_DIALER, IDD_WIZ_FINISH}));
    w.Click(IDC_WIZ_NZ_DIALER_NO);
    EXPECT_EQ(w.Next(), IDD_WIZ_FINISH);
    EXPECT_EQ(w.Buttons(), static_cast<DWORD>(PSWIZB_BACK | PSWIZB_FINISH));
    w.Cancel();
  });
  EXPECT_EQ(result, IDCANCEL);
}

// The pages each choice leads through, and the buttons each page shows.
TEST_F(WizardTest, EachChoiceAppendsItsPathWithTheButtonsOfEachPage) {
  lister_ = [](std::vector<std::string>& names) {
    names = {"Home ISP"};
    return DWORD{0};
  };
  struct Path {
    const char* name;
    std::function<void(WizardDriver&)> choose;  // on the main page, then on each page before Next
    std::vector<int> pages;
  };
  const Path paths[] = {
      {"other ISP, no dialer, no advanced settings", [](WizardDriver& w) { w.Click(IDC_WIZ_OTHER); },
       {IDD_WIZ_MAIN, IDD_WIZ_ISP_DIALER, IDD_WIZ_FINISH}},
      {"other ISP with dialer and advanced settings",
       [](WizardDriver& w) {
         if (w.Current() == IDD_WIZ_MAIN) w.Click(IDC_WIZ_OTHER);
         if (w.Current() != IDD_WIZ_ISP_DIALER) return;
         w.Click(IDC_WIZ_USE_DIALER);
         w.Type(IDC_WIZ_LOGIN, "sam");
         w.Type(IDC_WIZ_PASSWORD, "pw");
         w.Click(IDC_WIZ_ADVANCED);
       },
       {IDD_WIZ_MAIN, IDD_WIZ_ISP_DIALER, IDD_WIZ_ISP_DIAL_OPTIONS, IDD_WIZ_ISP_SERVICES, IDD_WIZ_ISP_PROPERTIES,
        IDD_WIZ_FINISH}},
      {"AOL launched",
       [](WizardDriver& w) {
         if (w.Current() == IDD_WIZ_MAIN) w.Click(IDC_WIZ_AOL);
         if (w.Current() != IDD_WIZ_AOL_DIALER) return;
         w.Click(IDC_WIZ_LAUNCH_YES);
         w.Type(IDC_WIZ_CLIENT_PATH, "C:\\AOL\\aol.exe");
       },
       {IDD_WIZ_MAIN, IDD_WIZ_AOL_DIALER, IDD_WIZ_AOL_SCREEN_NAMES, IDD_WIZ_AOL_GADGETS, IDD_WIZ_FINISH}},
      {"CS2000 not launched",
       [](WizardDriver& w) {
         if (w.Current() == IDD_WIZ_MAIN) w.Click(IDC_WIZ_CS2000);
         if (w.Current() == IDD_WIZ_AOL_DIALER) w.Click(IDC_WIZ_LAUNCH_NO);
       },
       {IDD_WIZ_MAIN, IDD_WIZ_AOL_DIALER, IDD_WIZ_AOL_GADGETS, IDD_WIZ_FINISH}},
      {"NetZero", [](WizardDriver& w) { w.Click(IDC_WIZ_NETZERO); }, {IDD_WIZ_MAIN, IDD_WIZ_NZ_DIALER, IDD_WIZ_FINISH}},
      {"AT&T", [](WizardDriver& w) { w.Click(IDC_WIZ_ATT); }, {IDD_WIZ_MAIN, IDD_WIZ_ATT_DIALER, IDD_WIZ_FINISH}},
      {"MSN", [](WizardDriver& w) { w.Click(IDC_WIZ_MSN); }, {IDD_WIZ_MAIN, IDD_WIZ_MSN_DIALER, IDD_WIZ_FINISH}},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    RunWizard([&](WizardDriver& w) {
      std::vector<int> seen;
      for (std::size_t i = 0; i < path.pages.size(); ++i) {
        seen.push_back(w.Current());
        const DWORD buttons = i == 0 ? PSWIZB_NEXT
                              : i + 1 == path.pages.size() ? PSWIZB_BACK | PSWIZB_FINISH
                                                           : PSWIZB_BACK | PSWIZB_NEXT;
        EXPECT_EQ(w.Buttons(), buttons) << "on page " << w.Current();
        if (i + 1 == path.pages.size()) break;
        path.choose(w);
        w.Next();
      }
      EXPECT_EQ(seen, path.pages);
      EXPECT_EQ(w.Pages(), path.pages);
      w.Cancel();
    });
  }
}

// The controller's two ways in, as the program wires them.
class WizardRouteTest : public WizardTest {
 protected:
  WizardRouteTest() { win::SetTimeScale(0.01); }
  ~WizardRouteTest() override {
    controller_.reset();
    win::SetTimeScale(1.0);
  }
  void Start() {
    controller_ = std::make_unique<StatusReportDlg>(testing_support::ProductionOptionsRecordingLooks(&looks_));
    ASSERT_TRUE(controller_->Create());
  }
  // A wizard run from the tray menu; `script` drives it.
  void RunFromMenu(const std::function<void(HWND sheet)>& script) {
    testing_support::ModalScript modal(script);
    SendMessageA(controller_->hwnd(), WM_COMMAND, cmd::kConfigurationWizard, 0);
    EXPECT_TRUE(modal.ran());
  }
  bool Reloaded() const {
    for (int look : looks_)
      if (look == tray_look::kStopped) return true;
    return false;
  }
  // The sheet does the work of a pressed button from its queue.
  static void Press(HWND sheet, int button) {
    PropSheet_PressButton(sheet, button);
    testing_support::PumpPending();
  }
  static void Choose(HWND sheet, int radio) {
    SendMessageA(GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), radio), BM_CLICK, 0, 0);
    Press(sheet, PSBTN_NEXT);
  }

  std::vector<int> looks_;
  std::unique_ptr<StatusReportDlg> controller_;
};

// First run: the host lists are seeded, then the wizard greets a new user;
// what its Finish writes holds from this run on (NetZero with its dialer and
// no own dialer leaves the service mode at None).
TEST_F(WizardRouteTest, TheFirstRunSeedsThenRunsTheWizardAndUsesItsAnswers) {
  std::string greeting;
  bool seededFirst = false;
  // Nothing owns the first-run wizard: found by its page.
  const auto findWizard = [] {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) {
          HWND page = IsWindowVisible(w) ? PropSheet_GetCurrentPageHwnd(w) : nullptr;
          if (page && GetDlgItem(page, IDC_WIZ_GREETING)) *reinterpret_cast<HWND*>(lp) = w;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  };
  testing_support::ModalScript modal(findWizard, [&](HWND sheet) {
    greeting = GetDlgItemTextString(PropSheet_GetCurrentPageHwnd(sheet), IDC_WIZ_GREETING);
    seededFirst = store_.Read(settings::kHostsAdded) == 1;
    Choose(sheet, IDC_WIZ_NETZERO);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    SendMessageA(GetDlgItem(page, IDC_WIZ_NZ_DIALER_YES), BM_CLICK, 0, 0);
    SetDlgItemTextA(page, IDC_NZ_PATH, "C:\\NetZero\\nzStart.exe");
    Press(sheet, PSBTN_NEXT);
    Press(sheet, PSBTN_FINISH);
  });
  Start();
  ASSERT_TRUE(modal.ran());
  EXPECT_TRUE(seededFirst);
  EXPECT_EQ(greeting, config::WizardGreeting(true));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_EQ(store_.Read(settings::kNetZeroUseDialer), 1u);
  EXPECT_EQ(controller_->mode(), ConnectionMode::None);
}

TEST_F(WizardRouteTest, FromTheMenuSettingsAreReloadedOnlyAfterFinish) {
  store_.Write(settings::kHostsAdded, 1);
  Start();
  std::string greeting;
  RunFromMenu([&](HWND sheet) {
    greeting = GetDlgItemTextString(PropSheet_GetCurrentPageHwnd(sheet), IDC_WIZ_GREETING);
    Choose(sheet, IDC_WIZ_ATT);
    Press(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(greeting, config::WizardGreeting(false));
  EXPECT_FALSE(Reloaded());
  EXPECT_FALSE(controller_->IsWizardOpen());

  RunFromMenu([&](HWND sheet) {
    Choose(sheet, IDC_WIZ_ATT);
    Press(sheet, PSBTN_NEXT);
    Press(sheet, PSBTN_FINISH);
  });
  EXPECT_TRUE(Reloaded());
  EXPECT_EQ(store_.Read(settings::kAttStayOnline), 1u);
}

// Exit while the wizard shows a real message box: the box and the wizard
// end, nothing is written, the program runs on; the next Exit ends it.
TEST_F(WizardRouteTest, ExitEndsTheWizardAndItsBoxButNotTheProgram) {
  store_.Write(settings::kHostsAdded, 1);
  Start();
  const RegistryDump before = DumpProgramRegistry();
  bool boxUp = false;
  win::SetMessageBoxHandler([&](HWND owner, const char* text, const char* caption, UINT type) {
    boxUp = true;
    PostMessageA(controller_->hwnd(), WM_COMMAND, cmd::kExit, 0);
    return MessageBoxA(owner, text, caption, type);
  });
  RunFromMenu([&](HWND sheet) { Press(sheet, PSBTN_NEXT); });  // no ISP: refused
  EXPECT_TRUE(boxUp);
  EXPECT_FALSE(controller_->IsWizardOpen());
  EXPECT_EQ(testing_support::FindModalDialog(), nullptr);
  ASSERT_TRUE(IsWindow(controller_->hwnd()));
  EXPECT_FALSE(Reloaded());
  EXPECT_EQ(Changed(before, DumpProgramRegistry()), std::vector<std::string>{});
  HWND main = controller_->hwnd();
  SendMessageA(main, WM_COMMAND, cmd::kExit, 0);
  EXPECT_FALSE(IsWindow(main));
}

}  // namespace

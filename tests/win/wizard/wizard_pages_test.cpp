// The pages one by one: what they load, the texts that follow the client,
// every refusal (message, icon, the page stays, the focus on the field), the
// number checks of the properties page and the phonebook from the simulated
// dial-up library.
#include <functional>
#include <string>
#include <vector>

#include "config/ConfigTexts.h"
#include "config/WizardTexts.h"
#include "dialup/DialUpEntries.h"
#include "support/SimulatedRas.h"
#include "wizard_fixture.h"

namespace {

using Step = std::function<void(WizardDriver&)>;

Step To(int radio) {
  return [radio](WizardDriver& w) {
    w.Click(radio);
    w.Next();
  };
}

struct Refusal {
  const char* name;
  Step reach;  // from the main page to the page that refuses, and what to enter
  int page;
  std::string message;
  UINT icon;
  int focus;
};

TEST_F(WizardTest, EveryRefusalKeepsThePageAndPointsAtTheField) {
  lister_ = [](std::vector<std::string>& names) {
    names = {"Home ISP"};
    return DWORD{0};
  };
  const std::string tooLong(255, 'x');
  const Refusal refusals[] = {
      {"no ISP chosen", [](WizardDriver&) {}, IDD_WIZ_MAIN, config::kChooseIsp, 0, IDC_WIZ_AOL},
      {"dialer without a login",
       [](WizardDriver& w) {
         To(IDC_WIZ_OTHER)(w);
         w.Click(IDC_WIZ_USE_DIALER);
         w.Type(IDC_WIZ_PASSWORD, "pw");
       },
       IDD_WIZ_ISP_DIALER, config::kEnterLogin, MB_ICONINFORMATION, IDC_WIZ_LOGIN},
      {"dialer without a password",
       [](WizardDriver& w) {
         To(IDC_WIZ_OTHER)(w);
         w.Click(IDC_WIZ_USE_DIALER);
         w.Type(IDC_WIZ_LOGIN, "sam");
       },
       IDD_WIZ_ISP_DIALER, config::kEnterPassword, MB_ICONINFORMATION, IDC_WIZ_PASSWORD},
      {"a login longer than the store holds",
       [&](WizardDriver& w) {
         To(IDC_WIZ_OTHER)(w);
         w.Click(IDC_WIZ_USE_DIALER);
         SendMessageA(GetDlgItem(w.Page(), IDC_WIZ_LOGIN), EM_LIMITTEXT, 0, 0);
         w.Type(IDC_WIZ_LOGIN, tooLong);
         w.Type(IDC_WIZ_PASSWORD, "pw");
       },
       IDD_WIZ_ISP_DIALER, config::MaxCharsMessage(254), 0, IDC_WIZ_LOGIN},
      {"AOL launched without a path",
       [](WizardDriver& w) {
         To(IDC_WIZ_AOL)(w);
         w.Click(IDC_WIZ_LAUNCH_YES);
         w.Type(IDC_WIZ_CLIENT_PATH, "");
       },
       IDD_WIZ_AOL_DIALER, config::AolTexts().pathEmpty, MB_ICONINFORMATION, IDC_WIZ_CLIENT_PATH},
      {"AOL launched from the placeholder", [](WizardDriver& w) {
         To(IDC_WIZ_AOL)(w);
         w.Click(IDC_WIZ_LAUNCH_YES);
       },
       IDD_WIZ_AOL_DIALER, "AOL Browser path not valid, please enter again.", MB_ICONINFORMATION,
       IDC_WIZ_CLIENT_PATH},
      {"CS2000 launched from the placeholder",
       [](WizardDriver& w) {
         To(IDC_WIZ_CS2000)(w);
         w.Click(IDC_WIZ_LAUNCH_YES);
       },
       IDD_WIZ_AOL_DIALER, "CS Browser path not valid, please enter again.", MB_ICONINFORMATION,
       IDC_WIZ_CLIENT_PATH},
      {"NetZero dialer without a path",
       [](WizardDriver& w) {
         To(IDC_WIZ_NETZERO)(w);
         w.Click(IDC_WIZ_NZ_DIALER_YES);
         w.Type(IDC_NZ_PATH, "");
       },
       IDD_WIZ_NZ_DIALER, config::kNetZeroPathEmpty, 0, IDC_NZ_PATH},
      {"NetZero dialer from the placeholder",
       [](WizardDriver& w) {
         To(IDC_WIZ_NETZERO)(w);
         w.Click(IDC_WIZ_NZ_DIALER_YES);
       },
       IDD_WIZ_NZ_DIALER, config::kNetZeroPathInvalid, 0, IDC_NZ_PATH},
      {"MSN POP3 without a server",
       [](WizardDriver& w) {
         To(IDC_WIZ_MSN)(w);
         w.Click(IDC_WIZ_MSN_POP3_YES);
         w.Type(IDC_WIZ_MSN_SERVER, "  ");
       },
       IDD_WIZ_MSN_DIALER, config::kEnterPop3Server, 0, IDC_WIZ_MSN_SERVER},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.name);
    boxes_.clear();
    RunWizard([&](WizardDriver& w) {
      r.reach(w);
      ASSERT_EQ(w.Current(), r.page);
      EXPECT_EQ(w.Next(), r.page) << "the page stays";
      ASSERT_EQ(boxes_.size(), 1u);
      EXPECT_EQ(boxes_[0].text, r.message);
      EXPECT_EQ(boxes_[0].type & MB_ICONMASK, r.icon);
      EXPECT_EQ(boxes_[0].owner, w.sheet()) << "owned by the wizard";
      EXPECT_EQ(GetFocus(), GetDlgItem(w.Page(), r.focus));
      w.Cancel();
    });
  }
}

TEST_F(WizardTest, ThePropertiesNumbersAreCheckedWithinTheirBoundsWhereShown) {
  struct Case {
    bool fixed;
    int field;
    const char* text;
    std::string message;  // "" when accepted
  } cases[] = {
      {false, IDC_PROP_BETWEEN, "0", ""},
      {false, IDC_PROP_BETWEEN, "900", ""},
      {false, IDC_PROP_BETWEEN, "901", config::IntegerRangeMessage(0, 900)},
      {false, IDC_PROP_AND, "0", config::IntegerRangeMessage(1, 900)},
      {false, IDC_PROP_AND, "1", ""},
      {false, IDC_PROP_AND, "901", config::IntegerRangeMessage(1, 900)},
      {false, IDC_PROP_AND, "ten", config::kNotAnInteger},
      {false, IDC_PROP_AND, "", config::kNotAnInteger},
      {true, IDC_PROP_FIXED, "0", config::IntegerRangeMessage(1, 900)},
      {true, IDC_PROP_FIXED, "1", ""},
      {true, IDC_PROP_FIXED, "900", ""},
      {true, IDC_PROP_FIXED, "901", config::IntegerRangeMessage(1, 900)},
      {true, IDC_PROP_FIXED, "text", config::kNotAnInteger},
      {true, IDC_PROP_FIXED, "", config::kNotAnInteger},
      // A hidden field is not checked: the fixed period does not need "And".
      {true, IDC_PROP_AND, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fixed ? "fixed, " : "random, ") + std::to_string(c.field) + " = '" + c.text + "'");
    boxes_.clear();
    RunWizard([&](WizardDriver& w) {
      To(IDC_WIZ_OTHER)(w);
      w.Click(IDC_WIZ_ADVANCED);
      w.Next();
      w.Next();
      ASSERT_EQ(w.Current(), IDD_WIZ_ISP_PROPERTIES);
      w.Click(c.fixed ? IDC_PROP_INTERVAL_FIXED : IDC_PROP_INTERVAL_RANDOM);
      EXPECT_EQ(w.Shown(IDC_PROP_FIXED), c.fixed);
      EXPECT_EQ(w.Shown(IDC_PROP_BETWEEN), !c.fixed);
      EXPECT_EQ(w.Shown(IDC_PROP_AND_LABEL), !c.fixed);
      w.Type(c.field, c.text);
      if (c.message.empty()) {
        EXPECT_EQ(w.Next(), IDD_WIZ_FINISH);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
      } else {
        EXPECT_EQ(w.Next(), IDD_WIZ_ISP_PROPERTIES);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(GetFocus(), GetDlgItem(w.Page(), c.field));
      }
      w.Cancel();
    });
  }
}

TEST_F(WizardTest, ServicesStartFromHttpAndTheUserPortThenShowTheAnswersGiven) {
  const DWORD stored[6] = {0, 1, 1, 1, 1, 1};
  store_.WriteServiceFlags(stored);
  store_.Write(settings::kIntervalOption, 2);
  store_.WriteIntervalNumbers(20, 80, 300);
  RunWizard([&](WizardDriver& w) {
    To(IDC_WIZ_OTHER)(w);
    w.Click(IDC_WIZ_ADVANCED);
    w.Next();
    ASSERT_EQ(w.Current(), IDD_WIZ_ISP_SERVICES);
    // FTP, Echo, Discard and Time Server start off whatever is stored.
    const std::vector<bool> first = {w.Checked(IDC_SVC_HTTP), w.Checked(IDC_SVC_FTP), w.Checked(IDC_SVC_ECHO),
                                     w.Checked(IDC_SVC_DISCARD), w.Checked(IDC_SVC_TIME), w.Checked(IDC_SVC_USER)};
    EXPECT_EQ(first, (std::vector<bool>{false, false, false, false, false, true}));
    w.Click(IDC_SVC_ECHO);
    w.Next();
    EXPECT_EQ(w.Text(IDC_PROP_FIXED), "300");
    w.Type(IDC_PROP_FIXED, "120");
    w.Next();
    // Back to the dialer and on again: the pages are made anew, with the answers given.
    w.Back();
    w.Back();
    w.Back();
    ASSERT_EQ(w.Current(), IDD_WIZ_ISP_DIALER);
    w.Next();
    EXPECT_TRUE(w.Checked(IDC_SVC_ECHO));
    EXPECT_TRUE(w.Checked(IDC_SVC_USER));
    w.Next();
    EXPECT_EQ(w.Text(IDC_PROP_FIXED), "120");
    w.Cancel();
  });
}

TEST_F(WizardTest, TheClientPagesSpeakOfTheChosenClient) {
  store_.Write(settings::kCsChildOneTitle, "Chat");
  store_.Write(settings::kCsKillChildOne, 1);
  store_.Write(settings::kAolKillHotline, 1);  // not one the page starts from
  for (bool cs : {false, true}) {
    SCOPED_TRACE(cs ? "CS2000" : "AOL");
    const config::ClientTexts& texts = cs ? config::CsTexts() : config::AolTexts();
    filesAsked_.clear();
    RunWizard([&](WizardDriver& w) {
      To(cs ? IDC_WIZ_CS2000 : IDC_WIZ_AOL)(w);
      EXPECT_EQ(w.Text(IDC_WIZ_LAUNCH_QUESTION), texts.launchQuestion);
      EXPECT_EQ(w.Text(IDC_WIZ_CLIENT_PATH_LABEL), texts.pathLabel);
      EXPECT_EQ(w.Text(IDC_WIZ_CLIENT_PATH), texts.pathPlaceholder);
      EXPECT_EQ(w.Text(IDC_WIZ_CLIENT_STARTUP_QUESTION), texts.atStartupQuestion);
      EXPECT_FALSE(w.Enabled(IDC_WIZ_CLIENT_BROWSE)) << "launching is off";
      w.Click(IDC_WIZ_LAUNCH_YES);
      fileToOpen_ = "C:\\Clients\\client.exe";
      w.Click(IDC_WIZ_CLIENT_BROWSE);
      EXPECT_EQ(w.Text(IDC_WIZ_CLIENT_PATH), fileToOpen_);
      w.Next();
      EXPECT_EQ(w.Text(IDC_WIZ_SIGNON_QUESTION), texts.signOnQuestion);
      EXPECT_FALSE(w.Enabled(IDC_SIGNON_SCREEN_NAMES));
      w.Next();
      EXPECT_EQ(w.Text(IDC_WIZ_GADGETS_TEXT), texts.gadgetsText);
      EXPECT_EQ(w.Text(IDC_GAD_BUDDY), cs ? "Kills the \"Chat\" window" : "Kills the \"Buddy List\" window");
      EXPECT_EQ(w.Checked(IDC_GAD_BUDDY), cs);
      EXPECT_FALSE(w.Checked(IDC_GAD_HOTLINE));
      EXPECT_EQ(w.Shown(IDC_GAD_WELCOME), !cs);
      w.Cancel();
    });
    EXPECT_EQ(filesAsked_, std::vector<std::string>{texts.programName});
  }
}

TEST_F(WizardTest, TheGreetingFollowsTheFirstRunAndTheFinishPageMailsSupport) {
  for (bool firstRun : {true, false}) {
    RunWizard(
        [&](WizardDriver& w) {
          EXPECT_EQ(w.Text(IDC_WIZ_GREETING), config::WizardGreeting(firstRun));
          To(IDC_WIZ_ATT)(w);
          w.Next();
          ASSERT_EQ(w.Current(), IDD_WIZ_FINISH);
          EXPECT_EQ(w.Text(IDC_WIZ_MAIL), config::kSupportAddress);
          HWND link = GetDlgItem(w.Page(), IDC_WIZ_MAIL);
          SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
          SendMessageA(link, WM_LBUTTONUP, 0, 0);
          w.Cancel();
        },
        firstRun);
  }
  EXPECT_EQ(linksOpened_, (std::vector<std::string>(2, std::string("mailto:") + config::kSupportAddress)));
  EXPECT_NE(config::WizardGreeting(true), config::WizardGreeting(false));
}

// The phonebook as the dial-up library gives it: entries, none, or a failure.
TEST_F(WizardTest, ThePhonebookListsEntriesOrSaysWhyItCannot) {
  testing_support::SimulatedRas ras;
  ASSERT_TRUE(ras.ok());
  lister_ = [](std::vector<std::string>& names) { return dialup::ListEntryNames(names); };
  store_.Write(settings::kModemUseDialer, 1);
  store_.Write(settings::kModemProfile, std::string("Office"));
  store_.WriteProfileCredentials("Office", "sam", "pw");
  struct Case {
    const char* script;
    std::vector<std::string> boxes;
    std::vector<std::string> entries;
    std::string selected, login;
  } cases[] = {
      {"entry Home\nentry Office\nentry Travel\n", {}, {"Home", "Office", "Travel"}, "Office", "sam"},
      {"", {config::kNoValidProfile}, {config::kNoProfile}, config::kNoProfile, ""},
      {"enum-entries-result 623\n", {config::kProfilesError, config::kNoValidProfile}, {config::kNoProfile},
       config::kNoProfile, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    ras.Script(c.script);
    boxes_.clear();
    RunWizard([&](WizardDriver& w) {
      To(IDC_WIZ_OTHER)(w);
      ASSERT_EQ(w.Current(), IDD_WIZ_ISP_DIALER);
      EXPECT_TRUE(w.Checked(IDC_WIZ_USE_DIALER));
      HWND combo = GetDlgItem(w.Page(), IDC_WIZ_PROFILE);
      std::vector<std::string> entries;
      for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
        char text[300] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
      }
      EXPECT_EQ(entries, c.entries);
      EXPECT_EQ(w.Text(IDC_WIZ_PROFILE), c.selected);
      EXPECT_EQ(w.Text(IDC_WIZ_LOGIN), c.login);
      w.Type(IDC_WIZ_LOGIN, "sam");
      w.Type(IDC_WIZ_PASSWORD, "pw");
      const int next = w.Next();
      EXPECT_EQ(next, c.boxes.empty() ? IDD_WIZ_ISP_DIAL_OPTIONS : IDD_WIZ_ISP_DIALER);
      if (!c.boxes.empty()) {
        EXPECT_EQ(GetFocus(), combo);
      }
      w.Cancel();
    });
    EXPECT_EQ(BoxTexts(), c.boxes);
    if (c.boxes.size() == 2) {
      EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
  }
}

}  // namespace

// The four small editing dialogs, driven from inside their modal loops.
#include <functional>
#include <string>
#include <vector>

#include "config/CAOLAdvancedDlg.h"
#include "config/CAddHostDlg.h"
#include "config/CChangeTitleDlg.h"
#include "config/CListEditDlg.h"
#include "config_fixture.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;

std::string TextOf(HWND dialog, int id) {
  char buf[2048] = {};
  GetDlgItemTextA(dialog, id, buf, sizeof(buf));
  return buf;
}

void Put(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void Select(HWND dialog, int id, int index) { SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0); }

const std::string kAddScreenName = "Nothing to add! Please enter a Screen Name you wish to add.";
const std::string kAddSite = "Nothing to add! Please enter an AOL site you wish to add.";
const std::string kAddUrl = "Nothing to add! Please enter an URL you wish to add.";
const std::string kNoQuotes = "Please enter no double quotes (\") or control characters.";

struct ListCase {
  const char* name;
  const config::ListEditUse* use;
  std::vector<std::string> start;
  std::function<void(HWND)> steps;  // ends by pressing OK or Cancel
  INT_PTR ended;
  std::vector<std::string> result;
  std::vector<std::string> messages;
};

TEST_F(ConfigTest, ListEditingDialogAddsDeletesAndKeepsItsListSorted) {
  const std::string name31(31, 'n'), name32(32, 'n');
  const ListCase cases[] = {
      {"names come back sorted", &config::kScreenNameUse, {},
       [](HWND d) {
         Put(d, IDC_LIST_ADD_TEXT, "zed");
         Press(d, IDC_LIST_ADD);
         Put(d, IDC_LIST_ADD_TEXT, "amy");
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {"amy", "zed"}, {}},
      {"empty add, AOL sites", &config::kAolSiteUse, {"aol://1722:News"},
       [](HWND d) {
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {"aol://1722:News"}, {kAddSite}},
      {"empty add, screen names; over-long name refused", &config::kScreenNameUse, {},
       [&](HWND d) {
         Press(d, IDC_LIST_ADD);
         Put(d, IDC_LIST_ADD_TEXT, name32);
         Press(d, IDC_LIST_ADD);
         Put(d, IDC_LIST_ADD_TEXT, name31);
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {name31}, {kAddScreenName, "Please enter no more than 31 characters."}},
      // What goes onto a client's command line may not end its quoting or its line.
      {"a quote in a screen name", &config::kScreenNameUse, {},
       [](HWND d) {
         Put(d, IDC_LIST_ADD_TEXT, "Me -u\"http://x\"");
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {}, {kNoQuotes}},
      {"a quote and a control character in AOL sites", &config::kAolSiteUse, {},
       [](HWND d) {
         Put(d, IDC_LIST_ADD_TEXT, "http://127.0.0.3/\" -nEvil -u\"x");
         Press(d, IDC_LIST_ADD);
         Put(d, IDC_LIST_ADD_TEXT, "aol://1722:News\tx");
         Press(d, IDC_LIST_ADD);
         Put(d, IDC_LIST_ADD_TEXT, "aol://1722:News");
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {"aol://1722:News"}, {kNoQuotes, kNoQuotes}},
      {"deleting the only entry, then nothing to delete", &config::kWebsiteUse, {"http://a.example/"},
       [](HWND d) {
         Select(d, IDC_LIST_ENTRIES, 0);
         Press(d, IDC_LIST_DELETE);
         Press(d, IDC_LIST_DELETE);
         Press(d, IDC_LIST_ADD);
         Press(d, IDOK);
       },
       IDOK, {}, {"Nothing to delete.", kAddUrl}},
      {"cancel gives nothing back", &config::kWebsiteUse, {"http://a.example/"},
       [](HWND d) {
         Select(d, IDC_LIST_ENTRIES, 0);
         Press(d, IDC_LIST_DELETE);
         Press(d, IDCANCEL);
       },
       IDCANCEL, {}, {}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.clear();
    CListEditDlg dialog(*c.use, c.start);
    std::string title, addLabel, deleteLabel;
    ModalScript script([&](HWND d) {
      char buf[128] = {};
      GetWindowTextA(d, buf, sizeof(buf));
      title = buf;
      addLabel = TextOf(d, IDC_LIST_ADD_LABEL);
      deleteLabel = TextOf(d, IDC_LIST_DELETE_LABEL);
      c.steps(d);
    });
    EXPECT_EQ(dialog.Run(owner_), c.ended);
    EXPECT_TRUE(script.ran());
    EXPECT_EQ(title, c.use->title);
    EXPECT_EQ(addLabel, c.use->addLabel);
    EXPECT_EQ(deleteLabel, c.use->deleteLabel);
    EXPECT_EQ(dialog.result(), c.result);
    EXPECT_EQ(BoxTexts(), c.messages);
    for (const SeenBox& box : boxes_) {
      EXPECT_EQ(box.caption, "Tetherly!");
      EXPECT_EQ(box.type & MB_ICONMASK, 0u);  // the list messages carry no icon
    }
  }
}

struct AdvancedCase {
  const char* interval;
  std::string timerTitle;
  std::string message;  // "" when OK closes the dialog
};

TEST_F(ConfigTest, AolAdvancedOptionsChecksIntervalAndLengths) {
  const std::string title254(254, 't'), title255(255, 't');
  const AdvancedCase cases[] = {
      {"0", "America Online", "Please enter an integer between 1 and 300."},
      {"301", "America Online", "Please enter an integer between 1 and 300."},
      {"", "America Online", "Please enter an integer."},
      {"300", title255, "Please enter no more than 254 characters."},
      {"300", title254, ""},
  };
  for (const AdvancedCase& c : cases) {
    SCOPED_TRACE(std::string(c.interval) + "/" + std::to_string(c.timerTitle.size()));
    testing_support::ClearProgramSettings();
    boxes_.clear();
    CAOLAdvancedDlg dialog(store_);
    std::vector<std::string> shown;
    bool stayedOpen = false;
    ModalScript script([&](HWND d) {
      for (int id : {IDC_ADV_INTERVAL, IDC_ADV_TIMER_TITLE, IDC_ADV_SIGNON_TITLE, IDC_ADV_SIGNON_BUTTON,
                     IDC_ADV_DISCONNECT_TITLE, IDC_ADV_RESIGNON_TITLE, IDC_ADV_RESIGNON_BUTTON})
        shown.push_back(TextOf(d, id));
      Put(d, IDC_ADV_INTERVAL, c.interval);
      Put(d, IDC_ADV_TIMER_TITLE, c.timerTitle);
      Put(d, IDC_ADV_RESIGNON_BUTTON, "Sign On Again");
      Press(d, IDOK);
      stayedOpen = IsWindowVisible(d) != 0;
      if (stayedOpen) Press(d, IDCANCEL);
    });
    const INT_PTR ended = dialog.Run(owner_);
    ASSERT_TRUE(script.ran());
    // An empty registry shows 1, "America Online" and five empty fields.
    EXPECT_EQ(shown, (std::vector<std::string>{"1", "America Online", "", "", "", "", ""}));
    if (c.message.empty()) {
      EXPECT_TRUE(boxes_.empty());
      EXPECT_EQ(ended, IDOK);
      ASSERT_TRUE(dialog.Store(store_));
      EXPECT_EQ(Stored(settings::kAolScanInterval), 300u);
      EXPECT_EQ(Stored(settings::kAolTimerTitle), c.timerTitle);
      EXPECT_EQ(Stored(settings::kAolReSignOnButton), "Sign On Again");
      EXPECT_EQ(Stored(settings::kAolSignOnTitle), "");
    } else {
      EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
      EXPECT_TRUE(stayedOpen);
      EXPECT_EQ(ended, IDCANCEL);
    }
  }
}

struct HostCase {
  int service;
  std::string host, port;
  std::string message;  // "" when accepted
  std::string entry;
};

TEST_F(ConfigTest, AddNewHostRefusesWhatTheHostListsCannotHold) {
  const std::string host121(121, 'h'), host122(122, 'h'), host128(128, 'h');
  const HostCase cases[] = {
      {0, "www.example.com", "", "", "www.example.com"},
      {0, "   ", "", "No host entered. Please enter a valid host.", ""},
      {5, "", "8080", "No host entered. Please enter a valid host.", ""},
      {5, "mail.example.com", "8080", "", "mail.example.com:8080"},
      {5, "mail.example.com", "0", "Please enter an integer between 1 and 65535.", ""},
      {5, "mail.example.com", "65536", "Please enter an integer between 1 and 65535.", ""},
      {5, "mail.example.com", "", "Please enter an integer.", ""},
      {5, host121, "65535", "", host121 + ":65535"},
      {5, host122, "65535", "Please enter no more than 121 characters.", ""},
      {1, host128, "", "Please enter no more than 127 characters.", ""},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.service) + " " + c.host.substr(0, 20) + ":" + c.port);
    boxes_.clear();
    CAddHostDlg dialog(c.service);
    bool portEnabled = false, labelEnabled = false, stayedOpen = false;
    ModalScript script([&](HWND d) {
      portEnabled = IsWindowEnabled(GetDlgItem(d, IDC_HOST_PORT)) != 0;
      labelEnabled = IsWindowEnabled(GetDlgItem(d, IDC_HOST_PORT_LABEL)) != 0;
      Put(d, IDC_HOST_NAME, c.host);
      Put(d, IDC_HOST_PORT, c.port);
      Press(d, IDOK);
      stayedOpen = IsWindowVisible(d) != 0;
      if (stayedOpen) Press(d, IDCANCEL);
    });
    const INT_PTR ended = dialog.Run(owner_);
    ASSERT_TRUE(script.ran());
    EXPECT_EQ(portEnabled, c.service == 5);
    EXPECT_EQ(labelEnabled, c.service == 5);
    if (c.message.empty()) {
      EXPECT_EQ(ended, IDOK);
      EXPECT_EQ(dialog.entry(), c.entry);
      EXPECT_TRUE(boxes_.empty());
    } else {
      EXPECT_TRUE(stayedOpen);
      EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
    }
  }
}

TEST_F(ConfigTest, ChangeWindowTitleHoldsWhatTheStoreHolds) {
  for (size_t length : {254u, 255u}) {
    SCOPED_TRACE(length);
    boxes_.clear();
    CChangeTitleDlg dialog;
    bool stayedOpen = false;
    ModalScript script([&](HWND d) {
      Put(d, IDC_TITLE_TEXT, std::string(length, 'w'));
      Press(d, IDOK);
      stayedOpen = IsWindowVisible(d) != 0;
      if (stayedOpen) Press(d, IDCANCEL);
    });
    const INT_PTR ended = dialog.Run(owner_);
    ASSERT_TRUE(script.ran());
    if (length == 254) {
      EXPECT_EQ(ended, IDOK);
      EXPECT_EQ(dialog.title(), std::string(254, 'w'));
    } else {
      EXPECT_TRUE(stayedOpen);
      EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Please enter no more than 254 characters."});
    }
  }
}

}  // namespace

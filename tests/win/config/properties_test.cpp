// The two service pages: "Services " with its Turn On All question, and
// "Properties " with the host lists, the access method and the interval.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "config_fixture.h"
#include "config_pages.h"
#include "win/ListView.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;

std::vector<std::string> Column(HWND list, int column) {
  win::ListView view(list);
  std::vector<std::string> texts;
  for (int i = 0; i < view.Count(); ++i) texts.push_back(view.Text(i, column));
  return texts;
}

void SelectHost(const win::Page& page, int index) { win::ListView(page.Item(IDC_PROP_HOSTS)).Select(index); }

LRESULT Arrow(const win::Page& page, int delta) {
  NMUPDOWN change = {};
  change.hdr.hwndFrom = page.Item(IDC_PROP_MOVE);
  change.hdr.idFrom = IDC_PROP_MOVE;
  change.hdr.code = UDN_DELTAPOS;
  change.iDelta = delta;
  return SendMessageA(page.hwnd(), WM_NOTIFY, IDC_PROP_MOVE, reinterpret_cast<LPARAM>(&change));
}

void Key(const win::Page& page, WPARAM key) { SendMessageA(page.Item(IDC_PROP_HOSTS), WM_KEYDOWN, key, 0); }

TEST_F(ConfigTest, TurnOnAllServicesAsksAndTheBoxesShowWhatWasSaved) {
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    boxAnswer_ = answer;
    CConfigurationsDlg& dlg = Open();
    CPageISPServicesDlg& page = *dlg.pages().services;
    Click(page, IDC_SVC_FTP);
    Click(page, IDC_SVC_ALL);
    ASSERT_TRUE(dlg.SaveChangedPages());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, config::kTurnOnAllQuestion);
    EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    const DWORD expected[6] = {1, 1, answer == IDYES, answer == IDYES, answer == IDYES, answer == IDYES};
    const int boxesInOrder[6] = {IDC_SVC_HTTP, IDC_SVC_FTP, IDC_SVC_ECHO, IDC_SVC_DISCARD, IDC_SVC_TIME, IDC_SVC_USER};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(Stored(settings::kServiceFlags[i]), expected[i]) << i;
      EXPECT_EQ(page.IsChecked(boxesInOrder[i]), expected[i] == 1) << i;
    }
    // Answered once: a later save does not ask again or undo it.
    EXPECT_FALSE(page.IsChecked(IDC_SVC_ALL));
    Click(page, IDC_SVC_HTTP);
    Click(page, IDC_SVC_HTTP);
    ASSERT_TRUE(dlg.SaveChangedPages());
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(Stored(settings::kUserPortOn), expected[5]);
    Close();
  }
}

TEST_F(ConfigTest, PropertiesLoadsDefaultsWhenNothingIsStored) {
  store_.WriteHostList(0, {"web.example.com"});
  store_.WriteHostList(5, {"mail.example.com:110"});
  CConfigurationsDlg& dlg = Open();
  CPageISPPropertiesDlg& page = *dlg.pages().properties;
  EXPECT_TRUE(page.IsChecked(IDC_PROP_HTTP));
  EXPECT_EQ(Column(page.Item(IDC_PROP_HOSTS), 0), std::vector<std::string>{"web.example.com"});
  EXPECT_EQ(Column(page.Item(IDC_PROP_HOSTS), 1), std::vector<std::string>{"1"});
  EXPECT_TRUE(page.IsChecked(IDC_PROP_SEQUENTIAL));
  EXPECT_FALSE(Enabled(page, IDC_PROP_SET));
  EXPECT_EQ(page.ItemText(IDC_PROP_BETWEEN), "15");
  EXPECT_EQ(page.ItemText(IDC_PROP_AND), "90");
  EXPECT_EQ(page.ItemText(IDC_PROP_FIXED), "60");
  EXPECT_TRUE(page.IsChecked(IDC_PROP_INTERVAL_RANDOM));
  EXPECT_TRUE(Shown(page, IDC_PROP_BETWEEN));
  EXPECT_FALSE(Shown(page, IDC_PROP_FIXED));
  for (int id : {IDC_PROP_DELETE, IDC_PROP_MOVE, IDC_PROP_UP_LABEL}) EXPECT_FALSE(Enabled(page, id)) << id;
  Close();

  store_.Write(settings::kServiceType, 5);
  store_.Write(settings::kIntervalOption, 2);
  CPageISPPropertiesDlg& again = *Open().pages().properties;
  EXPECT_TRUE(again.IsChecked(IDC_PROP_USER));
  EXPECT_EQ(Column(again.Item(IDC_PROP_HOSTS), 0), std::vector<std::string>{"mail.example.com:110"});
  EXPECT_FALSE(Shown(again, IDC_PROP_BETWEEN));
  EXPECT_TRUE(Shown(again, IDC_PROP_FIXED));
}

struct HostCase {
  const char* name;
  DWORD method;
  std::string dedicated;
  std::function<void(ConfigTest&, CPageISPPropertiesDlg&)> steps;
  std::vector<std::string> hosts, priority;
  std::string savedDedicated;
  std::vector<std::string> messages = {};
};

TEST_F(ConfigTest, PropertiesActsOnTheHostShownSelected) {
  const HostCase cases[] = {
      {"sequential: the third moves up", 1, "",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 2);
         EXPECT_TRUE(IsWindowEnabled(p.Item(IDC_PROP_MOVE)));
         EXPECT_EQ(Arrow(p, -1), TRUE);  // the control keeps its position
       },
       {"a", "c", "b"}, {"1", "2", "3"}, ""},
      {"the top host does not move up", 1, "",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 0);
         Arrow(p, -1);
         EXPECT_FALSE(p.IsModified());
       },
       {"a", "b", "c"}, {"1", "2", "3"}, ""},
      {"dedicated moves with its host", 3, "a",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 0);
         Arrow(p, +1);
         EXPECT_EQ(win::ListView(p.Item(IDC_PROP_HOSTS)).Selected(), 1);
       },
       {"b", "a", "c"}, {"--", "Dedicated", "--"}, "a"},
      {"deleting the dedicated host empties it", 3, "b",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 1);
         Click(p, IDC_PROP_DELETE);
         EXPECT_FALSE(IsWindowEnabled(p.Item(IDC_PROP_DELETE)));
         EXPECT_FALSE(IsWindowEnabled(p.Item(IDC_PROP_MOVE)));
       },
       {"a", "c"}, {"--", "--"}, ""},
      {"keyboard selection, then Delete", 2, "c",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         Key(p, VK_HOME);
         Key(p, VK_DOWN);
         ASSERT_TRUE(IsWindowEnabled(p.Item(IDC_PROP_DELETE)));
         Click(p, IDC_PROP_DELETE);
       },
       {"a", "c"}, {"Random", "Random"}, "c"},
      {"&Set without a selection", 3, "a",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 2);
         Click(p, IDC_PROP_DEDICATED);  // the access radios clear the selection
         Click(p, IDC_PROP_SET);
       },
       {"a", "b", "c"}, {"Dedicated", "--", "--"}, "a", {config::kSetWithoutSelection}},
      {"&Set on the selected host", 3, "a",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         SelectHost(p, 2);
         Click(p, IDC_PROP_SET);
       },
       {"a", "b", "c"}, {"--", "--", "Dedicated"}, "c"},
      {"added, switched away and back", 1, "",
       [](ConfigTest&, CPageISPPropertiesDlg& p) {
         ModalScript script([](HWND d) {
           SetDlgItemTextA(d, IDC_HOST_NAME, "d");
           Press(d, IDOK);
         });
         Click(p, IDC_PROP_ADD);
         EXPECT_TRUE(script.ran());
         Click(p, 1042);  // FTP
         EXPECT_EQ(Column(p.Item(IDC_PROP_HOSTS), 0), std::vector<std::string>{"ftp.example.com"});
         Click(p, IDC_PROP_HTTP);
       },
       {"a", "b", "c", "d"}, {"1", "2", "3", "4"}, ""},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ClearProgramSettings();
    boxes_.clear();
    store_.WriteHostList(0, {"a", "b", "c"});
    store_.WriteHostList(1, {"ftp.example.com"});
    store_.WriteDedicatedHost(0, c.dedicated);
    store_.Write(settings::kAccessType, c.method);
    store_.WriteIntervalNumbers(15, 90, 60);  // else the page is changed from the start
    CConfigurationsDlg& dlg = Open();
    CPageISPPropertiesDlg& page = *dlg.pages().properties;
    c.steps(*this, page);
    EXPECT_EQ(Column(page.Item(IDC_PROP_HOSTS), 0), c.hosts);
    EXPECT_EQ(Column(page.Item(IDC_PROP_HOSTS), 1), c.priority);
    EXPECT_EQ(BoxTexts(), c.messages);
    if (page.IsModified()) {
      ASSERT_TRUE(dlg.SaveChangedPages());
    }
    std::vector<std::string> saved;
    store_.ReadHostList(0, saved);
    EXPECT_EQ(saved, c.hosts);
    std::string dedicated;
    store_.ReadDedicatedHost(0, dedicated);
    EXPECT_EQ(dedicated, c.savedDedicated);
    Close();
  }
}

TEST_F(ConfigTest, PropertiesSavesInItsOrderAndShowsWhatItStored) {
  store_.WriteHostList(5, {"old.example.com:7"});
  store_.WriteDedicatedHost(5, "old.example.com:7");
  CConfigurationsDlg& dlg = Open();
  CPageISPPropertiesDlg& page = *dlg.pages().properties;
  Click(page, IDC_PROP_USER);
  ModalScript script([](HWND d) {
    SetDlgItemTextA(d, IDC_HOST_NAME, "mail.example.com");
    SetDlgItemTextA(d, IDC_HOST_PORT, "8080");
    Press(d, IDOK);
  });
  Click(page, IDC_PROP_ADD);
  ASSERT_TRUE(script.ran());
  Click(page, IDC_PROP_DEDICATED);
  Click(page, IDC_PROP_INTERVAL_FIXED);
  // Each number field goes with its label and its "Secs".
  auto shown = [&](int id) {
    return (GetWindowLongA(GetDlgItem(page.hwnd(), id), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  for (int id : {IDC_PROP_BETWEEN, IDC_PROP_BETWEEN_UNIT, IDC_PROP_AND, IDC_PROP_AND_UNIT})
    EXPECT_FALSE(shown(id)) << id;
  for (int id : {IDC_PROP_FIXED, IDC_PROP_FIXED_UNIT}) EXPECT_TRUE(shown(id)) << id;
  Type(page, IDC_PROP_FIXED, " 120 ");
  Type(page, IDC_PROP_BETWEEN, "oops");  // hidden now: the stored number stays
  ASSERT_TRUE(dlg.SaveChangedPages());
  std::vector<std::string> hosts;
  store_.ReadHostList(5, hosts);
  EXPECT_EQ(hosts, (std::vector<std::string>{"old.example.com:7", "mail.example.com:8080"}));
  std::string dedicated;
  store_.ReadDedicatedHost(5, dedicated);
  EXPECT_EQ(dedicated, "old.example.com:7");  // written after the list that deleted it
  EXPECT_EQ(Stored(settings::kServiceType), 5u);
  EXPECT_EQ(Stored(settings::kAccessType), 3u);
  EXPECT_EQ(Stored(settings::kIntervalOption), 2u);
  EXPECT_EQ(Stored(settings::kFixed), 120u);
  EXPECT_EQ(Stored(settings::kRandomStart), 15u);
  EXPECT_EQ(Stored(settings::kRandomEnd), 90u);
  EXPECT_EQ(page.ItemText(IDC_PROP_FIXED), "120");
  EXPECT_EQ(page.ItemText(IDC_PROP_BETWEEN), "15");
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace

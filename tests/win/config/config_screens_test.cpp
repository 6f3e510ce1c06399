// Pictures of every page in its tab, the four small dialogs and one
// validation message, kept in build/win/screenshots for a person to look at.
#include <string>

#include "config/CAOLAdvancedDlg.h"
#include "config/CAddHostDlg.h"
#include "config/CChangeTitleDlg.h"
#include "config/CListEditDlg.h"
#include "config_fixture.h"
#include "config_pages.h"
#include "support/Screenshot.h"
#include "win/ListView.h"
#include "win/MessageBox.h"

namespace {

using testing_support::ModalScript;
using testing_support::Press;

int Photograph(HWND window, const std::string& name) {
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testing_support::PumpFor(250);
  RECT rc;
  GetWindowRect(window, &rc);
  return testing_support::SaveScreenRect(rc, name + ".bmp");
}

TEST_F(ConfigTest, EveryPageInItsTab) {
  store_.Write(settings::kAolStayOnline, 1);
  store_.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, "C:\\Program Files\\AOL\\aol.exe");
  store_.Write(settings::kAolSignOn, 1);
  store_.WriteScreenNames(settings::SignOnClient::Aol, 1, "Sam", {"Sam", "Alex"});
  store_.Write(settings::kMsnStayOnline, 1);
  store_.Write(settings::kPop3Enable, 1);
  store_.WritePop3ServerName("pop3.email.msn.com");
  store_.WriteHostList(0, {"www.example.com", "www.example.org", "www.example.net"});
  store_.WriteDedicatedHost(0, "www.example.org");
  store_.Write(settings::kAccessType, 3);
  store_.Write(settings::kSimulateMouse, 1);
  CConfigurationsDlg& dlg = Open([](std::vector<std::string>& names) {
    names = {"Home ISP", "Work ISP"};
    return DWORD{0};
  });
  ShowWindow(dlg.hwnd(), SW_SHOW);
  const char* names[][3] = {{"program_settings"},
                            {"isp_logon_options", "isp_services", "isp_properties"},
                            {"aol_sign_on_options", "aol_gadgets", "aol_browser_options"},
                            {"cs2000_sign_on_options", "cs2000_gadgets"},
                            {"netzero_logon_options"},
                            {"msn_logon_options"},
                            {"att_logon_options"}};
  for (int c = 0; c < CConfigurationsDlg::kCategoryCount; ++c) {
    dlg.SelectCategory(c, true);
    for (size_t t = 0; t < dlg.tabPages().size(); ++t) {
      SendMessageA(dlg.Item(IDC_CONFIG_TABS), TCM_SETCURFOCUS, t, 0);
      if (c == CConfigurationsDlg::kIsp && t == 2) win::ListView(dlg.pages().properties->Item(IDC_PROP_HOSTS)).Select(1);
      const std::string file = "config_page_" + std::to_string(dlg.tabPages()[t]->templateId()) + "_" + names[c][t];
      EXPECT_GT(Photograph(dlg.hwnd(), file), 8) << file;
    }
  }
}

TEST_F(ConfigTest, SmallDialogsAndAValidationMessage) {
  {
    CListEditDlg dialog(config::kScreenNameUse, {"Sam", "Alex"});
    ModalScript script([](HWND d) {
      SetDlgItemTextA(d, IDC_LIST_ADD_TEXT, "Robin");
      EXPECT_GT(Photograph(d, "config_dialog_287_list_editing"), 8);
      Press(d, IDCANCEL);
    });
    dialog.Run(owner_);
  }
  {
    CChangeTitleDlg dialog;
    ModalScript script([](HWND d) {
      SetDlgItemTextA(d, IDC_TITLE_TEXT, "Buddy List");
      EXPECT_GT(Photograph(d, "config_dialog_295_change_window_title"), 8);
      Press(d, IDCANCEL);
    });
    dialog.Run(owner_);
  }
  {
    CAOLAdvancedDlg dialog(store_);
    ModalScript script([](HWND d) {
      EXPECT_GT(Photograph(d, "config_dialog_203_aol_advanced_options"), 8);
      Press(d, IDCANCEL);
    });
    dialog.Run(owner_);
  }
  {
    // A real message box this time, over the dialog that refused.
    win::SetMessageBoxHandler({});
    CAddHostDlg dialog(5);
    std::unique_ptr<ModalScript> box;
    ModalScript script([&](HWND d) {
      SetDlgItemTextA(d, IDC_HOST_PORT, "8080");
      EXPECT_GT(Photograph(d, "config_dialog_201_add_new_host"), 8);
      box = std::make_unique<ModalScript>([](HWND message) {
        EXPECT_GT(Photograph(message, "config_message_no_host"), 4);
        Press(message, IDOK);
      });
      Press(d, IDOK);
      EXPECT_TRUE(box->ran());
      Press(d, IDCANCEL);
    });
    dialog.Run(owner_);
    EXPECT_TRUE(script.ran());
  }
}

}  // namespace

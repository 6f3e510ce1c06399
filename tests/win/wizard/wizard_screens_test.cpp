// Pictures of every wizard page, the AOL/CS2000 pages in both clients'
// texts, kept in build/win/screenshots for a person to look at.
#include <string>

#include "support/MessagePump.h"
#include "support/Screenshot.h"
#include "wizard_fixture.h"

namespace {

void Photograph(const WizardDriver& w, const std::string& name) {
  HWND sheet = w.sheet();
  SetForegroundWindow(sheet);
  RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testing_support::PumpFor(250);
  RECT rc;
  GetWindowRect(sheet, &rc);
  EXPECT_GT(testing_support::SaveScreenRect(rc, "wizard_" + std::to_string(w.Current()) + "_" + name + ".bmp"), 8)
      << name;
}

TEST_F(WizardTest, EveryPageOnScreen) {
  lister_ = [](std::vector<std::string>& names) {
    names = {"Home ISP", "Work ISP"};
    return DWORD{0};
  };
  store_.WriteScreenNames(settings::SignOnClient::Aol, 1, "Sam", {"Sam", "Alex"});
  store_.WriteScreenNames(settings::SignOnClient::Cs, 1, "Robin", {"Robin"});
  RunWizard(
      [&](WizardDriver& w) {
        Photograph(w, "main_first_run");
        w.Click(IDC_WIZ_OTHER);
        w.Next();
        w.Click(IDC_WIZ_USE_DIALER);
        w.Type(IDC_WIZ_LOGIN, "sam");
        w.Type(IDC_WIZ_PASSWORD, "secret");
        w.Click(IDC_WIZ_ADVANCED);
        Photograph(w, "isp_dialer");
        w.Next();
        Photograph(w, "isp_dialing_options");
        w.Next();
        Photograph(w, "isp_services");
        w.Next();
        Photograph(w, "isp_properties");
        w.Next();
        Photograph(w, "finish");
        for (int back = 0; back < 5; ++back) w.Back();
        const struct {
          int radio;
          const char* name;
        } clients[] = {{IDC_WIZ_AOL, "aol"}, {IDC_WIZ_CS2000, "cs2000"}};
        for (const auto& client : clients) {
          w.Click(client.radio);
          w.Next();
          w.Click(IDC_WIZ_LAUNCH_YES);
          w.Type(IDC_WIZ_CLIENT_PATH, "C:\\Program Files\\Online\\client.exe");
          Photograph(w, std::string(client.name) + "_browser");
          w.Next();
          w.Click(IDC_WIZ_SIGNON_YES);
          Photograph(w, std::string(client.name) + "_screen_names");
          w.Next();
          Photograph(w, std::string(client.name) + "_gadgets");
          w.Back();
          w.Back();
          w.Back();
        }
        const struct {
          int radio;
          const char* name;
        } others[] = {{IDC_WIZ_NETZERO, "netzero"}, {IDC_WIZ_ATT, "att"}, {IDC_WIZ_MSN, "msn"}};
        for (const auto& other : others) {
          w.Click(other.radio);
          w.Next();
          Photograph(w, other.name);
          w.Back();
        }
        w.Cancel();
      },
      /*firstRun=*/true);
}

}  // namespace

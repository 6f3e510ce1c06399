#include "config/CPageAOLOptionsDlg.h"

#include "config/CAOLAdvancedDlg.h"
#include "config/CPageAOLBrowserDlg.h"
#include "config/CPageAOLGadgetsDlg.h"
#include "config/CrossPageRules.h"
#include "config/PageSet.h"
#include "res/resource.h"

namespace {

const SignOnLayout kAolLayout{
    settings::SignOnClient::Aol, IDC_AOL_STAY_ONLINE, IDC_AOL_LAUNCH,   IDC_AOL_PATH,
    IDC_AOL_BROWSE,             IDC_AOL_AT_STARTUP,  IDC_AOL_SIGN_ON,  IDC_AOL_USE_NAME,
    IDC_AOL_ADVANCED,           "Aol.exe",           config::kAolPathNeeded,
    settings::kAolStayOnline,   settings::kAolLaunchBrowser, settings::kAolDialAtStartup,
    settings::kAolSignOn,       settings::kAolAutoRedial,    settings::kAolUseScreenName};

}  // namespace

CPageAOLOptionsDlg::CPageAOLOptionsDlg(SettingsStore& store, PageSet* pages)
    : CSignOnPage(IDD_PAGE_AOL_OPTIONS, store, pages, kAolLayout) {}

bool CPageAOLOptionsDlg::TurnOtherClientOff() { return rules::CsOff(*pages_, store_); }

void CPageAOLOptionsDlg::UpdateFollowers() {
  if (!pages_) return;
  if (pages_->aolGadgets && pages_->aolGadgets->hwnd()) pages_->aolGadgets->FollowSignOn();
  if (pages_->aolBrowser && pages_->aolBrowser->hwnd()) pages_->aolBrowser->FollowSignOn();
}

void CPageAOLOptionsDlg::OnAdvanced() {
  CAOLAdvancedDlg advanced(store_);
  if (advanced.Run(hwnd()) != IDOK) return;
  WroteAtOnce(advanced.Store(store_));
  Changed();
}

#include "config/CPageCSOptionsDlg.h"

#include "config/CPageCSGadgetsDlg.h"
#include "config/CrossPageRules.h"
#include "config/PageSet.h"
#include "res/resource.h"

namespace {

const SignOnLayout kCsLayout{
    settings::SignOnClient::Cs, IDC_CS_STAY_ONLINE, IDC_CS_LAUNCH,   IDC_CS_PATH,
    IDC_CS_BROWSE,             IDC_CS_AT_STARTUP,  IDC_CS_SIGN_ON,  IDC_CS_USE_NAME,
    0,                         "CS.exe",           config::kCsPathNeeded,
    settings::kCsStayOnline,   settings::kCsLaunchBrowser, settings::kCsDialAtStartup,
    settings::kCsSignOn,       settings::kCsAutoRedial,    settings::kCsUseScreenName};

}  // namespace

CPageCSOptionsDlg::CPageCSOptionsDlg(SettingsStore& store, PageSet* pages)
    : CSignOnPage(IDD_PAGE_CS_OPTIONS, store, pages, kCsLayout) {}

bool CPageCSOptionsDlg::TurnOtherClientOff() { return rules::AolOff(*pages_, store_); }

void CPageCSOptionsDlg::UpdateFollowers() {
  if (pages_ && pages_->csGadgets && pages_->csGadgets->hwnd()) pages_->csGadgets->FollowSignOn();
}

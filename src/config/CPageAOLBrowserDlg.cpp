#include "config/CPageAOLBrowserDlg.h"

#include "config/CListEditDlg.h"
#include "config/CPageAOLOptionsDlg.h"
#include "config/PageSet.h"
#include "res/resource.h"
#include "win/ComboBox.h"

namespace {

constexpr int kAllControls[] = {IDC_BROWSER_USE_SITE, IDC_BROWSER_SITES, IDC_BROWSER_SITE_CHANGE,
                                IDC_BROWSER_EXTERNAL, IDC_BROWSER_URLS,  IDC_BROWSER_URL_CHANGE};

// Each list with its default, noted as the page shows it.
std::string ListName(settings::SiteList list) {
  return list == settings::SiteList::AolSites ? "AOL sites" : "web addresses";
}
const settings::DwordSetting& FlagOf(settings::SiteList list) {
  return list == settings::SiteList::AolSites ? settings::kAolUseSpecificSite : settings::kAolLaunchExternalBrowser;
}

}  // namespace

CPageAOLBrowserDlg::CPageAOLBrowserDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_AOL_BROWSER, store, pages) {}

bool CPageAOLBrowserDlg::OnLoad() {
  store_.SeedSiteListIfUnset(settings::SiteList::AolSites);
  store_.SeedSiteListIfUnset(settings::SiteList::ExtBrowserSites);
  LoadList(settings::SiteList::AolSites, IDC_BROWSER_USE_SITE, IDC_BROWSER_SITES);
  LoadList(settings::SiteList::ExtBrowserSites, IDC_BROWSER_EXTERNAL, IDC_BROWSER_URLS);
  FollowSignOn();
  return true;
}

void CPageAOLBrowserDlg::LoadList(settings::SiteList list, int check, int combo) {
  DWORD flag = 0;
  std::string defaultSite;
  std::vector<std::string> sites;
  store_.ReadSiteList(list, flag, defaultSite, sites);
  SetChecked(check, flag == 1);
  Loaded(FlagOf(list), flag == 1 ? 1 : 0);
  win::ComboFill(Item(combo), sites);
  if (defaultSite.empty()) SendDlgItemMessageA(hwnd(), combo, CB_SETCURSEL, 0, 0);
  else win::ComboSelectExact(Item(combo), defaultSite);
  Loaded(ListName(list), ShownList(combo));
}

std::vector<std::string> CPageAOLBrowserDlg::EntriesToStore(int combo) const {
  std::vector<std::string> kept;
  for (std::string& entry : win::ComboItems(Item(combo)))
    if (!entry.empty()) kept.push_back(std::move(entry));
  return kept;
}

std::string CPageAOLBrowserDlg::ShownList(int combo) const {
  return Joined(EntriesToStore(combo)) + "default " + win::ComboSelection(Item(combo));
}

bool CPageAOLBrowserDlg::SaveList(settings::SiteList list, int check, int combo) {
  const DWORD flag = IsChecked(check) ? 1 : 0;
  if (!Differs(ListName(list), ShownList(combo))) return WriteIfNew(FlagOf(list), flag);
  // The list, its default and the flag are one write.
  if (!store_.WriteSiteList(list, flag, win::ComboSelection(Item(combo)), EntriesToStore(combo))) return false;
  Loaded(FlagOf(list), flag);
  Loaded(ListName(list), ShownList(combo));
  return true;
}

void CPageAOLBrowserDlg::FollowSignOn() {
  // The sign-on page's boxes when it is there, else what is stored.
  const CPageAOLOptionsDlg* signOn = pages_ ? pages_->aolOptions : nullptr;
  bool launching = false, signingOn = false;
  if (signOn && signOn->IsInitialised()) {
    launching = signOn->IsStayOnline() && signOn->IsLaunch();
    signingOn = launching && signOn->IsSignOn();
  } else {
    DWORD launch = 0, signOnFlag = 0;
    std::string path;
    store_.ReadBrowserLaunch(settings::SignOnClient::Aol, launch, path);
    store_.ReadFlag(settings::kAolSignOn, signOnFlag);
    launching = store_.Read(settings::kAolStayOnline) == 1 && launch == 1;
    signingOn = launching && signOnFlag == 1;
  }
  if (!launching) {
    for (int id : kAllControls) EnableItem(id, false);
    ShowItem(IDC_BROWSER_NOTE, true);
    return;
  }
  ShowItem(IDC_BROWSER_NOTE, false);
  const bool useSite = signingOn && IsChecked(IDC_BROWSER_USE_SITE);
  const bool external = IsChecked(IDC_BROWSER_EXTERNAL);
  EnableItem(IDC_BROWSER_USE_SITE, signingOn);
  EnableItem(IDC_BROWSER_SITES, useSite);
  EnableItem(IDC_BROWSER_SITE_CHANGE, useSite);
  EnableItem(IDC_BROWSER_EXTERNAL, true);
  EnableItem(IDC_BROWSER_URLS, external);
  EnableItem(IDC_BROWSER_URL_CHANGE, external);
}

void CPageAOLBrowserDlg::EditList(const config::ListEditUse& use, int combo) {
  CListEditDlg edit(use, win::ComboItems(Item(combo)));
  if (edit.Run(hwnd()) != IDOK) return;
  const std::string previous = win::ComboSelection(Item(combo));
  win::ComboFill(Item(combo), edit.result());
  win::ComboSelectExact(Item(combo), previous);
  Changed();
}

bool CPageAOLBrowserDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_BROWSER_USE_SITE:
      case IDC_BROWSER_EXTERNAL:
        FollowSignOn();
        Changed();
        return true;
      case IDC_BROWSER_SITE_CHANGE:
        EditList(config::kAolSiteUse, IDC_BROWSER_SITES);
        return true;
      case IDC_BROWSER_URL_CHANGE:
        EditList(config::kWebsiteUse, IDC_BROWSER_URLS);
        return true;
      default:
        break;
    }
  }
  if ((id == IDC_BROWSER_SITES || id == IDC_BROWSER_URLS) && code == CBN_SELCHANGE) {
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CPageAOLBrowserDlg::OnSave() {
  bool ok = SaveList(settings::SiteList::AolSites, IDC_BROWSER_USE_SITE, IDC_BROWSER_SITES);
  ok = SaveList(settings::SiteList::ExtBrowserSites, IDC_BROWSER_EXTERNAL, IDC_BROWSER_URLS) && ok;
  return WrittenIf(ok);
}

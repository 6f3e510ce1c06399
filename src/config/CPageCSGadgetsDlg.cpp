#include "config/CPageCSGadgetsDlg.h"

#include "config/CPageCSOptionsDlg.h"
#include "config/PageSet.h"
#include "res/resource.h"

namespace {

const TitledGadget kCsTitled[4] = {
    {1195, 1199, settings::kCsKillChildOne, settings::kCsChildOneTitle},
    {1196, 1200, settings::kCsKillChildTwo, settings::kCsChildTwoTitle},
    {1197, 1201, settings::kCsKillChildThree, settings::kCsChildThreeTitle},
    {1198, 1202, settings::kCsKillChildFour, settings::kCsChildFourTitle},
};
const PlainGadget kCsPlain[] = {
    {IDC_GAD_ADVERTISEMENT, settings::kCsKillAdvertisement},
};

}  // namespace

CPageCSGadgetsDlg::CPageCSGadgetsDlg(SettingsStore& store, PageSet* pages)
    : CGadgetsPage(IDD_PAGE_CS_GADGETS, store, pages, kCsTitled, kCsPlain, 1, settings::kCsStayOnline) {}

const CSignOnPage* CPageCSGadgetsDlg::SignOnPage() const { return pages_ ? pages_->csOptions : nullptr; }

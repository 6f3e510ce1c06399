#include "config/CPageAOLGadgetsDlg.h"

#include "config/CPageAOLOptionsDlg.h"
#include "config/PageSet.h"
#include "res/resource.h"

namespace {

const TitledGadget kAolTitled[4] = {
    {IDC_GAD_BUDDY, IDC_GAD_BUDDY_TITLE, settings::kAolKillBuddyList, settings::kAolChildBuddyTitle},
    {IDC_GAD_SEARCH, IDC_GAD_SEARCH_TITLE, settings::kAolKillSearchPreview, settings::kAolChildSearchTitle},
    {IDC_GAD_HOTLINE, IDC_GAD_HOTLINE_TITLE, settings::kAolKillHotline, settings::kAolChildHotlineTitle},
    {IDC_GAD_CHANNELS, IDC_GAD_CHANNELS_TITLE, settings::kAolKillChannels, settings::kAolChildChannelTitle},
};
const PlainGadget kAolPlain[] = {
    {IDC_GAD_ADVERTISEMENT, settings::kAolKillAdvertisement},
    {IDC_GAD_WELCOME, settings::kAolMinimizeWelcome},
};

}  // namespace

CPageAOLGadgetsDlg::CPageAOLGadgetsDlg(SettingsStore& store, PageSet* pages)
    : CGadgetsPage(IDD_PAGE_AOL_GADGETS, store, pages, kAolTitled, kAolPlain, 2, settings::kAolStayOnline) {}

const CSignOnPage* CPageAOLGadgetsDlg::SignOnPage() const { return pages_ ? pages_->aolOptions : nullptr; }

#include "config/CConfigWizAOLGadgets.h"

#include "config/CConfigWizPSheet.h"
#include "config/ConfigTexts.h"
#include "config/WizardTexts.h"
#include "res/resource.h"

namespace {

// The boxes top to bottom, as config::Gadget counts them.
constexpr int kBoxes[config::kGadgetCount] = {IDC_GAD_BUDDY,   IDC_GAD_SEARCH,        IDC_GAD_HOTLINE,
                                              IDC_GAD_CHANNELS, IDC_GAD_ADVERTISEMENT, IDC_GAD_WELCOME};

struct Layout {
  const settings::StringSetting* titles[4];  // the four titled boxes
  const settings::DwordSetting& firstBox;    // the first box starts from it
  const settings::DwordSetting& advertisement;
};

const Layout kAol{{&settings::kAolChildBuddyTitle, &settings::kAolChildSearchTitle,
                   &settings::kAolChildHotlineTitle, &settings::kAolChildChannelTitle},
                  settings::kAolKillBuddyList, settings::kAolKillAdvertisement};
const Layout kCs{{&settings::kCsChildOneTitle, &settings::kCsChildTwoTitle, &settings::kCsChildThreeTitle,
                  &settings::kCsChildFourTitle},
                 settings::kCsKillChildOne, settings::kCsKillAdvertisement};

}  // namespace

CConfigWizAOLGadgets::CConfigWizAOLGadgets(CConfigWizPSheet& sheet) : CConfigWizPage(IDD_WIZ_AOL_GADGETS, sheet) {}

bool CConfigWizAOLGadgets::IsCs() const { return sheet_.answers().kind == config::IspKind::Cs2000; }
int CConfigWizAOLGadgets::PictureId() const { return IsCs() ? IDB_WIZ_CS2000 : IDB_WIZ_AOL; }

bool CConfigWizAOLGadgets::OnLoad() {
  const Layout& layout = IsCs() ? kCs : kAol;
  SetItemText(IDC_WIZ_GADGETS_TEXT, (IsCs() ? config::CsTexts() : config::AolTexts()).gadgetsText);
  for (int i = 0; i < 4; ++i) {
    std::string title;
    store().Read(*layout.titles[i], title);
    SetItemText(kBoxes[i], config::GadgetCaption(title).c_str());
  }
  for (int box : kBoxes) SetChecked(box, false);
  SetChecked(kBoxes[config::kGadgetFirst], store().Read(layout.firstBox) == 1);
  SetChecked(kBoxes[config::kGadgetAdvertisement], store().Read(layout.advertisement) == 1);
  ShowItem(IDC_GAD_WELCOME, !IsCs());
  return true;
}

bool CConfigWizAOLGadgets::OnNext() {
  config::ClientAnswers& a = IsCs() ? answers().cs : answers().aol;
  for (int i = 0; i < config::kGadgetCount; ++i) a.gadgets[static_cast<std::size_t>(i)] = IsChecked(kBoxes[i]);
  if (IsCs()) a.gadgets[config::kGadgetWelcome] = false;
  return true;
}

#include "config/CConfigWizMain.h"

#include "config/CConfigWizAOLDialer.h"
#include "config/CConfigWizATTDialer.h"
#include "config/CConfigWizFinish.h"
#include "config/CConfigWizISPDialer.h"
#include "config/CConfigWizMSNDialer.h"
#include "config/CConfigWizNZDialer.h"
#include "config/CConfigWizPSheet.h"
#include "config/WizardTexts.h"
#include "res/resource.h"

namespace {

struct Choice {
  int radio;
  config::IspKind kind;
};
constexpr Choice kChoices[] = {
    {IDC_WIZ_AOL, config::IspKind::Aol},         {IDC_WIZ_CS2000, config::IspKind::Cs2000},
    {IDC_WIZ_NETZERO, config::IspKind::NetZero}, {IDC_WIZ_ATT, config::IspKind::Att},
    {IDC_WIZ_MSN, config::IspKind::Msn},         {IDC_WIZ_OTHER, config::IspKind::OtherIsp},
};

}  // namespace

CConfigWizMain::CConfigWizMain(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_MAIN, sheet),
      dialer_(std::make_unique<CConfigWizISPDialer>(sheet)),
      browser_(std::make_unique<CConfigWizAOLDialer>(sheet)),
      netZero_(std::make_unique<CConfigWizNZDialer>(sheet)),
      att_(std::make_unique<CConfigWizATTDialer>(sheet)),
      msn_(std::make_unique<CConfigWizMSNDialer>(sheet)),
      finish_(std::make_unique<CConfigWizFinish>(sheet)) {}

CConfigWizMain::~CConfigWizMain() = default;

int CConfigWizMain::PictureId() const { return IDB_WIZ_MAIN; }

bool CConfigWizMain::OnLoad() {
  SetItemText(IDC_WIZ_GREETING, config::WizardGreeting(sheet_.firstRun()).c_str());
  return true;
}

bool CConfigWizMain::OnNext() {
  config::IspKind kind = config::IspKind::None;
  for (const Choice& choice : kChoices) {
    if (IsChecked(choice.radio)) kind = choice.kind;
  }
  if (kind == config::IspKind::None) return Refuse(IDC_WIZ_AOL, config::kChooseIsp);

  // Only the pages of the last choice remain.
  sheet_.RemoveAfter(*this);
  answers().kind = kind;
  switch (kind) {
    case config::IspKind::Aol:
    case config::IspKind::Cs2000:
      sheet_.Append(*browser_);
      break;
    case config::IspKind::NetZero:
      sheet_.Append(*netZero_);
      sheet_.Append(*finish_);
      break;
    case config::IspKind::Att:
      sheet_.Append(*att_);
      sheet_.Append(*finish_);
      break;
    case config::IspKind::Msn:
      sheet_.Append(*msn_);
      sheet_.Append(*finish_);
      break;
    case config::IspKind::OtherIsp:
      sheet_.Append(*dialer_);
      break;
    case config::IspKind::None:
      break;
  }
  return true;
}

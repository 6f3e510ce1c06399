#include "config/CConfigWizISPDialer.h"

#include "config/CConfigWizFinish.h"
#include "config/CConfigWizISPDialOptions.h"
#include "config/CConfigWizISPProperties.h"
#include "config/CConfigWizISPServices.h"
#include "config/CConfigWizPSheet.h"
#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "config/WizardTexts.h"
#include "res/resource.h"
#include "config/ProfileChoice.h"

namespace {

constexpr int kProfileControls[] = {IDC_WIZ_PROFILE, IDC_WIZ_PROFILE_LABEL, IDC_WIZ_LOGIN,
                                    IDC_WIZ_LOGIN_LABEL, IDC_WIZ_PASSWORD, IDC_WIZ_PASSWORD_LABEL};

}  // namespace

CConfigWizISPDialer::CConfigWizISPDialer(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_ISP_DIALER, sheet),
      dialOptions_(std::make_unique<CConfigWizISPDialOptions>(sheet)),
      services_(std::make_unique<CConfigWizISPServices>(sheet)),
      properties_(std::make_unique<CConfigWizISPProperties>(sheet)),
      finish_(std::make_unique<CConfigWizFinish>(sheet)) {}

CConfigWizISPDialer::~CConfigWizISPDialer() = default;

int CConfigWizISPDialer::PictureId() const { return IDB_WIZ_ISP; }

void CConfigWizISPDialer::EnableProfile(bool on) {
  for (int id : kProfileControls) EnableItem(id, on);
}

bool CConfigWizISPDialer::OnLoad() {
  LimitText(IDC_WIZ_LOGIN, static_cast<int>(config::kMaxStoredText));
  LimitText(IDC_WIZ_PASSWORD, static_cast<int>(config::kMaxStoredText));
  std::vector<std::string> names;
  if (sheet_.ListProfiles(names) != 0) {
    config::ShowMessage(hwnd(), config::kProfilesError, MB_OK | MB_ICONINFORMATION);
    names.clear();
  }
  config::FillProfiles(Item(IDC_WIZ_PROFILE), names, store());
  const bool useDialer = store().Read(settings::kModemUseDialer) == 1;
  SetChecked(IDC_WIZ_USE_DIALER, useDialer);
  EnableProfile(useDialer);
  LoadCredentials();
  return true;
}

void CConfigWizISPDialer::LoadCredentials() {
  config::ShowProfileCredentials(hwnd(), IDC_WIZ_PROFILE, IDC_WIZ_LOGIN, IDC_WIZ_PASSWORD, store());
}

bool CConfigWizISPDialer::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_WIZ_USE_DIALER && code == BN_CLICKED) {
    EnableProfile(IsChecked(IDC_WIZ_USE_DIALER));
    return true;
  }
  if (id == IDC_WIZ_PROFILE && code == CBN_SELCHANGE) {
    LoadCredentials();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

bool CConfigWizISPDialer::OnNext() {
  config::DialerAnswers& dialer = answers().dialer;
  const bool useDialer = IsChecked(IDC_WIZ_USE_DIALER);
  if (useDialer) {
    const std::string profile = config::ChosenProfile(Item(IDC_WIZ_PROFILE));
    if (profile.empty()) return Refuse(IDC_WIZ_PROFILE, config::kNoValidProfile, MB_OK | MB_ICONINFORMATION);
    if (ItemText(IDC_WIZ_LOGIN).empty())
      return Refuse(IDC_WIZ_LOGIN, config::kEnterLogin, MB_OK | MB_ICONINFORMATION);
    if (ItemText(IDC_WIZ_PASSWORD).empty())
      return Refuse(IDC_WIZ_PASSWORD, config::kEnterPassword, MB_OK | MB_ICONINFORMATION);
    if (!Fits(IDC_WIZ_LOGIN, config::kMaxStoredText) || !Fits(IDC_WIZ_PASSWORD, config::kMaxStoredText))
      return false;
    dialer.useDialer = true;
    dialer.profile = profile;
    dialer.login = ItemText(IDC_WIZ_LOGIN);
    dialer.password = ItemText(IDC_WIZ_PASSWORD);
  } else {
    dialer.useDialer = false;
    dialer.profile.clear();
    dialer.login.clear();
    dialer.password.clear();
  }

  sheet_.RemoveAfter(*this);
  if (useDialer) sheet_.Append(*dialOptions_);
  if (IsChecked(IDC_WIZ_ADVANCED)) {
    sheet_.Append(*services_);
    sheet_.Append(*properties_);
  } else {
    answers().services = config::ServiceAnswers{};
  }
  sheet_.Append(*finish_);
  return true;
}

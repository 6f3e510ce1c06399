#include "config/CPageISPDialerDlg.h"

#include "config/CrossPageRules.h"
#include "config/PageSet.h"
#include "res/resource.h"
#include "config/ProfileChoice.h"

namespace {

constexpr int kDependentControls[] = {
    IDC_DIALER_PROFILE,     IDC_DIALER_LOGIN,       IDC_DIALER_PASSWORD,     IDC_DIALER_AT_STARTUP,
    IDC_DIALER_RECONNECT,   IDC_DIALER_ONE_STOP,    IDC_DIALER_PROMPT_DIAL,  IDC_DIALER_PROMPT_HANGUP};

struct BoxSetting {
  int id;
  const settings::DwordSetting& setting;
};
const BoxSetting kBoxes[] = {
    {IDC_DIALER_RECONNECT, settings::kModemReconnect},
    {IDC_DIALER_ONE_STOP, settings::kModemOneStop},
    {IDC_DIALER_PROMPT_DIAL, settings::kModemPromptToDial},
    {IDC_DIALER_PROMPT_HANGUP, settings::kModemPromptToDisconnect},
};

}  // namespace

CPageISPDialerDlg::CPageISPDialerDlg(SettingsStore& store, PageSet* pages, ProfileLister lister)
    : ConfigPage(IDD_PAGE_ISP_DIALER, store, pages), lister_(std::move(lister)) {}

void CPageISPDialerDlg::EnableAll(bool on) {
  for (int id : kDependentControls) EnableItem(id, on);
}

bool CPageISPDialerDlg::OnLoad() {
  EnableAll(false);
  LimitText(IDC_DIALER_LOGIN, static_cast<int>(config::kMaxStoredText));
  LimitText(IDC_DIALER_PASSWORD, static_cast<int>(config::kMaxStoredText));
  std::vector<std::string> names;
  const DWORD rc = lister_ ? lister_(names) : 0;
  if (rc != 0) {
    Say(config::kProfilesError, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  config::FillProfiles(Item(IDC_DIALER_PROFILE), names, store_);
  if (store_.Read(settings::kModemUseDialer) == 1) {
    SetChecked(IDC_USE_DIALER, true);
    EnableAll(true);
  }
  LoadCredentials();
  SetChecked(IDC_DIALER_AT_STARTUP, store_.Read(settings::kModemDialAtStartup) == 1);
  for (const BoxSetting& box : kBoxes) SetChecked(box.id, store_.Read(box.setting) == 1);
  return true;
}

std::string CPageISPDialerDlg::ChosenProfile() const { return config::ChosenProfile(Item(IDC_DIALER_PROFILE)); }

void CPageISPDialerDlg::LoadCredentials() {
  config::ShowProfileCredentials(hwnd(), IDC_DIALER_PROFILE, IDC_DIALER_LOGIN, IDC_DIALER_PASSWORD, store_);
}

void CPageISPDialerDlg::SwitchOff(bool alsoAtStartup) {
  SetChecked(IDC_USE_DIALER, false);
  EnableAll(false);
  SetChecked(IDC_DIALER_ONE_STOP, false);
  if (alsoAtStartup) SetChecked(IDC_DIALER_AT_STARTUP, false);
}

bool CPageISPDialerDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_USE_DIALER && code == BN_CLICKED) {
    const bool on = IsDialerChecked();
    EnableAll(on);
    if (on && pages_) {
      bool written = rules::NetZeroOff(*pages_, store_, /*dialerForm=*/true);
      written = rules::AttOff(*pages_, store_) && written;
      written = rules::MsnOff(*pages_, store_) && written;
      written = store_.Write(settings::kConnection, settings::kConnectionManual) && written;
      WroteAtOnce(written);
    }
    Changed();
    return true;
  }
  if (id == IDC_DIALER_PROFILE && code == CBN_SELCHANGE) {
    LoadCredentials();
    Changed();
    return true;
  }
  if ((id == IDC_DIALER_LOGIN || id == IDC_DIALER_PASSWORD) && code == EN_CHANGE) {
    Changed();
    return true;
  }
  if (code == BN_CLICKED) {
    for (int box : {IDC_DIALER_AT_STARTUP, IDC_DIALER_RECONNECT, IDC_DIALER_ONE_STOP,
                    IDC_DIALER_PROMPT_DIAL, IDC_DIALER_PROMPT_HANGUP}) {
      if (id == box) {
        Changed();
        return true;
      }
    }
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CPageISPDialerDlg::OnSave() {
  if (!IsDialerChecked()) return WrittenIf(store_.Write(settings::kModemUseDialer, 0));

  SaveResult refusal;
  if (ItemText(IDC_DIALER_LOGIN).empty()) {
    return RefuseWith(IDC_DIALER_LOGIN, config::kEmptyLogin, MB_OK | MB_ICONINFORMATION);
  }
  if (!FitsLength(IDC_DIALER_LOGIN, config::kMaxStoredText, refusal) ||
      !FitsLength(IDC_DIALER_PASSWORD, config::kMaxStoredText, refusal))
    return refusal;

  bool ok = true;
  if (IsChecked(IDC_DIALER_AT_STARTUP)) {
    ok = store_.Write(settings::kModemDialAtStartup, 1) && ok;
    ok = WriteWinStartOn() && ok;
  } else {
    ok = store_.Write(settings::kModemDialAtStartup, 0) && ok;
  }
  for (const BoxSetting& box : kBoxes) ok = store_.Write(box.setting, IsChecked(box.id) ? 1 : 0) && ok;
  ok = store_.Write(settings::kModemUseDialer, 1) && ok;
  // Without a real entry there is no profile to name or to hold the login.
  const std::string profile = ChosenProfile();
  if (!profile.empty()) {
    ok = store_.Write(settings::kModemProfile, profile) && ok;
    ok = store_.WriteProfileCredentials(profile, ItemText(IDC_DIALER_LOGIN), ItemText(IDC_DIALER_PASSWORD)) && ok;
  }
  return WrittenIf(ok);
}

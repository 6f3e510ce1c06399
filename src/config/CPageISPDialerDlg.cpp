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
std::string CredentialsName(const std::string& profile) { return "credentials of " + profile; }

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
  // The stored name, not the one shown: a profile that is gone is replaced
  // by the entry the page shows in its place.
  std::string profile;
  store_.Read(settings::kModemProfile, profile);
  Loaded(settings::kModemProfile, profile);
  const bool useDialer = store_.Read(settings::kModemUseDialer) == 1;
  Loaded(settings::kModemUseDialer, useDialer ? 1 : 0);
  if (useDialer) {
    SetChecked(IDC_USE_DIALER, true);
    EnableAll(true);
  }
  LoadCredentials();
  LoadBox(IDC_DIALER_AT_STARTUP, settings::kModemDialAtStartup);
  for (const BoxSetting& box : kBoxes) LoadBox(box.id, box.setting);
  return true;
}

std::string CPageISPDialerDlg::ChosenProfile() const { return config::ChosenProfile(Item(IDC_DIALER_PROFILE)); }

void CPageISPDialerDlg::LoadCredentials() {
  config::ShowProfileCredentials(hwnd(), IDC_DIALER_PROFILE, IDC_DIALER_LOGIN, IDC_DIALER_PASSWORD, store_);
  const std::string profile = ChosenProfile();
  if (!profile.empty()) Loaded(CredentialsName(profile), ShownCredentials());
}

std::string CPageISPDialerDlg::ShownCredentials() const {
  return ItemText(IDC_DIALER_LOGIN) + '\n' + ItemText(IDC_DIALER_PASSWORD);
}

void CPageISPDialerDlg::SwitchOff(bool alsoAtStartup) {
  SetChecked(IDC_USE_DIALER, false);
  EnableAll(false);
  SetChecked(IDC_DIALER_ONE_STOP, false);
  if (alsoAtStartup) SetChecked(IDC_DIALER_AT_STARTUP, false);
  // What the rule writes at once is what the page now shows.
  Loaded(settings::kModemUseDialer, 0);
  Loaded(settings::kModemOneStop, 0);
  if (alsoAtStartup) Loaded(settings::kModemDialAtStartup, 0);
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
  if (!IsDialerChecked()) return WrittenIf(WriteIfNew(settings::kModemUseDialer, 0));

  SaveResult refusal;
  if (ItemText(IDC_DIALER_LOGIN).empty()) {
    return RefuseWith(IDC_DIALER_LOGIN, config::kEmptyLogin, MB_OK | MB_ICONINFORMATION);
  }
  if (!FitsLength(IDC_DIALER_LOGIN, config::kMaxStoredText, refusal) ||
      !FitsLength(IDC_DIALER_PASSWORD, config::kMaxStoredText, refusal))
    return refusal;

  const bool atStartup = IsChecked(IDC_DIALER_AT_STARTUP);
  bool ok = WriteIfNew(settings::kModemDialAtStartup, atStartup ? 1 : 0);
  if (atStartup) ok = WriteWinStartOn() && ok;
  for (const BoxSetting& box : kBoxes) ok = WriteIfNew(box.setting, IsChecked(box.id) ? 1 : 0) && ok;
  ok = WriteIfNew(settings::kModemUseDialer, 1) && ok;
  // Without a real entry there is no profile to name or to hold the login.
  const std::string profile = ChosenProfile();
  if (!profile.empty()) {
    ok = WriteIfNew(settings::kModemProfile, profile) && ok;
    const std::string login = ItemText(IDC_DIALER_LOGIN), password = ItemText(IDC_DIALER_PASSWORD);
    ok = WriteIfNew(CredentialsName(profile), ShownCredentials(),
                    [&] { return store_.WriteProfileCredentials(profile, login, password); }) &&
         ok;
  }
  return WrittenIf(ok);
}

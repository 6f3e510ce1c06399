#include "config/ProfileChoice.h"

#include "config/ConfigTexts.h"
#include "win/ComboBox.h"

namespace config {

void FillProfiles(HWND combo, const std::vector<std::string>& names, const SettingsStore& store) {
  if (names.empty()) {
    win::ComboFill(combo, {kNoProfile});
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return;
  }
  win::ComboFill(combo, names);
  std::string stored;
  store.Read(settings::kModemProfile, stored);
  // A stored entry that is gone counts as none stored.
  if (stored.empty() || !win::ComboSelectExact(combo, stored)) SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

std::string ChosenProfile(HWND combo) {
  std::string chosen = win::ComboSelection(combo);
  return chosen == kNoProfile ? std::string() : chosen;
}

void ShowProfileCredentials(HWND dialog, int comboId, int loginId, int passwordId, const SettingsStore& store) {
  SetDlgItemTextA(dialog, loginId, "");
  SetDlgItemTextA(dialog, passwordId, "");
  const std::string profile = ChosenProfile(GetDlgItem(dialog, comboId));
  std::string login, password;
  if (!profile.empty() && store.ReadProfileCredentials(profile, login, password)) {
    SetDlgItemTextA(dialog, loginId, login.c_str());
    SetDlgItemTextA(dialog, passwordId, password.c_str());
  }
}

}  // namespace config

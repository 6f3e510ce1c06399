#pragma once
// The phonebook entry, login and password of the two dialer pages (the
// ISP Logon Options page and the wizard's ISP Dialer page): the same
// controls, filled by the same rules.
#include <windows.h>

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace config {

// Fills the drop-down list with the entries, or with the no-profile text when
// there are none, and selects the stored profile (the first entry when none
// is stored or it is gone).
void FillProfiles(HWND combo, const std::vector<std::string>& names, const SettingsStore& store);
// The chosen entry, or "" when there is no real one.
std::string ChosenProfile(HWND combo);
// Shows the chosen entry's stored login and password, or empty fields.
void ShowProfileCredentials(HWND dialog, int comboId, int loginId, int passwordId, const SettingsStore& store);

}  // namespace config

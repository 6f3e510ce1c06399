#pragma once
// "Logon Options" of the ISP category (template 306): the program's own
// dial-up dialer, its phonebook entry with login and password, and how it
// dials. The phonebook entries come through a narrow seam so that tests can
// give entries, none or a failure.
#include <functional>
#include <string>
#include <vector>

#include "config/ConfigPage.h"

// Fills `names` with the dial-up phonebook entries; 0, or a dial-up or
// Win32 error code when they cannot be listed.
using ProfileLister = std::function<DWORD(std::vector<std::string>& names)>;

class CPageISPDialerDlg : public ConfigPage {
 public:
  // An empty lister lists no entries.
  CPageISPDialerDlg(SettingsStore& store, PageSet* pages, ProfileLister lister);

  bool IsDialerChecked() const { return IsChecked(IDC_USE_DIALER); }
  // The other side of a rule switched the dialer off. `alsoAtStartup`
  // clears "Auto dial your ISP when program starts" too.
  void SwitchOff(bool alsoAtStartup);

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  static constexpr int IDC_USE_DIALER = 1144;
  void EnableAll(bool on);
  void LoadCredentials();
  std::string ShownCredentials() const;
  // The chosen phonebook entry, or "" when there is no real one.
  std::string ChosenProfile() const;

  ProfileLister lister_;
};

#pragma once
// "Logon Options" of the NetZero category (template 304): working with
// NetZero, its dialer version, and the program starting NetZero's dialer
// itself (path, at start-up, from a tray click). Choosing NetZero switches
// the program's own dialer, AT&T and MSN off at once.
#include "config/ConfigPage.h"

class CPageNZOptionsDlg : public ConfigPage {
 public:
  CPageNZOptionsDlg(SettingsStore& store, PageSet* pages);

  bool IsNetZeroChecked() const;
  bool IsUseDialerChecked() const;
  // A rule switched NetZero off; `alsoAtStartup` clears "Auto dial Netzero
  // when program starts" too.
  void SwitchOff(bool alsoAtStartup);

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void ApplyEnableRules();
  void Browse();
};

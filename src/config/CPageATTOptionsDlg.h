#pragma once
// "Logon Options" of the AT&T category (template 322): working with AT&T
// WorldNet. Choosing it switches the program's own dialer, NetZero and MSN
// off at once.
#include "config/ConfigPage.h"

class CPageATTOptionsDlg : public ConfigPage {
 public:
  CPageATTOptionsDlg(SettingsStore& store, PageSet* pages);
  bool IsAttChecked() const;
  void SwitchOff();

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
};

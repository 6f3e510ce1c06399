#pragma once
// "Logon Options" of the MSN category (template 357): working with MSN and
// the POP3 mail check that keeps its session busy. Choosing MSN switches the
// program's own dialer, NetZero and AT&T off at once.
#include "config/ConfigPage.h"

class CPageMSNOptionsDlg : public ConfigPage {
 public:
  CPageMSNOptionsDlg(SettingsStore& store, PageSet* pages);
  bool IsMsnChecked() const;
  void SwitchOff();

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void ApplyEnableRules();
  void ShowInterval();
};

#pragma once
// "Program Settings" (template 300): how the service starts (Manual or Auto
// NetSense), mouse simulation, start with Windows, the start-up screen box.
// While the program dials or launches a client at start-up the activation
// radios are locked on "Manual" (judged again each time the page is shown).
#include "config/ConfigPage.h"

class CPageSettingsDlg : public ConfigPage {
 public:
  CPageSettingsDlg(SettingsStore& store, PageSet* pages);
  void OnShown() override;
  bool IsLocked() const { return locked_; }

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  void ApplyLock();
  void EnableMinutes();
  void ShowStored();

  DWORD connection_ = settings::kConnectionManual;
  bool locked_ = false;
};

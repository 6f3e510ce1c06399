#pragma once
// "Services " (template 303): which of the six keep-alive services run. The
// "Turn On All Services" box asks at save time whether to switch on all six.
#include "config/ConfigPage.h"

class CPageISPServicesDlg : public ConfigPage {
 public:
  CPageISPServicesDlg(SettingsStore& store, PageSet* pages);

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void ShowFlags(const DWORD flags[6]);
};

#pragma once
// "Sign-on Options" of the AOL category (template 301). Checking "Tetherly!
// with AOL" turns CompuServe 2000 off; the AOL gadgets and browser pages
// follow its boxes. "AOL &Advanced Options" edits the AOL window texts,
// written when that dialog ends with OK.
#include "config/CSignOnPage.h"

class CPageAOLOptionsDlg : public CSignOnPage {
 public:
  CPageAOLOptionsDlg(SettingsStore& store, PageSet* pages);

 protected:
  bool TurnOtherClientOff() override;
  void UpdateFollowers() override;
  void OnAdvanced() override;
};

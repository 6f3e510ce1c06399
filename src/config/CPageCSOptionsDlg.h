#pragma once
// "Sign-on Options" of the CS2000 category (template 319): the AOL page's
// twin for CompuServe 2000. Checking "Tetherly! with CS2000" turns AOL off;
// the CS2000 gadgets page follows it.
#include "config/CSignOnPage.h"

class CPageCSOptionsDlg : public CSignOnPage {
 public:
  CPageCSOptionsDlg(SettingsStore& store, PageSet* pages);

 protected:
  bool TurnOtherClientOff() override;
  void UpdateFollowers() override;
};

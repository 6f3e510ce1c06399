#pragma once
// "Gadgets" of the AOL category (template 302): buddy list, search,
// hotline and channels windows closed while signing on, advertisements
// closed, the welcome window minimised.
#include "config/CGadgetsPage.h"

class CPageAOLGadgetsDlg : public CGadgetsPage {
 public:
  CPageAOLGadgetsDlg(SettingsStore& store, PageSet* pages);

 protected:
  const CSignOnPage* SignOnPage() const override;
};

#pragma once
// "Gadgets" of the CS2000 category (template 320): four titled child
// windows closed while signing on, advertisements closed.
#include "config/CGadgetsPage.h"

class CPageCSGadgetsDlg : public CGadgetsPage {
 public:
  CPageCSGadgetsDlg(SettingsStore& store, PageSet* pages);

 protected:
  const CSignOnPage* SignOnPage() const override;
};

#pragma once
// "Configuration Wizard - ATT Options" (template 333): nothing to ask; Next
// chooses working with AT&T WorldNet.
#include "config/CConfigWizPage.h"

class CConfigWizATTDialer : public CConfigWizPage {
 public:
  explicit CConfigWizATTDialer(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override { return true; }
  int PictureId() const override;
  bool OnNext() override;
};

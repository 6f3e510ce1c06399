#pragma once
// "Configuration Wizard - ISP Dialing Options" (template 309): five Yes/No
// questions about how the program's own dialer behaves, from the store.
#include "config/CConfigWizPage.h"

class CConfigWizISPDialOptions : public CConfigWizPage {
 public:
  explicit CConfigWizISPDialOptions(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
};

#pragma once
// "Configuration Wizard - ISP Services" (template 312): which keep-alive
// services run. Shown first with HTTP and the user port as stored and the
// four others off, whatever is stored (they are for debugging sessions);
// shown again, it has the answers already given.
#include "config/CConfigWizPage.h"

class CConfigWizISPServices : public CConfigWizPage {
 public:
  explicit CConfigWizISPServices(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  void OnSetActive() override;
  int PictureId() const override;
  bool OnNext() override;
};

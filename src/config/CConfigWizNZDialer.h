#pragma once
// "Configuration Wizard - NetZero Dialer Options" (template 316): the NetZero
// version, whether the program starts NetZero's dialer (then from which path,
// by a left click on the tray icon, at start-up) and whether it redials.
#include "config/CConfigWizPage.h"

class CConfigWizNZDialer : public CConfigWizPage {
 public:
  explicit CConfigWizNZDialer(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EnableDialerControls();
  void Browse();
};

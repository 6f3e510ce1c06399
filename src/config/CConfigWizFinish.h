#pragma once
// "Configuration Wizard - FINISH" (template 315): the closing words, the
// support address as a mail link, and Finish, which writes every answer of
// the chosen path at once.
#include "config/CConfigWizPage.h"
#include "win/Hyperlink.h"

class CConfigWizFinish : public CConfigWizPage {
 public:
  explicit CConfigWizFinish(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  DWORD Buttons() const override { return PSWIZB_BACK | PSWIZB_FINISH; }
  int PictureId() const override;
  bool OnFinish() override;

 private:
  win::Hyperlink mail_;
};

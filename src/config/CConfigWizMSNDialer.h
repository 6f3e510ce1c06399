#pragma once
// "Configuration Wizard - MSN Options" (template 360): whether the program
// checks an MSN POP3 mailbox to keep the connection busy, on which server
// and how often. The stored login and password ride along in hidden fields.
#include "config/CConfigWizPage.h"

class CConfigWizMSNDialer : public CConfigWizPage {
 public:
  explicit CConfigWizMSNDialer(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EnablePop3Controls();
};

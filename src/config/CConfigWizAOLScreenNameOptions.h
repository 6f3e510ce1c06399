#pragma once
// "Configuration Wizard - AOL/CS2000 Screen name Options" (template 314):
// whether the program signs on by itself after launching the client, and
// with which screen name of the list (edited in the list editing dialog).
#include "config/CConfigWizPage.h"

class CConfigWizAOLScreenNameOptions : public CConfigWizPage {
 public:
  explicit CConfigWizAOLScreenNameOptions(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  bool IsCs() const;
  void EnableNames();
  void EditNames();
};

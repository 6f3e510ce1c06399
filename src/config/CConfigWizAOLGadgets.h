#pragma once
// "Configuration Wizard - AOL/CS2000  Gadgets" (template 318): which of the
// client's extra windows to close while signing on. AOL: buddy list,
// search, hotline, channels (captioned with their stored titles),
// advertisements, and minimising the welcome window; CS2000: its four child
// windows and advertisements.
#include "config/CConfigWizPage.h"

class CConfigWizAOLGadgets : public CConfigWizPage {
 public:
  explicit CConfigWizAOLGadgets(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;

 private:
  bool IsCs() const;
};

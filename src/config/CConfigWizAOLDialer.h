#pragma once
// "Configuration Wizard - AOL/CS2000 Browser" (template 310), for AOL or
// CompuServe 2000 as chosen on the main page (its texts follow the client):
// whether the program launches the client, from which path, at start-up,
// and whether it signs on again after a lost connection. It owns the rest of
// the path: the screen-name page (only when launching), the gadgets page and
// a finish page.
#include <memory>

#include "config/CConfigWizPage.h"
#include "config/WizardTexts.h"

class CConfigWizAOLScreenNameOptions;
class CConfigWizAOLGadgets;
class CConfigWizFinish;

class CConfigWizAOLDialer : public CConfigWizPage {
 public:
  explicit CConfigWizAOLDialer(CConfigWizPSheet& sheet);
  ~CConfigWizAOLDialer() override;

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  bool IsCs() const;
  const config::ClientTexts& Texts() const;
  config::ClientAnswers& Answers();
  void EnableLaunchControls();
  void Browse();

  std::unique_ptr<CConfigWizAOLScreenNameOptions> screenNames_;
  std::unique_ptr<CConfigWizAOLGadgets> gadgets_;
  std::unique_ptr<CConfigWizFinish> finish_;
};

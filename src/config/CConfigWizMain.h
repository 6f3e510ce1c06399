#pragma once
// "Configuration Wizard" (template 311): the greeting and the choice of ISP.
// It owns the first page of every path (and one finish page): Next removes
// whatever an earlier choice appended and appends the chosen path's pages.
#include <memory>

#include "config/CConfigWizPage.h"

class CConfigWizISPDialer;
class CConfigWizAOLDialer;
class CConfigWizNZDialer;
class CConfigWizATTDialer;
class CConfigWizMSNDialer;
class CConfigWizFinish;

class CConfigWizMain : public CConfigWizPage {
 public:
  explicit CConfigWizMain(CConfigWizPSheet& sheet);
  ~CConfigWizMain() override;

 protected:
  bool OnLoad() override;
  DWORD Buttons() const override { return PSWIZB_NEXT; }
  int PictureId() const override;
  bool OnNext() override;

 private:
  std::unique_ptr<CConfigWizISPDialer> dialer_;
  std::unique_ptr<CConfigWizAOLDialer> browser_;
  std::unique_ptr<CConfigWizNZDialer> netZero_;
  std::unique_ptr<CConfigWizATTDialer> att_;
  std::unique_ptr<CConfigWizMSNDialer> msn_;
  std::unique_ptr<CConfigWizFinish> finish_;
};

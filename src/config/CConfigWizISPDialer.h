#pragma once
// "Configuration Wizard - ISP Dialer" (template 308): whether the program
// dials the ISP itself, through which phonebook entry, with which login and
// password, and whether the advanced settings (services, host access and
// interval) are asked for. It owns the rest of the other-ISP path.
#include <memory>

#include "config/CConfigWizPage.h"

class CConfigWizISPDialOptions;
class CConfigWizISPServices;
class CConfigWizISPProperties;
class CConfigWizFinish;

class CConfigWizISPDialer : public CConfigWizPage {
 public:
  explicit CConfigWizISPDialer(CConfigWizPSheet& sheet);
  ~CConfigWizISPDialer() override;

 protected:
  bool OnLoad() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void EnableProfile(bool on);
  void LoadCredentials();

  std::unique_ptr<CConfigWizISPDialOptions> dialOptions_;
  std::unique_ptr<CConfigWizISPServices> services_;
  std::unique_ptr<CConfigWizISPProperties> properties_;
  std::unique_ptr<CConfigWizFinish> finish_;
};

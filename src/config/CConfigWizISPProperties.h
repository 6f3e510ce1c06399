#pragma once
// "Configuration Wizard - ISP Properties" (template 313): hosts in turn or
// at random, and a random or fixed period before the next host, in seconds.
// Only the fields of the chosen period are shown and checked.
#include <cstdint>

#include "config/CConfigWizPage.h"

class CConfigWizISPProperties : public CConfigWizPage {
 public:
  explicit CConfigWizISPProperties(CConfigWizPSheet& sheet);

 protected:
  bool OnLoad() override;
  void OnSetActive() override;
  int PictureId() const override;
  bool OnNext() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void ShowPeriodFields();
  void ShowNumbers(const std::uint32_t numbers[3]);

  std::uint32_t shown_[3] = {};  // start, end, fixed as last put in the fields
};

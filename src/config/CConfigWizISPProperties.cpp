#include "config/CConfigWizISPProperties.h"

#include <string>

#include "config/CConfigWizPSheet.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"

namespace {

// The fields in the order of the sheet's numbers, with their bounds.
struct NumberField {
  int id;
  long low, high;
};
constexpr NumberField kFields[3] = {
    {IDC_PROP_BETWEEN, 0, 900}, {IDC_PROP_AND, 1, 900}, {IDC_PROP_FIXED, 1, 900}};
// What the page shows when the stored numbers cannot all be read.
constexpr std::uint32_t kFallbackNumbers[3] = {15, 90, 60};
constexpr int kRandomFields[] = {IDC_PROP_BETWEEN, IDC_PROP_BETWEEN_LABEL, IDC_WIZ_BETWEEN_UNIT,
                                 IDC_PROP_AND,     IDC_PROP_AND_LABEL,     IDC_WIZ_AND_UNIT};
constexpr int kFixedFields[] = {IDC_PROP_FIXED, IDC_WIZ_FIXED_UNIT};

}  // namespace

CConfigWizISPProperties::CConfigWizISPProperties(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_ISP_PROPERTIES, sheet) {}

int CConfigWizISPProperties::PictureId() const { return IDB_WIZ_ISP; }

void CConfigWizISPProperties::ShowNumbers(const std::uint32_t numbers[3]) {
  for (int i = 0; i < 3; ++i) {
    shown_[i] = numbers[i];
    SetItemText(kFields[i].id, std::to_string(numbers[i]).c_str());
  }
}

bool CConfigWizISPProperties::OnLoad() {
  for (const NumberField& field : kFields) LimitText(field.id, 3);
  const bool random = store().Read(settings::kAccessType) == 2;
  SetChecked(IDC_PROP_RANDOM, random);
  SetChecked(IDC_PROP_SEQUENTIAL, !random);
  const bool randomPeriod = store().Read(settings::kIntervalOption) == 1;
  SetChecked(IDC_PROP_INTERVAL_RANDOM, randomPeriod);
  SetChecked(IDC_PROP_INTERVAL_FIXED, !randomPeriod);
  DWORD stored[3] = {};
  if (store().ReadIntervalNumbers(stored[0], stored[1], stored[2])) {
    const std::uint32_t numbers[3] = {stored[0], stored[1], stored[2]};
    ShowNumbers(numbers);
  } else {
    ShowNumbers(kFallbackNumbers);
  }
  ShowPeriodFields();
  return true;
}

void CConfigWizISPProperties::OnSetActive() {
  const config::ServiceAnswers& given = answers().services;
  if (!given.numbersGiven) return;
  const std::uint32_t numbers[3] = {given.randomStart, given.randomEnd, given.fixed};
  for (int i = 0; i < 3; ++i) {
    if (numbers[i] >= 1 && numbers[i] <= 900) {
      shown_[i] = numbers[i];
      SetItemText(kFields[i].id, std::to_string(numbers[i]).c_str());
    }
  }
}

void CConfigWizISPProperties::ShowPeriodFields() {
  const bool random = IsChecked(IDC_PROP_INTERVAL_RANDOM);
  for (int id : kRandomFields) ShowItem(id, random);
  for (int id : kFixedFields) ShowItem(id, !random);
}

bool CConfigWizISPProperties::OnCommand(WORD id, WORD code, HWND control) {
  if ((id == IDC_PROP_INTERVAL_RANDOM || id == IDC_PROP_INTERVAL_FIXED) && code == BN_CLICKED) {
    ShowPeriodFields();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

bool CConfigWizISPProperties::OnNext() {
  const bool randomPeriod = IsChecked(IDC_PROP_INTERVAL_RANDOM);
  std::uint32_t numbers[3] = {shown_[0], shown_[1], shown_[2]};
  for (int i = 0; i < 3; ++i) {
    const NumberField& field = kFields[i];
    const bool checked = (i < 2) == randomPeriod;
    const config::NumberCheck number = config::CheckInteger(ItemText(field.id), field.low, field.high);
    if (number.ok) {
      numbers[i] = static_cast<std::uint32_t>(number.value);
    } else if (checked) {
      return Refuse(field.id, number.message);
    }
    // A hidden field that does not read keeps the number it was given.
  }
  config::ServiceAnswers& services = answers().services;
  services.accessMethod = IsChecked(IDC_PROP_RANDOM) ? 2 : 1;
  services.intervalOption = randomPeriod ? 1 : 2;
  services.randomStart = numbers[0];
  services.randomEnd = numbers[1];
  services.fixed = numbers[2];
  services.numbersGiven = true;
  return true;
}

#include "config/CAOLAdvancedDlg.h"

#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"

namespace {

constexpr long kLowestInterval = 1, kHighestInterval = 300;

struct TextField {
  int id;
  const settings::StringSetting& setting;
};

// In the order they are checked and written.
const TextField kTextFields[] = {
    {IDC_ADV_TIMER_TITLE, settings::kAolTimerTitle},
    {IDC_ADV_SIGNON_TITLE, settings::kAolSignOnTitle},
    {IDC_ADV_SIGNON_BUTTON, settings::kAolSignOnButton},
    {IDC_ADV_DISCONNECT_TITLE, settings::kAolDisconnectTitle},
    {IDC_ADV_RESIGNON_TITLE, settings::kAolReSignOnTitle},
    {IDC_ADV_RESIGNON_BUTTON, settings::kAolReSignOnButton},
};

}  // namespace

CAOLAdvancedDlg::CAOLAdvancedDlg(const SettingsStore& store) {
  interval_ = store.Read(settings::kAolScanInterval);
  for (int i = 0; i < kTexts; ++i) {
    texts_[i].clear();
    store.Read(kTextFields[i].setting, texts_[i]);
  }
}

INT_PTR CAOLAdvancedDlg::Run(HWND owner) { return RunModal(IDD_AOL_ADVANCED, owner); }

BOOL CAOLAdvancedDlg::OnInitDialog() {
  SetItemText(IDC_ADV_INTERVAL, std::to_string(interval_).c_str());
  LimitText(IDC_ADV_INTERVAL, 3);
  for (int i = 0; i < kTexts; ++i) {
    LimitText(kTextFields[i].id, static_cast<int>(config::kMaxTitle));
    SetItemText(kTextFields[i].id, texts_[i].c_str());
  }
  return TRUE;
}

void CAOLAdvancedDlg::OnOK() {
  const config::NumberCheck check =
      config::CheckInteger(ItemText(IDC_ADV_INTERVAL), kLowestInterval, kHighestInterval);
  if (!check.ok) {
    config::ShowMessage(hwnd(), check.message, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(IDC_ADV_INTERVAL));
    return;
  }
  std::string texts[kTexts];
  for (int i = 0; i < kTexts; ++i) {
    texts[i] = ItemText(kTextFields[i].id);
    const std::string refusal = config::LengthMessage(texts[i], config::kMaxTitle);
    if (!refusal.empty()) {
      config::ShowMessage(hwnd(), refusal, MB_OK | MB_ICONEXCLAMATION);
      SetFocus(Item(kTextFields[i].id));
      return;
    }
  }
  interval_ = static_cast<DWORD>(check.value);
  for (int i = 0; i < kTexts; ++i) texts_[i] = texts[i];
  win::Dialog::OnOK();
}

bool CAOLAdvancedDlg::Store(SettingsStore& store) const {
  if (!store.Write(settings::kAolScanInterval, interval_)) return false;
  for (int i = 0; i < kTexts; ++i) {
    if (!store.Write(kTextFields[i].setting, texts_[i])) return false;
  }
  return true;
}

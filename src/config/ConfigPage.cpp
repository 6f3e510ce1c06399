#include "config/ConfigPage.h"

#include "config/ConfigMessageBox.h"
#include "config/PageSet.h"

int ConfigPage::Say(const std::string& text, UINT type) const {
  return config::ShowMessage(hwnd(), text, type);
}

ConfigPage::SaveResult ConfigPage::RefuseWith(int controlId, const std::string& message, UINT type) {
  Say(message, type);
  return Refuse(controlId);
}

bool ConfigPage::ReadNumber(int controlId, long low, long high, long& value, SaveResult& refusal) {
  const config::NumberCheck check = config::CheckInteger(ItemText(controlId), low, high);
  if (!check.ok) {
    refusal = RefuseWith(controlId, check.message);
    return false;
  }
  value = check.value;
  return true;
}

bool ConfigPage::FitsLength(int controlId, std::size_t maxChars, SaveResult& refusal) {
  const std::string message = config::LengthMessage(ItemText(controlId), maxChars);
  if (message.empty()) return true;
  refusal = RefuseWith(controlId, message);
  return false;
}

bool ConfigPage::WriteWinStartOn() {
  const bool flag = store_.Write(settings::kWinStart, 1);
  const bool entry = store_.WriteRunEntry(true);
  return flag && entry;
}

bool ConfigPage::WroteAtOnce(bool written) {
  if (pages_) pages_->wroteAtOnce = true;
  if (!written) Say(config::kCouldNotSave, MB_OK | MB_ICONEXCLAMATION);
  return written;
}

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

std::string ConfigPage::Named(const settings::DwordSetting& setting) {
  return std::string(setting.key) + '\\' + setting.name;
}

std::string ConfigPage::Named(const settings::StringSetting& setting) {
  return std::string(setting.key) + '\\' + setting.name;
}

BOOL ConfigPage::OnInitDialog() {
  loaded_.clear();
  return win::Page::OnInitDialog();
}

void ConfigPage::Loaded(const settings::DwordSetting& setting, DWORD shown) {
  Loaded(Named(setting), std::to_string(shown));
}

void ConfigPage::Loaded(const settings::StringSetting& setting, const std::string& shown) {
  Loaded(Named(setting), shown);
}

void ConfigPage::Loaded(const std::string& what, const std::string& shown) { loaded_[what] = shown; }

bool ConfigPage::Differs(const settings::DwordSetting& setting, DWORD now) const {
  return Differs(Named(setting), std::to_string(now));
}

bool ConfigPage::Differs(const std::string& what, const std::string& now) const {
  const auto it = loaded_.find(what);
  return it == loaded_.end() || it->second != now;
}

bool ConfigPage::WriteIfNew(const settings::DwordSetting& setting, DWORD value) {
  return WriteIfNew(Named(setting), std::to_string(value),
                    [&] { return store_.Write(setting, value); });
}

bool ConfigPage::WriteIfNew(const settings::StringSetting& setting, const std::string& text) {
  return WriteIfNew(Named(setting), text, [&] { return store_.Write(setting, text); });
}

bool ConfigPage::WriteIfNew(const std::string& what, const std::string& now, const std::function<bool()>& write) {
  if (!Differs(what, now)) return true;
  if (!write()) return false;
  loaded_[what] = now;
  return true;
}

std::string ConfigPage::Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + '\n';
  return joined;
}

void ConfigPage::LoadBox(int id, const settings::DwordSetting& setting) {
  const bool on = store_.Read(setting) == 1;
  SetChecked(id, on);
  Loaded(setting, on ? 1 : 0);
}

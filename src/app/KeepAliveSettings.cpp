#include "app/KeepAliveSettings.h"

#include "settings/SettingsSchema.h"

// The watches sit above the program's key in both copies of the settings:
// Wine does not signal a watch whose own key is deleted, and a key deleted
// and made again must be seen. Other software's changes there only cost a
// reading.
KeepAliveSettings::KeepAliveSettings(SettingsStore& store)
    : store_(store), machineWatch_(HKEY_LOCAL_MACHINE, "SOFTWARE"), userWatch_(HKEY_CURRENT_USER, "SOFTWARE") {}

void KeepAliveSettings::Refresh() {
  // Both asked every time: each answer re-arms its own watch.
  const bool machineChanged = machineWatch_.TakeChange();
  const bool userChanged = userWatch_.TakeChange();
  if (machineChanged || userChanged) ReadAll();
}

void KeepAliveSettings::ReadAll() {
  if (!store_.ReadServiceFlags(flags_))
    for (DWORD& f : flags_) f = 0;  // an unreadable "Services" key counts as all off
  accessType_ = store_.Read(settings::kAccessType);
  intervalOption_ = store_.Read(settings::kIntervalOption);
  store_.ReadIntervalNumbers(start_, end_, fixed_);
  for (int service = 0; service < kServiceCount; ++service) {
    lists_[service].clear();
    store_.ReadHostList(service, lists_[service]);
    dedicated_[service].clear();
    store_.ReadDedicatedHost(service, dedicated_[service]);
  }
}

std::vector<std::string> KeepAliveSettings::HostList(int service) {
  return IsServiceIndex(service) ? lists_[service] : std::vector<std::string>();
}

// The list ends at the first missing or empty entry, so an index drawn from
// its length names one of its entries.
std::string KeepAliveSettings::Host(int service, int index) {
  if (!IsServiceIndex(service) || index < 0) return {};
  const auto& list = lists_[service];
  return static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)] : std::string();
}

std::string KeepAliveSettings::DedicatedHost(int service) {
  return IsServiceIndex(service) ? dedicated_[service] : std::string();
}

#pragma once
// What the keep-alive cycle reads from the settings store: which services
// are on, the access method, the host lists and dedicated hosts, and the
// interval. Read again whenever anything under the program's key has
// changed since the last reading, else kept: a change made by the
// configuration dialogs or by hand still counts from the next cycle on, but
// a cycle no longer costs dozens of registry reads when nothing changed.
//
// Lifecycle: one per scheduler, on the user-interface thread; Refresh() at
// the start of every cycle and every arming, then the fields and the host
// source as of that moment.
#include <windows.h>

#include <string>
#include <vector>

#include "app/HostChoice.h"
#include "settings/ServiceKind.h"
#include "settings/SettingsStore.h"
#include "win/RegistryWatch.h"

class KeepAliveSettings : public HostSource {
 public:
  explicit KeepAliveSettings(SettingsStore& store);

  void Refresh();

  // "Services" on/off values; all off when the key cannot be read.
  const DWORD* serviceFlags() const { return flags_; }
  DWORD accessType() const { return accessType_; }
  DWORD intervalOption() const { return intervalOption_; }
  DWORD randomStart() const { return start_; }
  DWORD randomEnd() const { return end_; }
  DWORD fixed() const { return fixed_; }

  // As the settings store reads them (HostSource).
  std::vector<std::string> HostList(int service) override;
  std::string Host(int service, int index) override;
  std::string DedicatedHost(int service) override;

 private:
  void ReadAll();

  SettingsStore& store_;
  win::RegistryWatch machineWatch_;
  win::RegistryWatch userWatch_;
  DWORD flags_[kServiceCount] = {};
  DWORD accessType_ = 0;
  DWORD intervalOption_ = 0;
  DWORD start_ = 0, end_ = 0, fixed_ = 0;
  std::vector<std::string> lists_[kServiceCount];
  std::string dedicated_[kServiceCount];
};

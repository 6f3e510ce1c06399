#pragma once
// The Advanced Configurations dialog as the controller runs it: one at a
// time, modal, owned by the controller's window, and ended from outside by
// Exit. Lifecycle: one runner for the program's life; each Run builds a new
// dialog and returns when it has ended.
#include <windows.h>

#include "config/CPageISPDialerDlg.h"
#include "settings/SettingsStore.h"

class CConfigurationsDlg;

class ConfigDialogRunner {
 public:
  ConfigDialogRunner(SettingsStore& store, ProfileLister listProfiles)
      : store_(store), listProfiles_(std::move(listProfiles)) {}
  ConfigDialogRunner(const ConfigDialogRunner&) = delete;
  ConfigDialogRunner& operator=(const ConfigDialogRunner&) = delete;

  // IDOK when settings were written while it was open (by OK, by Apply
  // before Cancel, the close box or Exit, or by a click that writes at
  // once): the caller then takes them into effect. IDCANCEL otherwise.
  INT_PTR Run(HWND owner);
  // Ends the open dialog, and whatever it has opened, with `result`.
  void End(INT_PTR result);
  bool IsOpen() const { return open_ != nullptr; }

 private:
  SettingsStore& store_;
  ProfileLister listProfiles_;
  CConfigurationsDlg* open_ = nullptr;
};

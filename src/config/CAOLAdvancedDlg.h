#pragma once
// "AOL Advanced Options" (template 203): the AOL scanning interval and the
// window titles and button texts the AOL watcher looks for. It loads them
// from the store; the sign-on page writes them after OK with Store().
// Lifecycle: construct(store) -> Run(owner), modal -> on IDOK, Store().
#include <string>

#include "settings/SettingsStore.h"
#include "win/Dialog.h"

class CAOLAdvancedDlg : public win::Dialog {
 public:
  explicit CAOLAdvancedDlg(const SettingsStore& store);
  INT_PTR Run(HWND owner);
  // Writes the seven values in their fixed order; false at the first failure.
  bool Store(SettingsStore& store) const;

  DWORD interval() const { return interval_; }
  const std::string& text(int index) const { return texts_[index]; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  static constexpr int kTexts = 6;
  DWORD interval_ = 1;
  std::string texts_[kTexts];
};

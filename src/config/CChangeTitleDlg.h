#pragma once
// "Change Window Title" (template 295): one new title for a gadget window.
// Lifecycle: construct -> Run(owner), modal -> on IDOK, title() holds the
// text (at most config::kMaxTitle characters; it may be empty).
#include <string>

#include "win/Dialog.h"

class CChangeTitleDlg : public win::Dialog {
 public:
  INT_PTR Run(HWND owner);
  const std::string& title() const { return title_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::string title_;
};

#pragma once
// The list editing dialog (template 287): add texts to and delete them from a
// sorted drop-down list. Its uses (screen names, AOL sites, web addresses)
// differ in title, labels and the longest entry the store holds
// (config::ListEditUse). It touches no setting: the caller takes the result.
//
// Lifecycle: construct(use, entries) -> Run(owner), modal -> on IDOK,
// result() holds every entry in the list's (alphabetical) order.
#include <string>
#include <vector>

#include "config/ConfigTexts.h"
#include "win/Dialog.h"

class CListEditDlg : public win::Dialog {
 public:
  CListEditDlg(const config::ListEditUse& use, std::vector<std::string> entries);
  INT_PTR Run(HWND owner);
  const std::vector<std::string>& result() const { return result_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  void OnOK() override;

 private:
  void Add();
  void Delete();

  config::ListEditUse use_;
  std::vector<std::string> entries_;
  std::vector<std::string> result_;
};

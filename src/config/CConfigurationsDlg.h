#pragma once
// "Advanced Configurations" (template 298): every configuration page in one
// modal dialog, a list of categories on the left and the chosen category's
// pages as tabs on the right. Our own tab sheet rather than a property
// sheet: the categories need several tab sets in one window.
//
// Lifecycle: construct (the twelve page objects, no windows) -> Run(owner),
// modal: the page windows are made hidden as children of the tab control,
// "Program Settings" shown, Apply disabled -> the user edits; pages report
// changes (win::kPageChangedMessage) and Apply becomes enabled -> OK or Apply
// save the changed pages in a fixed order; a page refused by its own check
// or by a failed write stays changed and is shown, and OK then keeps the
// dialog open -> Cancel, the close box, OK or EndFromOutside end it; the
// page windows go with it. SavedAny() tells afterwards whether anything was
// written while it was open (a save, or a click that writes at once).
#include <memory>
#include <vector>

#include "config/CPageISPDialerDlg.h"
#include "config/PageSet.h"
#include "settings/SettingsStore.h"
#include "win/Dialog.h"
#include "win/ImageList.h"
#include "win/ListView.h"
#include "win/TabControl.h"

class CConfigurationsDlg : public win::Dialog {
 public:
  // The categories in list order.
  enum Category { kProgramSettings, kIsp, kAol, kCs2000, kNetZero, kMsn, kAtt, kCategoryCount };

  CConfigurationsDlg(SettingsStore& store, ProfileLister listProfiles);
  ~CConfigurationsDlg() override;

  INT_PTR Run(HWND owner);
  // Ends the dialog with `result`, and whatever box or dialog it has opened
  // (the program's Exit while the dialog is up).
  void EndFromOutside(INT_PTR result);
  bool SavedAny() const { return savedAny_ || pages_.wroteAtOnce; }

  // Shows a category's pages as tabs; `force` rebuilds the category shown.
  void SelectCategory(int category, bool force);
  int shownCategory() const { return shown_; }
  const std::vector<win::Page*>& tabPages() const { return tabPages_; }
  win::Page* CurrentPage() const;
  PageSet& pages() { return pages_; }
  // OK and Apply: saves every changed page in the fixed order; true when
  // none is left unsaved.
  bool SaveChangedPages();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnOK() override;

 private:
  bool OnNotify(const NMHDR& header, LPARAM lp, INT_PTR& result);
  void OnCategoryClick();
  void ShowCurrentPage();
  void ShowUnsavedPage(win::Page& page);
  void UpdateApply();
  void OpenHelp();
  int CategoryOf(const win::Page& page) const;
  std::vector<win::Page*> PagesOf(int category) const;

  SettingsStore& store_;
  PageSet pages_;
  std::vector<std::unique_ptr<win::Page>> owned_;
  std::vector<win::Page*> saveOrder_;
  win::ListView categories_;
  win::TabControl tabs_;
  win::ImageList icons_;
  std::vector<win::Page*> tabPages_;
  int shown_ = -1;
  int last_ = kProgramSettings;
  bool selecting_ = false;
  bool savedAny_ = false;
  bool ending_ = false;
};

#pragma once
// A configuration page: a child dialog made from a template that loads its
// settings when its window is created, keeps a modified flag, reports every
// change to its container and writes its settings back when asked.
//
// Lifecycle:
//   construct(template id)                 nothing on screen yet
//   Create(parent, container)              window made hidden as a child of
//     or SheetPage() for a property sheet  `parent`; OnLoad runs (initialised
//                                          unless it reports failure)
//   user edits -> Changed()                modified; the container hears of it
//                                          (kPageChangedMessage, or PSM_CHANGED
//                                          when the page sits in a property sheet)
//   container: Save() while IsModified()   OnSave writes; only Saved clears the flag
//   the window goes with its parent        the object outlives it and may be
//                                          created again
// A page never ends itself: Enter and Esc belong to the dialog around it.
#include <windows.h>
#include <prsht.h>

#include "win/Dialog.h"

namespace win {

// WM_APP + 20: wParam 0, lParam the page's window.
constexpr UINT kPageChangedMessage = WM_APP + 20;

class Page : public Dialog {
 public:
  enum class SaveResult {
    Saved,    // everything written
    Refused,  // the page's own check said no and showed its message
    Failed,   // a write failed; nothing was shown
  };

  explicit Page(int templateId) : templateId_(templateId) {}

  int templateId() const { return templateId_; }
  bool Create(HWND parent, HWND container);
  // A page of a property sheet: the sheet creates the window (and is its
  // container). The structure points at this object, which must outlive it.
  PROPSHEETPAGEA SheetPage(DWORD flags = 0);

  bool IsModified() const { return modified_; }
  bool IsInitialised() const { return initialised_; }
  SaveResult Save();
  // The control a refused save pointed at (0: none); the container gives it
  // the focus once the page is shown.
  int refusedControl() const { return refusedControl_; }
  // Called by the container each time it shows the page.
  virtual void OnShown() {}

 protected:
  // Loads the settings into the controls; false when loading failed and the
  // page must not count as initialised.
  virtual bool OnLoad() = 0;
  virtual SaveResult OnSave() = 0;
  // Sets the modified flag and tells the container (not while quiet).
  void Changed();
  void MarkModified() { modified_ = true; }
  // For OnSave: the check refused; `controlId` gets the focus.
  SaveResult Refuse(int controlId);
  HWND container() const { return container_; }

  // Control changes made by the code itself (loading, refreshing after a
  // save) are not the user's: while one of these lives, Changed() is silent.
  class Quiet {
   public:
    explicit Quiet(Page& page) : page_(page), was_(page.quiet_) { page_.quiet_ = true; }
    ~Quiet() { page_.quiet_ = was_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    Page& page_;
    bool was_;
  };

  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  static INT_PTR CALLBACK SheetThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  int templateId_;
  HWND container_ = nullptr;
  bool inSheet_ = false;
  bool modified_ = false;
  bool initialised_ = false;
  bool quiet_ = false;
  int refusedControl_ = 0;
};

}  // namespace win

#include "config/ConfigDialogRunner.h"

#include "config/CConfigurationsDlg.h"

INT_PTR ConfigDialogRunner::Run(HWND owner) {
  if (open_) return IDCANCEL;
  CConfigurationsDlg dialog(store_, listProfiles_);
  open_ = &dialog;
  dialog.Run(owner);
  open_ = nullptr;
  return dialog.SavedAny() ? IDOK : IDCANCEL;
}

void ConfigDialogRunner::End(INT_PTR result) {
  if (open_) open_->EndFromOutside(result);
}

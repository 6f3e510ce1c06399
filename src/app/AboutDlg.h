#pragma once
// The About box (dialog 100): product name, version and what it does.
#include "win/Dialog.h"

class AboutDlg : public win::Dialog {
 public:
  INT_PTR Run(HWND owner);
};

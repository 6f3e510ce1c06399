#include "app/AboutDlg.h"

#include "res/resource.h"

INT_PTR AboutDlg::Run(HWND owner) { return RunModal(IDD_ABOUT, owner); }

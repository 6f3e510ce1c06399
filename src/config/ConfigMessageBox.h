#pragma once
// The one route of every message box of the configuration UI: the title is
// "Tetherly!" and the box is owned by the dialog the asking control sits in
// (its top-level window), so it stays on top of that dialog and disables it.
// Built on win::ShowMessageBox, where tests see and answer every box.
// While that dialog is being ended from outside (Exit), nothing is shown
// and the answer is IDCANCEL.
#include <windows.h>

#include <string>

namespace config {

int ShowMessage(HWND from, const char* text, UINT type = MB_OK);
int ShowMessage(HWND from, const std::string& text, UINT type = MB_OK);

}  // namespace config

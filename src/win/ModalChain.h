#pragma once
// Ending a modal dialog from outside, together with whatever it has opened.
//
// A modal loop ends only after every loop nested inside it has returned, so
// ending one dialog while a message box, a small editing dialog or a file
// dialog it opened is still up would leave the program waiting for the user.
// EndModalChain marks the dialog as ending, ends every dialog of this thread
// that it owns (directly or through other owned windows), then the dialog
// itself. While the mark stays, boxes and dialogs that code running inside
// the unwinding loops would open are refused: ShowOwnedMessageBox-style seams
// and Dialog::RunModal ask IsModalChainEnding and return IDCANCEL at once.
//
// Lifecycle: the mark lives on the dialog's window until it is destroyed.
// Everything runs on the thread that owns the dialog.
#include <windows.h>

namespace win {

void EndModalChain(HWND dialog, INT_PTR result);

// The same for a window whose modal loop is ended some other way (a
// property sheet ends on its Cancel button): marks `owner` and ends every
// dialog of this thread it owns, but not `owner` itself.
void EndOwnedDialogs(HWND owner);

// True when `window`, or any window in its chain of parents and owners, is
// being ended by EndModalChain.
bool IsModalChainEnding(HWND window);

// Drops the mark; Dialog does it when its window is destroyed.
void ForgetModalChainEnding(HWND dialog);

}  // namespace win

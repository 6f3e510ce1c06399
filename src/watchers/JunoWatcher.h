#pragma once
// The Juno watcher (user-interface thread, second on controller timer 19):
// answers the "Juno Web" dialog by clicking its first "Cancel..." control.
// Stateless.
#include <windows.h>

namespace watch {

void ScanJunoWeb();

// Clicks the first child whose text begins with "Cancel" and stops the
// enumeration. Extra not used.
BOOL CALLBACK EnumJunoCancelBtnFunc(HWND child, LPARAM unused);

}  // namespace watch

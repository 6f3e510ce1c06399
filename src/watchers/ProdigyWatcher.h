#pragma once
// The Prodigy watcher (user-interface thread, first on controller timer 19):
// answers "Disconnect from Prodigy Internet" by clicking the second of its
// text-less "ATL" controls.
//
// Its button counter persists between scans (see dialers::ProdigyCount): a
// dialog with a single such control is clicked on the second scan.
#include <windows.h>

namespace watch {

class ProdigyWatcher {
 public:
  void ScanProdigyDisconnect();
  long counter() const { return counter_; }

 private:
  long counter_ = 1;
};

// Extra: the watcher's button counter (long*).
BOOL CALLBACK EnumProdigyStayOnlineBtnFunc(HWND child, LPARAM counter);

}  // namespace watch

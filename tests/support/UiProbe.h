#pragma once
// How long a message posted to a dialog waits before the dialog's thread
// handles it, measured over and over from a thread of its own: DM_SETDEFID
// with a fresh id is posted, then DM_GETDEFID asked until it reads that id
// back. A thread that is blocked but still answers sent messages (a send or
// a wait of its own) answers DM_GETDEFID with the old id, so only the posted
// message tells whether its user interface is frozen.
//
// Lifecycle: Start -> RoundTrips/Clear any time -> Stop (or destruction).
// Stop answers what the probe sends meanwhile, so the dialog's own thread
// may call it.
#include <windows.h>

#include <vector>

#include "win/Lock.h"

namespace testing_support {

class UiProbe {
 public:
  UiProbe() = default;
  ~UiProbe();
  UiProbe(const UiProbe&) = delete;
  UiProbe& operator=(const UiProbe&) = delete;

  // One round trip every `gapMs` real milliseconds, until Stop or the window goes.
  bool Start(HWND dialog, DWORD gapMs = 20);
  void Stop();

  // Round trips in real milliseconds, in order; a trip still waiting counts
  // with what it has waited so far.
  std::vector<double> RoundTrips();
  void Clear();
  double Max();
  // The p-th percentile (0 < p <= 100) of the round trips so far; 0 when none.
  double Percentile(double p);

 private:
  static DWORD WINAPI Main(void* self);
  void Run();

  HWND dialog_ = nullptr;
  DWORD gapMs_ = 20;
  HANDLE thread_ = nullptr;
  HANDLE stop_ = nullptr;
  win::Lock lock_;
  std::vector<double> trips_;
  double pendingSince_ = -1;  // start of the trip in flight, or -1
};

}  // namespace testing_support

#pragma once
// The NetZero dialer: each start runs one dial on a thread of its own
// (NetZeroDialerThread), which starts the NetZero client, presses its "Login"
// or "Connect" control as the configured "Version" wants, waits until the
// session is up, cancelled or failed, and reports to the controller with
// dial events (message 32868).
//
// Lifecycle: one per program, on the user-interface thread; Attach once the
// controller window exists. ToggleNetZeroDialer starts a dial when none is
// started and stops the started one otherwise. A stop is cooperative: every
// wait of the dial and its box end at once, and its thread ends within one
// wait step by itself; the user-interface thread never waits for it. A dial's
// reports reach the controller only through this object, on the
// user-interface thread, and only while that dial is the started one: nothing
// of a stopped dial arrives after its 32872. End() (Exit) stops the dial
// without a report. The dial request always arrives: it is posted once the
// new thread has its message queue.
//
// The dial thread shares nothing with the user-interface thread but its own
// dial record (stop signal, the report being handed over).
#include <windows.h>

#include <functional>
#include <memory>

#include "base/DialEvents.h"
#include "win/Window.h"

namespace watch {

// The dialer's statuses are dial events (base/DialEvents.h): dialing,
// connected, ended (the dialer stopped) and error with its text.
// Thread message 32784 to a dialer thread: wParam the controller window.
constexpr UINT kNetZeroDialRequest = 32784;
constexpr UINT_PTR kNetZeroTimerId = 9;

class NetZeroDialer {
 public:
  NetZeroDialer();
  ~NetZeroDialer();
  NetZeroDialer(const NetZeroDialer&) = delete;
  NetZeroDialer& operator=(const NetZeroDialer&) = delete;

  // The controller's window, its NetZero-dialer-started flag and its record
  // of timer 9 (0 when not armed); all must outlive this object or End().
  void Attach(HWND controller, bool& dialerStarted, UINT_PTR& timer9Record);

  // Start: status 32869, a new dialer thread, the dial request. Stop: the
  // dial ends, status 32872, timer 9 killed. Nothing before Attach.
  void ToggleNetZeroDialer();
  // Whether a dial was started and not stopped since (it may have ended).
  bool IsStarted() const { return started_; }
  // Sets the controller's dialer-started flag.
  void MarkDialerStarted();
  // The redial after a lost session: one dial started in the end, whatever
  // the dialer was doing (a started one is stopped first), and the flag set.
  void Redial();

  // Exit: the started dial ends without a report; later toggles do nothing.
  void End();

  // Dialer threads still running in this process.
  static long RunningThreads();

  // One dial, shared with its thread (defined with the dialer).
  struct Run;

 private:
  class Relay;
  void Deliver(unsigned serial);
  void Start();
  void Stop();

  std::unique_ptr<Relay> relay_;
  HWND controller_ = nullptr;
  bool* dialerStarted_ = nullptr;
  UINT_PTR* timer9_ = nullptr;
  bool started_ = false;
  bool ended_ = false;
  unsigned serial_ = 0;
  std::shared_ptr<Run> current_;
};

// Calls `each` for every child of `parent` of class "AwtCanvas" with an empty
// title (the client's painted controls), in the order FindWindowExA gives them.
void ForEachCanvasOf(HWND parent, const std::function<void(HWND canvas)>& each);

}  // namespace watch

#pragma once
// What the controller drives but does not build itself: the tray icon, the
// keep-alive cycle, the outside-client watchers, mouse simulation, the dial
// dialog, the NetZero dialer and the configuration UI. Production wires each
// to its subsystem; tests wire them to recorders. An unset entry does nothing
// (and reports "no"/0), which is how a subsystem not yet present behaves.
#include <windows.h>

#include <functional>

class ServiceWorkers;
class StatusReportDlg;

struct TraySeam {
  std::function<void(HWND controller)> create;  // the tray window, once, at initialisation
  std::function<void(int addLook)> addIcon;
  std::function<void(int look, const char* text)> setLook;
  std::function<void()> removeIcon;
  std::function<void()> destroy;
};

struct KeepAliveSeam {
  // Once the workers run: the cycle's own state binds to them and the window.
  std::function<void(HWND controller, ServiceWorkers& workers)> attach;
  std::function<void()> runCycle;       // one cycle, ending with a re-armed interval timer
  std::function<bool()> arm;            // start the interval timer with a fresh period
  std::function<void()> kill;           // kill the interval timer
  std::function<bool()> isArmed;
  // HTTP one-time visit bookkeeping, told whether the message reported the
  // visit of the own web host; clears showText when the row must keep its
  // current host text.
  std::function<void(bool ownWebHostVisited, bool& showText)> onHttpHostShown;
};

struct WatcherSeam {
  // The scans of the watcher timers, composed into one tick by the
  // controller's timer table and run where handTick puts them. They own
  // what they scan with (the welcome and advertisement flags included) and
  // report to the controller only by posting to its window.
  std::function<void()> scanAolTimer, scanAolGadgets, scanAolConnectionLost;
  std::function<void()> scanCs2000Timer, scanCs2000Gadgets, scanCs2000FailedDialog,
      scanCs2000ConnectionFailed;
  std::function<void()> scanNetZeroInactivity, scanAttDisconnect, scanMsnDisconnect;
  std::function<void()> checkMsnMail, scanProdigyDisconnect, scanJunoWeb;
  // One tick of a watcher timer (4, 9, 14, 15, 17, 18, 19): the program runs
  // it on the watcher thread and drops it while that timer's previous tick
  // still waits or runs; returns whether it was taken. Unset: the tick runs
  // at once, on the user-interface thread.
  std::function<bool(UINT_PTR timer, std::function<void()> scans)> handTick;
  // Once the controller window exists: the scans' reports go to it.
  std::function<void(HWND controller)> attach;
  std::function<void()> toggleNetZeroDialer;
  // The redial a NetZero scan asked for (message 32801): user-interface thread.
  std::function<void()> redialNetZero;
  // Once the controller window exists: the NetZero dialer and its redial reach
  // the controller's NetZero-dialer-started flag and its record of timer 9.
  std::function<void(HWND controller, bool& netZeroDialerStarted, UINT_PTR& timer9Record)>
      attachNetZero;
  std::function<void()> clearPop3Failed;  // any thread
  // On a launcher thread; holds on to what it uses, as the controller may be gone first.
  std::function<void(int which, HWND controller)> launchClient;  // 0 AOL, 1 CS2000
  // Exit: the waits and boxes of launches and ticks end at once, and the
  // watcher thread is joined with a bound (never killed).
  std::function<void()> endWatchers;
};

struct MouseSeam {
  // Once the controller window exists: the walk arms the controller's move timer.
  std::function<void(StatusReportDlg& controller)> attach;
  std::function<void()> rememberCursor;
  std::function<void()> idleCheck;  // timer 16
  std::function<void()> walk;       // timer 11
  std::function<void(DWORD value)> applyIdleDisconnect;
};

struct DialSeam {
  // Once the controller window exists: the dial dialog sets its dial state.
  std::function<void(StatusReportDlg& controller)> attach;
  std::function<bool()> exists;
  std::function<void(bool visible)> create;
  std::function<void(bool visible)> show;
  std::function<bool()> isDialing;
  // A redial's countdown runs (the line is idle, but Hang Up still ends something).
  std::function<bool()> redialPending;
  std::function<void()> startDial;
  std::function<void()> hangUp;
  std::function<bool()> isDialUpConnected;  // replaces the system query when set
};

// What runWizard returns after Finish (ID_WIZFINISH); anything else is a cancel.
inline constexpr INT_PTR kWizardFinished = 12325;

struct ConfigSeam {
  std::function<INT_PTR(bool firstRun)> runWizard;  // modal; returns how it ended
  // Modal; IDOK when it wrote settings while open (OK, or Apply before
  // Cancel, the close box or Exit), which the controller then reloads.
  std::function<INT_PTR()> runConfigDialog;
  std::function<void()> cancelWizard;                // press Cancel of the open wizard
  std::function<void(INT_PTR)> endConfigDialog;      // end the open dialog's modal loop
  std::function<void()> showAbout;
  std::function<void()> showHelp;
};

struct PromptSeam {
  // Asks the user; returns the button pressed (IDYES, IDNO, IDOK). Unset: a
  // real message box.
  std::function<int(const char* text, UINT type)> ask;
};

struct ControllerSeams {
  TraySeam tray;
  KeepAliveSeam keepAlive;
  WatcherSeam watchers;
  MouseSeam mouse;
  DialSeam dial;
  ConfigSeam config;
  PromptSeam prompt;
};

// Calls `f` if it is set.
template <typename F, typename... Args>
inline void CallSeam(const F& f, Args&&... args) {
  if (f) f(std::forward<Args>(args)...);
}

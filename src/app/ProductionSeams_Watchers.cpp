// Production wiring of the outside-client watchers, the watcher thread, the
// launchers and the NetZero dialer.
//
// Every watcher tick runs on the watcher thread (watch::WatcherThread): the
// scans, the sign-ons they start, the NetZero redial's waits and the MSN mail
// check. What they report to the controller goes as posted messages (tray
// looks, 32785 and 32786, the redial request); their boxes go to a thread of
// their own. The launches run on the launcher threads.
//
// The watchers' state is shared by the watcher thread, the launcher threads
// and the user-interface thread. A launch holds its own reference, so a
// launcher still finishing after Exit uses nothing Exit frees; Exit ends the
// waits and boxes at once and joins the watcher thread with a bound, and a
// thread that did not end keeps the state alive to the process exit. The
// scans capture no reference of their own: a tick must never be what frees
// the thread it runs on. The NetZero dialer lives on the user-interface
// thread and is kept apart, so the last reference to it (and its window)
// always goes on that thread.
#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"
#include "watchers/AolWatcher.h"
#include "watchers/AsideBoxes.h"
#include "watchers/AttWatcher.h"
#include "watchers/Cs2000Watcher.h"
#include "watchers/JunoWatcher.h"
#include "watchers/MsnMailCheck.h"
#include "watchers/MsnWatcher.h"
#include "watchers/NetZeroDialer.h"
#include "watchers/NetZeroWatcher.h"
#include "watchers/ProdigyWatcher.h"
#include "watchers/ShellLaunch.h"
#include "watchers/WatcherThread.h"
#include "watchers/WindowPress.h"

namespace {

struct WatcherState {
  WatcherState()
      : aol(Env(), prompts),
        cs2000(Env(), prompts),
        netZero(Env(), [this] { Post(msg::kNetZeroRedial, 0); }),
        att(Env()),
        mail(Env()),
        msn(Env(), mail) {}

  watch::WatcherEnv Env() {
    watch::WatcherEnv env;
    env.setLook = [this](int look) { Post(msg::kWatcherLook, static_cast<WPARAM>(look)); };
    env.waits = &waits;
    env.boxes = &boxes;
    env.aside = &aside;
    return env;
  }

  // Watcher thread: a report of the tick in progress, with its timer, so
  // the controller can drop what a tick of a timer stopped since reports.
  void Post(UINT message, WPARAM wp) { PostMessageA(controller, message, wp, tickTimer); }

  // Watcher thread: one tick, its scans sharing one set of hung threads, fresh each tick.
  void RunTick(UINT_PTR timer, const std::function<void()>& scans) {
    watch::HungThreads& hung = tickHung[timer % kTimerSlots];
    hung.Clear();
    watch::SendScope scope(hung);
    tickTimer = timer;
    scans();
    tickTimer = 0;
  }

  // Exit: every wait and box ends now; false when a thread is still running.
  bool End() {
    waits.End();
    boxes.EndAll();
    // Long enough for a send in flight to reach its bound, for both threads
    // together: Exit waits no longer than that whatever hangs.
    const DWORD bound = 2 * watch::SendBoundMs();
    const DWORD start = GetTickCount();
    const bool watcherEnded = thread.Stop(bound);
    const DWORD spent = GetTickCount() - start;
    const bool boxesEnded = aside.Stop(spent < bound ? bound - spent : 0);
    return watcherEnded && boxesEnded;
  }

  static constexpr UINT_PTR kTimerSlots = 32;

  watch::LaunchWaits waits;
  win::MessageBoxEnder boxes;
  HWND controller = nullptr;                 // set before the thread starts
  UINT_PTR tickTimer = 0;                    // watcher thread only
  watch::HungThreads tickHung[kTimerSlots];  // watcher thread only

  watch::PromptFlags prompts;
  watch::AolWatcher aol;
  watch::Cs2000Watcher cs2000;
  watch::NetZeroWatcher netZero;
  watch::AttWatcher att;
  watch::MsnMailCheck mail;
  watch::MsnWatcher msn;
  watch::ProdigyWatcher prodigy;

  // Declared last, destroyed first: the threads are gone before what they use.
  watch::AsideBoxes aside{boxes};
  watch::WatcherThread thread;
};

struct DialerState {
  watch::NetZeroDialer dialer;
};

// The scans run on the watcher thread through a plain pointer (see above).
void WireScans(WatcherSeam& w, WatcherState* s) {
  w.scanAolTimer = [s] { s->aol.ScanAOLTimer(); };
  w.scanAolGadgets = [s] { s->aol.ScanAOLGadgets(s->controller); };
  w.scanAolConnectionLost = [s] { s->aol.ScanAOLConnectionLost(); };
  w.scanCs2000Timer = [s] { s->cs2000.ScanCS2000Timer(); };
  w.scanCs2000Gadgets = [s] { s->cs2000.ScanCS2000Gadgets(); };
  w.scanCs2000FailedDialog = [s] { s->cs2000.ScanCS2000FailedDialog(); };
  w.scanCs2000ConnectionFailed = [s] { s->cs2000.ScanCS2000ConnectionFailed(); };
  w.scanNetZeroInactivity = [s] { s->netZero.ScanNetZeroInactivity(); };
  w.scanAttDisconnect = [s] { s->att.ScanATTDisconnect(); };
  w.scanMsnDisconnect = [s] { s->msn.ScanMSNDisconnect(); };
  w.checkMsnMail = [s] { s->mail.CheckMSNMail(); };
  w.scanProdigyDisconnect = [s] { s->prodigy.ScanProdigyDisconnect(); };
  w.scanJunoWeb = [] { watch::ScanJunoWeb(); };
}

void WireDialer(WatcherSeam& w, const std::shared_ptr<DialerState>& d) {
  w.attachNetZero = [d](HWND controller, bool& dialerStarted, UINT_PTR& timer9) {
    d->dialer.Attach(controller, dialerStarted, timer9);
  };
  w.toggleNetZeroDialer = [d] { d->dialer.ToggleNetZeroDialer(); };
  w.redialNetZero = [d] { d->dialer.Redial(); };
}

}  // namespace

void WireWatchers(ControllerSeams& seams, const std::shared_ptr<ProductionParts>&) {
  auto state = std::make_shared<WatcherState>();
  auto dialers = std::make_shared<DialerState>();
  WatcherSeam& w = seams.watchers;
  WireScans(w, state.get());
  WireDialer(w, dialers);

  w.attach = [state](HWND controller) {
    state->controller = controller;
    state->thread.Start();
  };
  w.handTick = [state](UINT_PTR timer, std::function<void()> scans) {
    WatcherState* s = state.get();
    return s->thread.Hand(timer, [s, timer, scans = std::move(scans)] { s->RunTick(timer, scans); });
  };
  w.clearPop3Failed = [state] { state->mail.ClearPop3Failed(); };

  w.launchClient = [state](int which, HWND) {
    watch::ShellComScope com;
    watch::HungThreads hung;
    watch::SendScope scope(hung);
    if (which == 0) state->aol.LaunchAOL();
    else state->cs2000.LaunchCS2000();
  };
  w.endWatchers = [state, dialers] {
    dialers->dialer.End();
    // Killing a thread that may hold the heap or a lock would risk a
    // deadlock in everything after; what it uses stays instead.
    if (!state->End()) new std::shared_ptr<WatcherState>(state);
  };
}

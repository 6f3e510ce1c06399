// Production wiring of the outside-client watchers, launchers and the
// NetZero dialer.
//
// The AOL and CompuServe 2000 watchers' state is shared by the scans
// (user-interface thread) and the launches (launcher threads). A launch holds
// its own reference, so a launcher still finishing after Exit uses nothing
// Exit frees; Exit ends its waits and its box at once (endLaunches). The
// dialer watchers (NetZero, ATT, MSN, Prodigy, Juno) are used on the
// user-interface thread only and kept apart, so the last reference to them
// (and the dialer's window) always goes on that thread.
#include "app/ProductionParts.h"
#include "watchers/AolWatcher.h"
#include "watchers/AttWatcher.h"
#include "watchers/Cs2000Watcher.h"
#include "watchers/JunoWatcher.h"
#include "watchers/MsnMailCheck.h"
#include "watchers/MsnWatcher.h"
#include "watchers/NetZeroDialer.h"
#include "watchers/NetZeroWatcher.h"
#include "watchers/ProdigyWatcher.h"
#include "watchers/ShellLaunch.h"
#include "watchers/WindowPress.h"

namespace {

using LookSetter = std::function<void(int)>;

// An environment whose waits and boxes end at Exit.
struct EndableEnv {
  watch::WatcherEnv Env(const LookSetter& setLook) {
    watch::WatcherEnv env;
    env.setLook = setLook;
    env.waits = &waits;
    env.boxes = &boxes;
    return env;
  }
  void End() {
    waits.End();
    boxes.EndAll();
  }

  watch::LaunchWaits waits;
  win::MessageBoxEnder boxes;
};

struct WatcherState : EndableEnv {
  explicit WatcherState(const LookSetter& setLook)
      : aol(Env(setLook), prompts), cs2000(Env(setLook), prompts) {}

  watch::PromptFlags prompts;
  watch::AolWatcher aol;
  watch::Cs2000Watcher cs2000;
  // Threads found hung during the current tick of timer 4 and of timer 14:
  // nothing more goes to them until the next tick.
  watch::HungThreads aolTick;
  watch::HungThreads cs2000Tick;
};

struct DialerWatchers : EndableEnv {
  explicit DialerWatchers(const LookSetter& setLook)
      : netZero(Env(setLook), dialer), att(Env(setLook)), mail(Env(setLook)), msn(Env(setLook), mail) {}

  watch::NetZeroDialer dialer;
  watch::NetZeroWatcher netZero;
  watch::AttWatcher att;
  watch::MsnMailCheck mail;
  watch::MsnWatcher msn;
  watch::ProdigyWatcher prodigy;
  // Threads found hung during the current tick of timers 9, 15, 17 and 19.
  watch::HungThreads netZeroTick, attTick, msnTick, otherTick;
};

// The watchers must not keep the parts (tray window, scheduler) alive on a
// launcher thread; looks are set on the user-interface thread only.
LookSetter MakeLookSetter(const std::shared_ptr<ProductionParts>& parts) {
  std::weak_ptr<ProductionParts> weak = parts;
  return [weak](int look) {
    if (auto p = weak.lock()) CallSeam(p->traySeam.setLook, look, nullptr);
  };
}

// One tick of a timer: its scans share one set of hung threads, fresh each tick.
template <typename Scan>
void Tick(watch::HungThreads& hung, Scan scan) {
  hung.Clear();
  watch::SendScope scope(hung);
  scan();
}

void WireDialerWatchers(WatcherSeam& w, const std::shared_ptr<DialerWatchers>& d) {
  w.attachNetZero = [d](HWND controller, bool& dialerStarted, UINT_PTR& timer9) {
    d->dialer.Attach(controller, dialerStarted, timer9);
  };
  w.toggleNetZeroDialer = [d] { d->dialer.ToggleNetZeroDialer(); };
  w.scanNetZeroInactivity = [d] { Tick(d->netZeroTick, [&] { d->netZero.ScanNetZeroInactivity(); }); };
  w.scanAttDisconnect = [d] { Tick(d->attTick, [&] { d->att.ScanATTDisconnect(); }); };
  w.scanMsnDisconnect = [d] { Tick(d->msnTick, [&] { d->msn.ScanMSNDisconnect(); }); };
  w.checkMsnMail = [d] { d->mail.CheckMSNMail(); };
  w.clearPop3Failed = [d] { d->mail.ClearPop3Failed(); };
  w.scanProdigyDisconnect = [d] { Tick(d->otherTick, [&] { d->prodigy.ScanProdigyDisconnect(); }); };
  w.scanJunoWeb = [d] {
    watch::SendScope scope(d->otherTick);  // the second scan of timer 19's tick
    watch::ScanJunoWeb();
  };
}

}  // namespace

void WireWatchers(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  const LookSetter setLook = MakeLookSetter(parts);
  auto state = std::make_shared<WatcherState>(setLook);
  auto dialers = std::make_shared<DialerWatchers>(setLook);
  WatcherSeam& w = seams.watchers;
  WireDialerWatchers(w, dialers);

  // The first scan of each tick of timer 4 (and of 14) starts the tick.
  w.scanAolTimer = [state] { Tick(state->aolTick, [&] { state->aol.ScanAOLTimer(); }); };
  w.scanAolGadgets = [state, parts](LONG& welcomeDone, LONG& advertisementDone) {
    watch::SendScope scope(state->aolTick);
    state->aol.ScanAOLGadgets(parts->controller, welcomeDone, advertisementDone);
  };
  w.scanAolConnectionLost = [state] {
    watch::SendScope scope(state->aolTick);
    state->aol.ScanAOLConnectionLost();
  };

  w.scanCs2000Timer = [state] { Tick(state->cs2000Tick, [&] { state->cs2000.ScanCS2000Timer(); }); };
  w.scanCs2000Gadgets = [state] {
    watch::SendScope scope(state->cs2000Tick);
    state->cs2000.ScanCS2000Gadgets();
  };
  w.scanCs2000FailedDialog = [state] {
    watch::SendScope scope(state->cs2000Tick);
    state->cs2000.ScanCS2000FailedDialog();
  };
  w.scanCs2000ConnectionFailed = [state] {
    watch::SendScope scope(state->cs2000Tick);
    state->cs2000.ScanCS2000ConnectionFailed();
  };

  w.launchClient = [state](int which, HWND) {
    watch::ShellComScope com;
    watch::HungThreads hung;
    watch::SendScope scope(hung);
    if (which == 0) state->aol.LaunchAOL();
    else state->cs2000.LaunchCS2000();
  };
  w.endLaunches = [state, dialers] {
    state->End();
    dialers->End();
    dialers->dialer.End();
  };
}

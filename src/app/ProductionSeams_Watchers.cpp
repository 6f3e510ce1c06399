// Production wiring of the outside-client watchers and launchers.
//
// The watchers' state is shared by the scans (user-interface thread) and the
// launches (launcher threads). A launch holds its own reference, so a
// launcher still finishing after Exit uses nothing Exit frees; Exit ends its
// waits and its box at once (endLaunches).
#include <objbase.h>

#include "app/ProductionParts.h"
#include "watchers/AolWatcher.h"
#include "watchers/Cs2000Watcher.h"
#include "watchers/WindowPress.h"

namespace {

struct WatcherState {
  explicit WatcherState(const std::function<void(int)>& setLook)
      : aol(Env(setLook), prompts), cs2000(Env(setLook), prompts) {}

  // Built after the members it points to.
  watch::WatcherEnv Env(const std::function<void(int)>& setLook) {
    watch::WatcherEnv env;
    env.setLook = setLook;
    env.waits = &waits;
    env.boxes = &boxes;
    return env;
  }

  watch::LaunchWaits waits;
  win::MessageBoxEnder boxes;
  watch::PromptFlags prompts;
  watch::AolWatcher aol;
  watch::Cs2000Watcher cs2000;
  // Threads found hung during the current tick of timer 4 and of timer 14:
  // nothing more goes to them until the next tick.
  watch::HungThreads aolTick;
  watch::HungThreads cs2000Tick;
};

// COM for the shell, which may hand a launch to a COM-based extension.
class ComForLaunch {
 public:
  ComForLaunch()
      : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComForLaunch() {
    if (ok_) CoUninitialize();
  }

 private:
  bool ok_;
};

std::shared_ptr<WatcherState> MakeState(const std::shared_ptr<ProductionParts>& parts) {
  // The state must not keep the parts (tray window, scheduler) alive on a
  // launcher thread; looks are set on the user-interface thread only.
  std::weak_ptr<ProductionParts> weak = parts;
  return std::make_shared<WatcherState>([weak](int look) {
    if (auto p = weak.lock()) CallSeam(p->traySeam.setLook, look, nullptr);
  });
}

}  // namespace

void WireWatchers(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  auto state = MakeState(parts);
  WatcherSeam& w = seams.watchers;

  w.scanAolTimer = [state] {
    state->aolTick.Clear();  // the first scan of each tick of timer 4
    watch::SendScope scope(state->aolTick);
    state->aol.ScanAOLTimer();
  };
  w.scanAolGadgets = [state, parts](LONG& welcomeDone, LONG& advertisementDone) {
    watch::SendScope scope(state->aolTick);
    state->aol.ScanAOLGadgets(parts->controller, welcomeDone, advertisementDone);
  };
  w.scanAolConnectionLost = [state] {
    watch::SendScope scope(state->aolTick);
    state->aol.ScanAOLConnectionLost();
  };

  w.scanCs2000Timer = [state] {
    state->cs2000Tick.Clear();  // the first scan of each tick of timer 14
    watch::SendScope scope(state->cs2000Tick);
    state->cs2000.ScanCS2000Timer();
  };
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
    ComForLaunch com;
    watch::HungThreads hung;
    watch::SendScope scope(hung);
    if (which == 0) state->aol.LaunchAOL();
    else state->cs2000.LaunchCS2000();
  };
  w.endLaunches = [state] {
    state->waits.End();
    state->boxes.EndAll();
  };
}

// Exit and the dial-up connection query.
#include "app/StatusReportDlg.h"

#include "base/Trace.h"
#include "dialup/DialUpConnections.h"
#include "win/HelpFile.h"

namespace {

constexpr DWORD kWorkerExitWaitMs = 3000;

}  // namespace

bool StatusReportDlg::IsDialUpConnected() {
  if (seams_.dial.isDialUpConnected) return seams_.dial.isDialUpConnected();
  return AnyDialUpConnection();
}

void StatusReportDlg::Exit() {
  // A configuration window in its modal loop is closed first; a second Exit ends the program.
  if (wizardOpen_) {
    CallSeam(seams_.config.cancelWizard);
    return;
  }
  if (configOpen_) {
    CallSeam(seams_.config.endConfigDialog, 0);
    return;
  }
  if (exiting_) return;
  exiting_ = true;

  KillMonitorTimer();
  CallSeam(seams_.keepAlive.kill);
  KillFeatureTimers(cached_);
  KillTimerRecord(timer_id::kFirstCycle);

  if (seams_.dial.exists && seams_.dial.exists() && seams_.dial.isDialing && seams_.dial.isDialing())
    CallSeam(seams_.dial.hangUp);

  CallSeam(seams_.tray.removeIcon);
  CallSeam(seams_.tray.destroy);
  win::CloseHelp();

  CallSeam(seams_.watchers.endWatchers);
  if (!workers_.Shutdown(kWorkerExitWaitMs))
    TraceLine("A service worker did not end in time; it ends with the program");
  Destroy();
}

// The controller's timer table: what each tick runs.
#include "app/StatusReportDlg.h"

#include <iterator>

#include "app/MouseWalk.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"

bool StatusReportDlg::IsTimerRunning(UINT_PTR id) const {
  return id < std::size(timerRecord_) && timerRecord_[id] != 0;
}

void StatusReportDlg::StartTimerRecord(UINT_PTR id, DWORD periodMs) {
  if (id >= std::size(timerRecord_) || !hwnd()) return;
  // A timer that cannot be created leaves its record 0, so the next start retries it.
  timerRecord_[id] = win::StartTimer(hwnd(), id, periodMs);
}

void StatusReportDlg::KillTimerRecord(UINT_PTR id) {
  if (id >= std::size(timerRecord_)) return;
  if (timerRecord_[id] != 0 && hwnd()) KillTimer(hwnd(), id);
  timerRecord_[id] = 0;
}

void StatusReportDlg::ArmMouseMoveTimer() {
  StartTimerRecord(timer_id::kMouseMove, mouse::IdlePeriodMs(store_.Read(settings::kMouseTimer)));
}

void StatusReportDlg::KillMouseMoveTimer() { KillTimerRecord(timer_id::kMouseMove); }

// What a tick needs of the controller goes with it (copies of the scans,
// the cached redial flags); the scans themselves own the rest.
void StatusReportDlg::HandTick(UINT_PTR id, std::function<void()> scans) {
  if (!scans) return;
  if (seams_.watchers.handTick) seams_.watchers.handTick(id, std::move(scans));
  else scans();
}

bool StatusReportDlg::OnTimer(UINT_PTR id) {
  // Ticks already queued when a timer was killed are dropped.
  if (id != timer_id::kInterval && !IsTimerRunning(id)) return true;
  switch (id) {
    case timer_id::kFirstCycle:
      KillTimerRecord(timer_id::kFirstCycle);
      CallSeam(seams_.keepAlive.runCycle);
      return true;
    case timer_id::kInterval:
      if (seams_.keepAlive.isArmed && !seams_.keepAlive.isArmed()) return true;
      CallSeam(seams_.keepAlive.runCycle);
      return true;
    case timer_id::kAol: {
      const WatcherSeam& w = seams_.watchers;
      HandTick(id, [timer = w.scanAolTimer, gadgets = w.scanAolGadgets,
                    lost = cached_.aolAutoRedial == 1 ? w.scanAolConnectionLost : nullptr] {
        CallSeam(timer);
        CallSeam(gadgets);
        CallSeam(lost);
      });
      return true;
    }
    case timer_id::kNetZero:
      HandTick(id, seams_.watchers.scanNetZeroInactivity);
      return true;
    case timer_id::kMouseMove:
      CallSeam(seams_.mouse.walk);
      KillTimerRecord(timer_id::kMouseMove);
      return true;
    case timer_id::kCs2000: {
      const WatcherSeam& w = seams_.watchers;
      const bool redial = cached_.csAutoRedial == 1;
      HandTick(id, [timer = w.scanCs2000Timer, gadgets = w.scanCs2000Gadgets,
                    dialog = redial ? w.scanCs2000FailedDialog : nullptr,
                    failed = redial ? w.scanCs2000ConnectionFailed : nullptr] {
        CallSeam(timer);
        CallSeam(gadgets);
        CallSeam(dialog);
        CallSeam(failed);
      });
      return true;
    }
    case timer_id::kAtt:
      HandTick(id, seams_.watchers.scanAttDisconnect);
      return true;
    case timer_id::kMouseCheck:
      CallSeam(seams_.mouse.idleCheck);
      return true;
    case timer_id::kMsn:
      HandTick(id, seams_.watchers.scanMsnDisconnect);
      return true;
    case timer_id::kPop3:
      HandTick(id, seams_.watchers.checkMsnMail);
      return true;
    case timer_id::kOtherIsps:
      HandTick(id, [prodigy = seams_.watchers.scanProdigyDisconnect, juno = seams_.watchers.scanJunoWeb] {
        CallSeam(prodigy);
        CallSeam(juno);
      });
      return true;
    case timer_id::kMonitorConnected:
      if (!IsDialUpConnected()) PostMessageA(hwnd(), msg::kConnectionDown, 0, 0);
      return true;
    case timer_id::kMonitorDisconnected:
      if (IsDialUpConnected()) PostMessageA(hwnd(), msg::kConnectionUp, 0, 0);
      return true;
    default:
      return false;
  }
}

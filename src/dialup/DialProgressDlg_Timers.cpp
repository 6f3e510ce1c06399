// The dial dialog's timers: progress dots, dialing animation, connected
// blink, minimise, line monitor and reconnect countdown.
#include "dialup/DialProgressDlg.h"

#include <iterator>

#include "base/Trace.h"
#include "dialup/DialTexts.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"

namespace dialup {

bool DialProgressDlg::IsTimerRunning(UINT_PTR id) const {
  return id < std::size(timers_) && timers_[id] != 0;
}

void DialProgressDlg::StartTimerMark(UINT_PTR id, DWORD ms) {
  if (id >= std::size(timers_) || !hwnd()) return;
  timers_[id] = win::StartTimer(hwnd(), id, ms);
}

void DialProgressDlg::StopTimerMark(UINT_PTR id) {
  if (id >= std::size(timers_)) return;
  if (timers_[id] != 0 && hwnd()) KillTimer(hwnd(), id);
  timers_[id] = 0;
}

// After a hang-up, an error or a drop nothing of the dial may go on: no blink
// ending on the connected icon, no dots, no minimise.
void DialProgressDlg::StopProgressTimers() {
  StopTimerMark(kDotsTimer);
  StopTimerMark(kAnimationTimer);
  StopTimerMark(kBlinkTimer);
  StopTimerMark(kMinimiseTimer);
  animating_ = false;
  frame_ = 0;
  blinkTicks_ = 0;
}

bool DialProgressDlg::OnTimer(UINT_PTR id) {
  // Ticks already queued when a timer was stopped are dropped.
  if (!IsTimerRunning(id)) return true;
  switch (id) {
    case kDotsTimer:
      SetProgressText(WithDot(progress_, kProgressBytes));
      return true;
    case kAnimationTimer:
      OnAnimationTick();
      return true;
    case kBlinkTimer:
      OnBlinkTick();
      return true;
    case kMinimiseTimer:
      OnMinimiseTick();
      return true;
    case kLineMonitorTimer:
      OnLineMonitorTick();
      return true;
    case kCountdownTimer:
      OnCountdownTick();
      return true;
    default:
      return false;
  }
}

void DialProgressDlg::OnAnimationTick() {
  SetStatusIcon(frame_ == 0 ? IDI_DIALER_IDLE : IDI_DIALER_FRAME_FIRST + frame_ - 1);
  frame_ = (frame_ + 1) % 10;
}

void DialProgressDlg::OnBlinkTick() {
  blinkPhase_ = !blinkPhase_;
  SetStatusIcon(blinkPhase_ ? IDI_DIALER_CONNECTED : IDI_DIALER_IDLE);
  if (++blinkTicks_ < kBlinkTicks) return;
  StopTimerMark(kBlinkTimer);
  frame_ = 0;
  blinkTicks_ = 0;
  animating_ = false;
  blinkPhase_ = false;
  SetStatusIcon(IDI_DIALER_CONNECTED);
}

void DialProgressDlg::OnMinimiseTick() {
  StopTimerMark(kMinimiseTimer);
  // A hidden dialog stays hidden: minimising would show it.
  if (IsDlgButtonChecked(hwnd(), IDC_DIAL_MINIMIZE) == BST_CHECKED &&
      store_.Read(settings::kModemPromptToDial) == 1)
    ShowWindow(hwnd(), SW_MINIMIZE);
}

void DialProgressDlg::OnLineMonitorTick() {
  // A box of the wrapper is up: the line is looked at again next tick.
  if (busy_ || RasLibrary::ConnectionActive()) return;
  StopTimerMark(kLineMonitorTimer);
  LineDown();
  if (UseDialer()) PostEvent(kEventEnded);
  if (userHangUp_) {
    userHangUp_ = false;
  } else if (ReconnectOn() && !IsTimerRunning(kCountdownTimer)) {
    StartCountdown(redial_.Dropped());
  }
}

void DialProgressDlg::StartCountdown(int seconds) {
  if (IsTimerRunning(kCountdownTimer)) return;
  countdown_ = seconds;
  StartTimerMark(kCountdownTimer, kCountdownMs);
  TraceLine(("Redialing in " + std::to_string(seconds) + " seconds").c_str());
}

void DialProgressDlg::OnCountdownTick() {
  // A box of the wrapper is up: this tick starts nothing.
  if (busy_) return;
  SetItemText(IDC_DIAL_HANG_UP, "&Cancel");
  EnableWindow(Item(IDC_DIAL_HANG_UP), TRUE);
  cancelButton_ = true;
  SetProgressText(CountdownText(countdown_));
  if (countdown_-- > 1) return;
  StopCountdown();
  StartDial(true);
}

void DialProgressDlg::StopCountdown() {
  StopTimerMark(kCountdownTimer);
  countdown_ = kCountdownStart;
  cancelButton_ = false;
  if (!hwnd()) return;
  SetItemText(IDC_DIAL_HANG_UP, "&Hang Up");
  EnableWindow(Item(IDC_DIAL_HANG_UP), FALSE);
}

void DialProgressDlg::CancelCountdown() {
  redial_.End();
  StopCountdown();
  SetProgressText("Re-connection cancelled.");
}

}  // namespace dialup

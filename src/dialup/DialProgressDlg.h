#pragma once
// The program's own dialer window (dialog 234): dials the configured profile
// through RasLibrary, shows the connection states as the library reports
// them, animates its icon while dialing, blinks it when connected, watches
// the line afterwards and, with "Reconnect" 1, dials again after a countdown
// when the line drops without the user hanging up or a dial ends in an error
// (RedialSequence: growing pauses; a login refused three times in a row
// stops it). The user's Dial, Hang Up or Cancel ends such a sequence.
//
// Lifecycle: the controller creates it on first need (visible when "Prompt
// To Dial" is 1) and keeps it for the rest of the run; its close box and Esc
// only hide it, the dial and its timers carry on. It goes with its owner, the
// controller window. When "Use Dialer" is 1 it reports dial events to the
// controller as message 32868.
//
// States: idle -> dialing (Dial) -> connected (state 8192) -> idle (Hang Up,
// error, line down) -> countdown (a drop or an error with "Reconnect" 1) ->
// dialing.
// Everything runs on the user-interface thread.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/DialEvents.h"
#include "dialup/RasLibrary.h"
#include "dialup/RedialSequence.h"
#include "settings/SettingsStore.h"
#include "win/Dialog.h"

namespace dialup {

// Dial events to the controller (base/DialEvents.h): dialing, connected and
// ended are posted; an error is sent, with its text in lParam.
inline constexpr UINT kDialEventMessage = dial_event::kMessage;
inline constexpr WPARAM kEventDialing = dial_event::kDialing;
inline constexpr WPARAM kEventConnected = dial_event::kConnected;
inline constexpr WPARAM kEventEnded = dial_event::kEnded;
inline constexpr WPARAM kEventFailed = dial_event::kError;

// Posted by the dialog to itself behind its "dialing started" event.
inline constexpr UINT kDialAnnouncedMessage = WM_APP + 120;

class DialProgressDlg : public win::Dialog {
 public:
  // Timers of the dialog window, with their periods (scaled by the clock).
  static constexpr UINT_PTR kDotsTimer = 5, kAnimationTimer = 6, kBlinkTimer = 7,
                            kMinimiseTimer = 8, kLineMonitorTimer = 12, kCountdownTimer = 13;
  static constexpr DWORD kDotsMs = 1500, kAnimationMs = 150, kBlinkMs = 250, kMinimiseMs = 2500,
                         kLineMonitorMs = 5000, kCountdownMs = 1000;
  static constexpr int kCountdownStart = 10;
  static constexpr int kBlinkTicks = 6;
  // The progress text's buffer, terminator included.
  static constexpr size_t kProgressBytes = 256;

  // `setDialState` is the controller's dial allowed flag: 1 while idle (the
  // tray offers Dial), 0 while a dial starts or the line is up.
  DialProgressDlg(HWND controller, std::function<void(int)> setDialState);
  ~DialProgressDlg() override;

  // Creates the window and shows it with `showCommand` (SW_HIDE keeps it hidden).
  bool Create(int showCommand);
  // Shows (restoring it when minimised) or hides the window.
  void Show(bool visible);

  // The "&Dial" button, and the tray's Dial: the user's own dial, which
  // ends a redial sequence. A dial, hang-up or countdown tick that arrives
  // while one of these is still showing a box does nothing.
  void Dial();
  // The "&Hang Up" button while it reads "&Hang Up", and the tray's Hang Up
  // and Exit: ends a redial sequence (a countdown is cancelled) and the line.
  void HangUp();
  // 1 from Dial until the dial fails, is hung up or the line is found down.
  bool IsDialing() const { return dialing_; }
  bool RedialPending() const { return cancelButton_ || IsTimerRunning(kCountdownTimer); }

  // For tests and diagnostics.
  bool IsTimerRunning(UINT_PTR id) const;
  int countdown() const { return countdown_; }
  const std::string& progressText() const { return progress_; }
  const RedialSequence& redialSequence() const { return redial_; }
  RasLibrary& library() { return ras_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  class Busy;

  // `automatic`: the countdown's redial, which shows a refusal in the
  // dialog rather than in a box and keeps the sequence going.
  void StartDial(bool automatic);
  void OnDialState(DWORD state, DWORD error);
  void OnConnected();
  void OnDialFailed(const std::string& text);
  // With "Reconnect" 1: the countdown to the next try, or the stop after
  // refused logins. `code` is the error shown (0: the line went down first).
  void RetryAfterFailure(DWORD code, const std::string& text);
  void StartCountdown(int seconds);
  void LineDown();
  void OnLineMonitorTick();
  void OnCountdownTick();
  void OnAnimationTick();
  void OnBlinkTick();
  void OnMinimiseTick();
  void StopCountdown();
  void CancelCountdown();
  void ReplayDeferredStates();

  void StartTimerMark(UINT_PTR id, DWORD ms);
  void StopTimerMark(UINT_PTR id);
  // Timers 5 to 8: dots, dialing animation, connected blink, minimise.
  void StopProgressTimers();
  void SetStatusIcon(int iconId);
  void SetProgressText(const std::string& text);
  void SetCaption(const std::string& text);
  // Idle: "&Dial" enabled, "&Hang Up" disabled; otherwise the other way round.
  void SetButtonsIdle(bool idle);
  void SetDialState(int state);
  bool UseDialer() const;
  bool ReconnectOn() const;
  void PostEvent(WPARAM event);

  HWND controller_;
  std::function<void(int)> setDialState_;
  RasLibrary ras_;
  RedialSequence redial_;
  SettingsStore store_;
  bool dialing_ = false;
  bool animating_ = false;
  bool userHangUp_ = false;
  bool cancelButton_ = false;  // "&Hang Up" reads "&Cancel"
  bool announcing_ = false;    // "dialing started" is on its way to the controller
  int busy_ = 0;               // depth of wrapper calls in progress
  int frame_ = 0;
  int blinkTicks_ = 0;
  bool blinkPhase_ = false;
  int countdown_ = kCountdownStart;
  UINT_PTR timers_[kCountdownTimer + 1] = {};
  std::string progress_;
  std::vector<std::pair<DWORD, DWORD>> deferred_;
};

}  // namespace dialup

#pragma once
// The controller's side of the keep-alive traffic: each cycle sends every
// enabled, idle service to a host chosen by the configured access method,
// then re-arms the interval timer (timer 2 of the controller window) with a
// fresh period. Settings count afresh at every cycle and every arming (read
// again whenever the registry changed, see KeepAliveSettings); only the
// shared sequential position and the visit state live here.
//
// Lifecycle: constructed once the controller window and its workers exist;
// everything runs on the user-interface thread. The caller kills timer 1
// before a first-cycle RunCycle; RunCycle kills and re-arms timer 2 itself.
//
// An interval that cannot be armed is told to the user at most once per
// start, and never from inside a cycle or a start: the message box is
// shown from a posted message of the scheduler's own window, so nothing of
// a cycle is on the stack while it is open. A cycle due while it is open
// waits until it closes (and is dropped if the service stopped meanwhile).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/HostChoice.h"
#include "app/KeepAliveSettings.h"
#include "keepalive/ServiceWorkers.h"
#include "settings/SettingsStore.h"

class KeepAliveScheduler {
 public:
  static constexpr UINT_PTR kIntervalTimer = 2;
  // Pause after each request, kept for the pacing the user sees.
  static constexpr DWORD kPostPauseMs = 100;
  // Shows a failure to the user; a message box unless replaced.
  using MessageHook = std::function<void(HWND owner, const char* text)>;

  KeepAliveScheduler(SettingsStore& store, ServiceWorkers& workers, HWND controller);
  ~KeepAliveScheduler();
  KeepAliveScheduler(const KeepAliveScheduler&) = delete;
  KeepAliveScheduler& operator=(const KeepAliveScheduler&) = delete;

  void RunCycle();
  // A start: starts timer 2 with a new period; on an unknown interval option
  // or a timer that cannot be created, tells the user (once for this start)
  // and returns false.
  bool Arm();
  // Kills timer 2; a cycle waiting for the message box is dropped.
  void Kill();
  bool IsArmed() const { return timerRecord_ != 0; }

  // The worker or socket posted an HTTP current host; `ownWebHostVisited`
  // when it reports the visit of the own web host. `showText` is cleared
  // when the row must keep its text.
  void OnHttpHostShown(bool ownWebHostVisited, bool& showText);

  // The host the next request of `service` would go to (advances the
  // sequential position or draws, as a cycle does).
  std::string SelectHost(int service);

  void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
  bool IsNoticeOpen() const { return noticeOpen_; }

  std::uint32_t sequentialPosition() const { return chooser_.position(); }
  const VisitRule& visit() const { return visit_; }

 private:
  class NoticeWindow;
  void SendService(int service);
  bool ArmNext();
  void RequestTimerNotice();
  void ShowTimerNotice();

  SettingsStore& store_;
  KeepAliveSettings settings_;
  ServiceWorkers& workers_;
  HWND controller_;
  HostChooser chooser_;
  VisitRule visit_;
  UINT_PTR timerRecord_ = 0;
  MessageHook messageHook_;
  std::unique_ptr<NoticeWindow> noticeWindow_;
  bool noticeTold_ = false;  // for the current start
  bool noticePosted_ = false;
  bool noticeOpen_ = false;
  bool cyclePending_ = false;
};

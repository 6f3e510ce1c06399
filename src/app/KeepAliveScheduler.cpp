#include "app/KeepAliveScheduler.h"

#include "app/Random15.h"
#include "res/resource.h"
#include "win/MessageBox.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"
#include "win/Window.h"
#include "win/ResourceText.h"

namespace {

constexpr char kTimersUsedUp[] = "All timers are used up for the system. Please try again later.";


}  // namespace

// Receives the scheduler's posted notice, so the box opens from the message
// loop and not from inside whatever found the failure.
class KeepAliveScheduler::NoticeWindow : public win::Window {
 public:
  static constexpr UINT kShowNotice = WM_APP + 300;

  explicit NoticeWindow(KeepAliveScheduler& owner) : owner_(owner) {
    Create("Tetherly.SchedulerNotice", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
  }

 protected:
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg != kShowNotice) return false;
    owner_.ShowTimerNotice();
    result = 0;
    return true;
  }

 private:
  KeepAliveScheduler& owner_;
};

KeepAliveScheduler::KeepAliveScheduler(SettingsStore& store, ServiceWorkers& workers,
                                       HWND controller)
    : store_(store),
      settings_(store),
      workers_(workers),
      controller_(controller),
      chooser_(Random15::Shared()),
      visit_(store.Read(settings::kVisited) == 1),
      messageHook_([](HWND owner, const char* text) {
        win::ShowMessageBox(owner, text, "Tetherly!", MB_OK);
      }),
      noticeWindow_(std::make_unique<NoticeWindow>(*this)) {}

KeepAliveScheduler::~KeepAliveScheduler() { Kill(); }

void KeepAliveScheduler::RunCycle() {
  if (noticeOpen_) {
    cyclePending_ = true;
    return;
  }
  settings_.Refresh();
  const DWORD* flags = settings_.serviceFlags();
  for (int service = 0; service < kServiceCount; ++service)
    if (flags[service] == 1) SendService(service);
  Kill();
  ArmNext();
}

void KeepAliveScheduler::SendService(int service) {
  const ServiceKind kind = ServiceFromIndex(service);
  // A service whose previous exchange has not ended sits this cycle out.
  if (!workers_.TryClaim(kind)) return;
  bool posted = false;
  if (kind == ServiceKind::Http && visit_.TakeVisitTurn())
    posted = workers_.PostOwnWebHostVisit();
  else
    posted = workers_.PostRequest(
        kind, chooser_.SelectHost(service, settings_.accessType(), settings_).c_str());
  if (!posted) workers_.Release(kind);
  win::SleepMs(kPostPauseMs);
}

std::string KeepAliveScheduler::SelectHost(int service) {
  settings_.Refresh();
  return chooser_.SelectHost(service, settings_.accessType(), settings_);
}

void KeepAliveScheduler::OnHttpHostShown(bool ownWebHostVisited, bool& showText) {
  const VisitRule::Shown shown = visit_.OnHostShown(ownWebHostVisited);
  if (shown.recordVisit) store_.Write(settings::kVisited, 1);
  showText = shown.showText;
}

bool KeepAliveScheduler::Arm() {
  noticeTold_ = false;
  return ArmNext();
}

bool KeepAliveScheduler::ArmNext() {
  settings_.Refresh();
  const auto period = KeepAlivePeriodMs(settings_.intervalOption(), settings_.randomStart(),
                                        settings_.randomEnd(), settings_.fixed(),
                                        Random15::Shared());
  if (period) timerRecord_ = win::StartTimer(controller_, kIntervalTimer, *period);
  if (!period || timerRecord_ == 0) {
    timerRecord_ = 0;
    RequestTimerNotice();
    return false;
  }
  return true;
}

void KeepAliveScheduler::Kill() {
  if (timerRecord_ != 0 && controller_) KillTimer(controller_, kIntervalTimer);
  timerRecord_ = 0;
  cyclePending_ = false;
}

// One box for a start, and never a second one while the first is open.
void KeepAliveScheduler::RequestTimerNotice() {
  if (noticeTold_) return;
  noticeTold_ = true;
  if (noticeOpen_ || noticePosted_) return;
  HWND window = noticeWindow_ ? noticeWindow_->hwnd() : nullptr;
  if (window && PostMessageA(window, NoticeWindow::kShowNotice, 0, 0)) noticePosted_ = true;
}

void KeepAliveScheduler::ShowTimerNotice() {
  noticePosted_ = false;
  if (!messageHook_) return;
  noticeOpen_ = true;
  messageHook_(controller_, win::LoadResourceText(IDS_TIMERS_USED_UP, kTimersUsedUp).c_str());
  noticeOpen_ = false;
  // A cycle that fell due while the box was open runs now, unless a stop
  // (or another cycle's re-arming) dropped it.
  if (cyclePending_) {
    cyclePending_ = false;
    RunCycle();
  }
}

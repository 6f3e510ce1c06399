#include "support/UiProbe.h"

#include <algorithm>
#include <cmath>

#include "support/StandInClient.h"

namespace testing_support {

UiProbe::~UiProbe() { Stop(); }

bool UiProbe::Start(HWND dialog, DWORD gapMs) {
  Stop();
  dialog_ = dialog;
  gapMs_ = gapMs;
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, &UiProbe::Main, this, 0, nullptr);
  return thread_ != nullptr;
}

void UiProbe::Stop() {
  if (!thread_) return;
  SetEvent(stop_);
  // The probe may be sending to this very thread's window.
  for (;;) {
    const DWORD rc = MsgWaitForMultipleObjects(1, &thread_, FALSE, 30000, QS_SENDMESSAGE);
    if (rc != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread_);
  CloseHandle(stop_);
  thread_ = stop_ = nullptr;
}

DWORD WINAPI UiProbe::Main(void* self) {
  static_cast<UiProbe*>(self)->Run();
  return 0;
}

void UiProbe::Run() {
  // Ids no control of a dialog uses, so the default button stays as it is.
  for (unsigned n = 0; WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT; ++n) {
    const WPARAM id = 40000 + n % 20000;
    const double start = NowMs();
    {
      win::LockGuard g(lock_);
      pendingSince_ = start;
    }
    if (!PostMessageA(dialog_, DM_SETDEFID, id, 0)) break;
    bool seen = false;
    while (!seen && WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutA(dialog_, DM_GETDEFID, 0, 0, SMTO_NORMAL, 100, &answer)) {
        if (!IsWindow(dialog_)) return;
        continue;  // still blocked: keep asking
      }
      seen = LOWORD(answer) == id;
      if (!seen) Sleep(1);
    }
    {
      win::LockGuard g(lock_);
      pendingSince_ = -1;
      if (seen) trips_.push_back(NowMs() - start);
    }
    if (WaitForSingleObject(stop_, gapMs_) != WAIT_TIMEOUT) break;
  }
}

std::vector<double> UiProbe::RoundTrips() {
  win::LockGuard g(lock_);
  std::vector<double> out = trips_;
  if (pendingSince_ >= 0) out.push_back(NowMs() - pendingSince_);
  return out;
}

void UiProbe::Clear() {
  win::LockGuard g(lock_);
  trips_.clear();
}

double UiProbe::Max() {
  const std::vector<double> trips = RoundTrips();
  return trips.empty() ? 0 : *std::max_element(trips.begin(), trips.end());
}

double UiProbe::Percentile(double p) {
  std::vector<double> trips = RoundTrips();
  if (trips.empty()) return 0;
  std::sort(trips.begin(), trips.end());
  const double rank = std::ceil(p / 100.0 * static_cast<double>(trips.size()));
  const size_t index = rank < 1 ? 0 : std::min(trips.size() - 1, static_cast<size_t>(rank) - 1);
  return trips[index];
}

}  // namespace testing_support

#include "watchers/LaunchWaits.h"

#include "win/Clock.h"

namespace watch {

LaunchWaits::LaunchWaits() : ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

LaunchWaits::~LaunchWaits() {
  if (ended_) CloseHandle(ended_);
}

void LaunchWaits::End() {
  if (ended_) SetEvent(ended_);
}

bool LaunchWaits::Ended() const { return !ended_ || WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }

bool LaunchWaits::Sleep(DWORD ms) const {
  if (!ended_) return false;
  return win::WaitForOneAnsweringSends(ended_, ms) == WAIT_TIMEOUT;
}

bool LaunchWaits::WaitFor(HANDLE event, DWORD ms) const {
  if (!ended_ || !event) return false;
  const HANDLE both[2] = {ended_, event};
  return win::WaitForAnyAnsweringSends(2, both, ms) == WAIT_OBJECT_0 + 1;
}

HWND LaunchWaits::Poll(int tries, DWORD gapMs, const std::function<HWND()>& look) const {
  for (int i = 0; i < tries; ++i) {
    if (Ended()) return nullptr;
    if (HWND found = look()) return found;
    if (i + 1 < tries && !Sleep(gapMs)) return nullptr;
  }
  return nullptr;
}

}  // namespace watch

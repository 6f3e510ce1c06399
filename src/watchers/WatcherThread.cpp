#include "watchers/WatcherThread.h"

#include <algorithm>

#include "win/Clock.h"

namespace watch {
namespace {

constexpr UINT kTicksQueued = WM_APP + 1;  // thread message: run what is queued

}  // namespace

WatcherThread::~WatcherThread() {
  // Unscaled: a last resort at teardown, when Exit did not stop it.
  Stop(5000);
}

DWORD WatcherThread::Start() {
  {
    win::LockGuard g(lock_);
    if (started_ || stopped_) return started_ ? ERROR_SUCCESS : ERROR_INVALID_STATE;
  }
  const DWORD rc = thread_.Start([this](const MSG& msg) {
    if (msg.message == kTicksQueued) RunQueued();
  });
  if (rc == ERROR_SUCCESS) {
    win::LockGuard g(lock_);
    started_ = true;
  }
  return rc;
}

bool WatcherThread::Hand(UINT_PTR timer, std::function<void()> tick) {
  {
    win::LockGuard g(lock_);
    if (!started_ || stopped_) return false;
    if (std::find(busy_.begin(), busy_.end(), timer) != busy_.end()) return false;
    busy_.push_back(timer);
    queue_.push_back({timer, std::move(tick)});
  }
  if (thread_.Post(kTicksQueued, 0, 0)) return true;
  win::LockGuard g(lock_);
  queue_.pop_back();
  busy_.erase(std::find(busy_.begin(), busy_.end(), timer));
  return false;
}

bool WatcherThread::IsBusy(UINT_PTR timer) {
  win::LockGuard g(lock_);
  return std::find(busy_.begin(), busy_.end(), timer) != busy_.end();
}

// Everything queued, not only one: a doorbell that got lost must not strand a
// tick (and its timer) for good.
void WatcherThread::RunQueued() {
  for (;;) {
    Job job;
    {
      win::LockGuard g(lock_);
      if (queue_.empty() || stopped_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    try {
      job.tick();
    } catch (...) {
      // A tick that throws must not take its timer with it.
    }
    win::LockGuard g(lock_);
    busy_.erase(std::remove(busy_.begin(), busy_.end(), job.timer), busy_.end());
  }
}

bool WatcherThread::Stop(DWORD ms) {
  {
    win::LockGuard g(lock_);
    stopped_ = true;
  }
  if (!thread_.handle()) return true;
  if (thread_.IsRunning()) {
    thread_.PostQuit();
    const HANDLE handle = thread_.handle();
    if (win::WaitForAnyAnsweringSendsRealMs(1, &handle, ms) != WAIT_OBJECT_0) return false;
  }
  // The thread is gone: what it left queued goes now.
  std::deque<Job> dropped;
  {
    win::LockGuard g(lock_);
    dropped.swap(queue_);
    busy_.clear();
  }
  return true;
}

}  // namespace watch

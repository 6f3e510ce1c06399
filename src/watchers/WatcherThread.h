#pragma once
// The thread every watcher tick runs on. The controller keeps its timers and
// hands each tick over here; the ticks run one after another on this thread,
// in the order handed, so that a slow or hung outside client holds up the
// watchers only, never the user interface.
//
// A tick handed while the previous tick of the same timer still waits or
// runs is dropped, as Windows merges the WM_TIMER messages of a busy window:
// at most one tick per timer is ever queued.
//
// Lifecycle: Start -> Hand (any number, user-interface thread) -> Stop
// (Exit). Stop asks the thread to end and waits for it with a bound; a tick
// in progress ends by itself once its waits were ended (the caller ends them
// first). A thread that does not end in time is left to the process exit,
// never killed: the caller must then keep everything the ticks use alive.
// Nothing runs after Stop, and what was still queued is dropped.
#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

#include "win/Lock.h"
#include "win/WorkerThread.h"

namespace watch {

class WatcherThread {
 public:
  WatcherThread() = default;
  ~WatcherThread();
  WatcherThread(const WatcherThread&) = delete;
  WatcherThread& operator=(const WatcherThread&) = delete;

  // Returns ERROR_SUCCESS once the thread takes ticks, or the start's error.
  DWORD Start();
  // Queues `tick` for the thread; false when dropped (the timer's previous
  // tick is still queued or running, not started, or stopped).
  bool Hand(UINT_PTR timer, std::function<void()> tick);
  // Whether a tick of `timer` is queued or running.
  bool IsBusy(UINT_PTR timer);
  // Ends the thread; true when it ended within `ms` real milliseconds. Sent
  // messages to the calling thread's windows are answered while it waits (a
  // tick may be writing a trace line).
  bool Stop(DWORD ms);
  DWORD threadId() const { return thread_.id(); }

 private:
  struct Job {
    UINT_PTR timer;
    std::function<void()> tick;
  };
  void RunQueued();

  win::Lock lock_;  // guards the queue, the busy timers and the state; never held across a tick
  std::deque<Job> queue_;
  std::vector<UINT_PTR> busy_;
  bool started_ = false;
  bool stopped_ = false;
  win::WorkerThread thread_;
};

}  // namespace watch

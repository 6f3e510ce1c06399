#pragma once
// A thread of its own for the boxes the watcher thread raises, so that a box
// the user leaves up holds no scan up. One box at a time: a box asked for
// while one stands is dropped (the user has the first one to read).
//
// Lifecycle: the thread starts with the first box; Exit ends the boxes
// through their ender, then Stop joins the thread with a bound. Its boxes
// are shown with that ender, which must outlive this object.
#include <windows.h>

#include <memory>
#include <string>

#include "win/Lock.h"
#include "win/MessageBox.h"
#include "win/WorkerThread.h"

namespace watch {

class AsideBoxes {
 public:
  explicit AsideBoxes(win::MessageBoxEnder& ender) : ender_(ender) {}
  ~AsideBoxes();
  AsideBoxes(const AsideBoxes&) = delete;
  AsideBoxes& operator=(const AsideBoxes&) = delete;

  // Any thread; returns at once. False when a box stands already, after
  // Stop, or when the thread could not start.
  bool Show(const std::string& text, const std::string& caption, UINT type);
  bool Standing() { return standing_.Get() != 0; }
  // Ends the thread; true when it ended within `ms` real milliseconds.
  bool Stop(DWORD ms);

 private:
  struct Request;
  bool EnsureThread();
  void OnRequest(const MSG& msg);

  win::MessageBoxEnder& ender_;
  win::GuardedFlag standing_;
  win::Lock lock_;  // guards the thread's start and stop
  bool stopped_ = false;
  std::unique_ptr<win::WorkerThread> thread_;
};

}  // namespace watch

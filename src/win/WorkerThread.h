#pragma once
// A thread that owns nothing but a message loop. Start() returns only once
// the thread has its message queue, so a PostThreadMessage right after it
// cannot be lost. Thread messages (hwnd == NULL) go to the handler after the
// usual translate/dispatch, which keeps window messages of sockets the
// thread owns flowing while a request is in progress. WM_QUIT ends the loop.
#include <windows.h>

#include <functional>

namespace win {

class WorkerThread {
 public:
  using Handler = std::function<void(const MSG&)>;
  using Hook = std::function<void()>;

  WorkerThread() = default;
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Returns ERROR_SUCCESS, or the Win32 error of the failed start.
  DWORD Start(Handler handler);
  // As above; onEnter runs on the new thread before the queue is announced,
  // onExit on it after the loop has ended (for objects bound to the thread,
  // such as socket notification windows).
  DWORD Start(Handler handler, Hook onEnter, Hook onExit);
  bool Post(UINT msg, WPARAM wp, LPARAM lp) const;
  bool PostQuit(int exitCode = 0) const;
  // WAIT_OBJECT_0 when the thread has ended within the (scaled) time.
  DWORD Join(DWORD ms) const;
  bool IsRunning() const;

  HANDLE handle() const { return thread_; }
  DWORD id() const { return threadId_; }

 private:
  static DWORD WINAPI Main(void* param);
  void Loop();

  Handler handler_;
  Hook onEnter_;
  Hook onExit_;
  HANDLE thread_ = nullptr;
  HANDLE queueReady_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace win

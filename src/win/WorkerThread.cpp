#include "win/WorkerThread.h"

#include "win/Clock.h"

namespace win {

WorkerThread::~WorkerThread() {
  if (thread_) {
    if (IsRunning()) {
      PostQuit();
      // Unscaled on purpose: this is a last-resort join at teardown.
      WaitForSingleObject(thread_, 5000);
    }
    CloseHandle(thread_);
  }
  if (queueReady_) CloseHandle(queueReady_);
}

DWORD WorkerThread::Start(Handler handler) { return Start(std::move(handler), {}, {}); }

DWORD WorkerThread::Start(Handler handler, Hook onEnter, Hook onExit) {
  if (thread_) return ERROR_ALREADY_EXISTS;
  handler_ = std::move(handler);
  onEnter_ = std::move(onEnter);
  onExit_ = std::move(onExit);
  if (!queueReady_) queueReady_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // kept for a retry
  if (!queueReady_) return GetLastError();
  thread_ = CreateThread(nullptr, 0, &WorkerThread::Main, this, 0, &threadId_);
  if (!thread_) return GetLastError();
  // The new thread may send to this thread's windows while it starts (a
  // trace line), so sent messages are answered while waiting.
  const HANDLE both[2] = {queueReady_, thread_};
  return WaitForAnyAnsweringSends(2, both, INFINITE) == WAIT_OBJECT_0 ? ERROR_SUCCESS
                                                                       : ERROR_GEN_FAILURE;
}

bool WorkerThread::Post(UINT msg, WPARAM wp, LPARAM lp) const {
  return threadId_ != 0 && PostThreadMessageA(threadId_, msg, wp, lp) != FALSE;
}

bool WorkerThread::PostQuit(int exitCode) const { return Post(WM_QUIT, exitCode, 0); }

DWORD WorkerThread::Join(DWORD ms) const {
  if (!thread_) return WAIT_OBJECT_0;
  return WaitForOne(thread_, ms);
}

bool WorkerThread::IsRunning() const {
  DWORD code = 0;
  return thread_ && GetExitCodeThread(thread_, &code) && code == STILL_ACTIVE;
}

DWORD WINAPI WorkerThread::Main(void* param) {
  auto* self = static_cast<WorkerThread*>(param);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
  try {
    if (self->onEnter_) self->onEnter_();
  } catch (...) {
  }
  SetEvent(self->queueReady_);
  self->Loop();
  try {
    if (self->onExit_) self->onExit_();
  } catch (...) {
  }
  return 0;
}

void WorkerThread::Loop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (msg.hwnd == nullptr && handler_) {
      try {
        handler_(msg);
      } catch (...) {
        // A request that throws must not take the loop down with it.
      }
    }
  }
}

}  // namespace win

#include "win/MessageBox.h"

#include <utility>
#include <vector>

#include "win/Lock.h"

namespace win {

struct MessageBoxEnder::State {
  Lock lock;
  HANDLE ended = nullptr;  // manual-reset, set by EndAll
  bool isEnded = false;
  struct Box {
    HWND hwnd;
    WPARAM answer;
  };
  std::vector<Box> boxes;  // real boxes up now
};

namespace {

Lock& HandlerLock() {
  static Lock lock;
  return lock;
}

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

// What closing a box of this type answers.
int ClosingAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDCANCEL;
  }
}

// The box being shown on this thread with an ender, for the creation hook
// and for handlers.
struct Showing {
  MessageBoxEnder::State* state = nullptr;
  WPARAM answer = IDOK;
  HHOOK hook = nullptr;
  HWND box = nullptr;
};
thread_local Showing* t_showing = nullptr;

void EndBox(HWND box, WPARAM answer) { PostMessageA(box, WM_COMMAND, answer, 0); }

// Catches the box window as it is created, so EndAll can reach it even when
// it came before the window existed.
LRESULT CALLBACK CatchBox(int code, WPARAM wp, LPARAM lp) {
  Showing* s = t_showing;
  if (code == HCBT_CREATEWND && s && !s->box) {
    auto* cbt = reinterpret_cast<CBT_CREATEWNDA*>(lp);
    if (!(cbt->lpcs->style & WS_CHILD)) {
      s->box = reinterpret_cast<HWND>(wp);
      LockGuard g(s->state->lock);
      if (s->state->isEnded) EndBox(s->box, s->answer);
      else s->state->boxes.push_back({s->box, s->answer});
    }
  }
  return CallNextHookEx(s ? s->hook : nullptr, code, wp, lp);
}

}  // namespace

MessageBoxEnder::MessageBoxEnder() : state_(std::make_unique<State>()) {
  state_->ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

MessageBoxEnder::~MessageBoxEnder() {
  if (state_->ended) CloseHandle(state_->ended);
}

void MessageBoxEnder::EndAll() {
  LockGuard g(state_->lock);
  state_->isEnded = true;
  if (state_->ended) SetEvent(state_->ended);
  for (const State::Box& b : state_->boxes) EndBox(b.hwnd, b.answer);
}

bool MessageBoxEnder::Ended() const {
  LockGuard g(state_->lock);
  return state_->isEnded;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type,
                   MessageBoxEnder* ender) {
  text = text ? text : "";
  caption = caption ? caption : "";
  const int answer = ClosingAnswer(type);
  if (ender && ender->Ended()) return answer;

  MessageBoxHandler handler;
  {
    // A copy, so the box runs outside the lock: it may take as long as the user likes.
    LockGuard guard(HandlerLock());
    handler = Handler();
  }
  Showing showing;
  Showing* outer = t_showing;
  if (ender) {
    showing.state = ender->state_.get();
    showing.answer = static_cast<WPARAM>(answer);
    t_showing = &showing;
  }
  int result;
  if (handler) {
    result = handler(owner, text, caption, type);
  } else {
    if (ender)
      showing.hook = SetWindowsHookExA(WH_CBT, &CatchBox, nullptr, GetCurrentThreadId());
    result = MessageBoxA(owner, text, caption, type);
    if (showing.hook) UnhookWindowsHookEx(showing.hook);
  }
  if (ender) {
    t_showing = outer;
    LockGuard g(showing.state->lock);
    auto& boxes = showing.state->boxes;
    for (auto it = boxes.begin(); it != boxes.end(); ++it)
      if (it->hwnd == showing.box) {
        boxes.erase(it);
        break;
      }
    if (showing.state->isEnded) result = answer;
  }
  return result;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

bool WaitWhileMessageBoxUp(DWORD ms) {
  Showing* s = t_showing;
  if (!s || !s->state->ended) return false;
  return WaitForSingleObject(s->state->ended, ms) == WAIT_OBJECT_0;
}

}  // namespace win

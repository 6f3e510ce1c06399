#include "support/ModalScript.h"

#include <cstring>

namespace testing_support {
namespace {

ModalScript* g_waiting = nullptr;

BOOL CALLBACK MatchModal(HWND window, LPARAM lp) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  HWND owner = GetWindow(window, GW_OWNER);
  if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window) && owner &&
      !IsWindowEnabled(owner)) {
    *reinterpret_cast<HWND*>(lp) = window;
  }
  return TRUE;
}

}  // namespace

HWND FindModalDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &MatchModal, reinterpret_cast<LPARAM>(&found));
  return found;
}

void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

ModalScript::ModalScript(std::function<void(HWND)> script, DWORD limitMs)
    : script_(std::move(script)), start_(GetTickCount()), limitMs_(limitMs) {
  g_waiting = this;
  timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &ModalScript::Tick);
}

ModalScript::ModalScript(std::function<HWND()> find, std::function<void(HWND)> script, DWORD limitMs)
    : ModalScript(std::move(script), limitMs) {
  find_ = std::move(find);
}

ModalScript::~ModalScript() {
  if (timer_) KillTimer(nullptr, timer_);
  if (g_waiting == this) g_waiting = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  ModalScript* self = g_waiting;
  if (!self || self->timer_ != id) {
    KillTimer(nullptr, id);
    return;
  }
  HWND dialog = self->find_ ? self->find_() : FindModalDialog();
  if (!dialog) {
    if (GetTickCount() - self->start_ > self->limitMs_) {
      KillTimer(nullptr, id);
      self->timer_ = 0;
      g_waiting = nullptr;
    }
    return;
  }
  KillTimer(nullptr, id);
  self->timer_ = 0;
  g_waiting = nullptr;
  self->ran_ = true;
  self->script_(dialog);
}

}  // namespace testing_support

#include "app/TraceLog.h"

#include <atomic>
#include <cstring>
#include <string>

#include "base/Trace.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "win/Window.h"

namespace {

std::atomic<TraceLog*> g_sinkOwner{nullptr};

void AppendToInstalled(const char* text) {
  if (TraceLog* log = g_sinkOwner.load()) log->AppendLine(text);
}

void ClearInstalled(const char*) {
  if (TraceLog* log = g_sinkOwner.load()) log->Clear();
}

bool IsAnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

}  // namespace

TraceLog::TraceLog() = default;

TraceLog::~TraceLog() {
  TraceLog* self = this;
  if (g_sinkOwner.compare_exchange_strong(self, nullptr)) SetTraceSink(nullptr, nullptr);
  Destroy();
}

bool TraceLog::Create(int showCommand) {
  if (!CreateModeless(IDD_TRACE, nullptr)) return false;
  created_ = true;
  list_ = Item(IDC_TRACE_LIST);
  // Lines waiting for this thread are bounded like the list itself: a hung
  // window costs its writers nothing and the process no more than the list.
  inbox_.Create([this](Pending& p) { OnPending(p); }, {}, static_cast<std::size_t>(maxLines_),
                budget_);
  RestorePosition();
  FitList();
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
  return true;
}

// While nobody can see the list it need not repaint for every line; shown,
// it draws what it holds.
void TraceLog::FollowVisibility(bool visible) {
  HWND list = list_ ? list_ : Item(IDC_TRACE_LIST);
  if (!list) return;
  SendMessageA(list, WM_SETREDRAW, visible ? TRUE : FALSE, 0);
  if (visible) InvalidateRect(list, nullptr, TRUE);
}

void TraceLog::InstallAsTraceSink() {
  g_sinkOwner.store(this);
  SetTraceSink(&AppendToInstalled, &ClearInstalled);
}

BOOL TraceLog::OnInitDialog() {
  FollowVisibility(IsWindowVisible(hwnd()) != FALSE);
  return TRUE;
}

bool TraceLog::AppendLine(const char* text) {
  HWND h = hwnd();
  if (!h) return false;
  if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId())
    return AppendOnOwnThread(text ? text : "");
  Pending line;
  line.text = trace::BoundedLine(
      std::string_view(text ? text : "", text ? strnlen(text, trace::kMaxLineChars + 1) : 0),
      trace::kMaxLineChars, &IsAnsiLeadByte);
  const std::size_t weight = line.text.size();
  return inbox_.Put(std::move(line), weight);
}

bool TraceLog::Clear() {
  HWND h = hwnd();
  if (!h) return true;
  if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId()) {
    // Lines still on their way were traced before this: they go first.
    inbox_.DeliverQueued();
    ClearOnOwnThread();
    return true;
  }
  Pending clear;
  clear.clear = true;
  inbox_.Put(std::move(clear), 0);
  return true;
}

void TraceLog::SetMaxLines(int maxLines) {
  maxLines_ = maxLines > 0 ? maxLines : 1;
  inbox_.SetBounds(static_cast<std::size_t>(maxLines_), budget_);
}

void TraceLog::SetBudget(std::size_t chars) {
  budget_ = chars > 0 ? chars : 1;
  inbox_.SetBounds(static_cast<std::size_t>(maxLines_), budget_);
}

void TraceLog::OnPending(Pending& pending) {
  if (pending.clear) ClearOnOwnThread();
  else AppendOnOwnThread(pending.text.c_str());
}

void TraceLog::ClearOnOwnThread() {
  if (list_) SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  chars_ = 0;
}

int TraceLog::LineCount() const {
  return list_ ? static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)) : 0;
}

bool TraceLog::AppendOnOwnThread(const char* text) {
  HWND list = list_;
  if (!list) return false;
  const std::string line = trace::BoundedLine(
      std::string_view(text, strnlen(text, trace::kMaxLineChars + 1)), trace::kMaxLineChars,
      &IsAnsiLeadByte);
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  while (count > 0 && (count >= maxLines_ || chars_ + line.size() > budget_)) {
    DropOldest(list);
    --count;
  }
  LRESULT at = SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(line.c_str()));
  if (at == LB_ERR || at == LB_ERRSPACE) return false;
  chars_ += line.size();
  count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  return SendMessageA(list, LB_SETCURSEL, count - 1, 0) != LB_ERR;
}

void TraceLog::DropOldest(HWND list) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, 0, 0);
  if (SendMessageA(list, LB_DELETESTRING, 0, 0) == LB_ERR) return;
  const std::size_t n = length > 0 ? static_cast<std::size_t>(length) : 0;
  chars_ = n < chars_ ? chars_ - n : 0;
}

bool TraceLog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_SIZE:
      if (created_) FitList();
      return false;
    case WM_SHOWWINDOW:
      FollowVisibility(wp != FALSE);
      return false;
    default:
      return false;
  }
}

void TraceLog::RestorePosition() {
  SettingsStore store;
  LONG left = 0, top = 0, right = 0, bottom = 0;
  if (!store.ReadTraceRect(left, top, right, bottom)) return;
  MoveWindow(hwnd(), left, top, right - left, bottom - top, TRUE);
}

void TraceLog::FitList() {
  HWND list = Item(IDC_TRACE_LIST);
  if (!list) return;
  RECT rc;
  GetClientRect(hwnd(), &rc);
  MoveWindow(list, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void TraceLog::OnDestroy() {
  TraceLog* self = this;
  if (g_sinkOwner.compare_exchange_strong(self, nullptr)) SetTraceSink(nullptr, nullptr);
  RECT rc;
  if (GetWindowRect(hwnd(), &rc)) {
    SettingsStore store;
    store.WriteTraceRect(rc.left, rc.top, rc.right, rc.bottom);
  }
  created_ = false;
  inbox_.Close();
  list_ = nullptr;
}

#pragma once
// The hidden "Tetherly Trace Messages" tool window: one list of lines that
// watchers, workers and sockets write to. Created hidden at start-up,
// destroyed at exit (which saves its rectangle for the next run).
//
// AppendLine/Clear may be called from any thread without waiting for the
// window's thread: from another thread the line (or the clearing) joins an
// inbox of the window's thread, which adds the lines whole, one at a time,
// in the order they came. A line traced just before a worker posts to a
// window of that thread is in the list before that message is handled.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "base/TraceBounds.h"
#include "win/Dialog.h"
#include "win/Inbox.h"

class TraceLog : public win::Dialog {
 public:
  // The list is bounded in lines and in characters (see base/TraceBounds.h);
  // the oldest lines go first, so a run of days stays bounded in memory.
  static constexpr int kDefaultMaxLines = trace::kMaxLines;

  TraceLog();
  ~TraceLog() override;

  // Creates the window from its template and shows it with `showCommand`
  // (SW_HIDE at start-up); restores the saved rectangle.
  bool Create(int showCommand);
  // From another thread: whether the line is on its way (it is bounded like
  // the list, so a window that stopped answering keeps only the newest).
  bool AppendLine(const char* text);
  bool Clear();
  int LineCount() const;
  // Characters held by the list, all lines together.
  std::size_t CharCount() const { return chars_; }
  void SetMaxLines(int maxLines);
  void SetBudget(std::size_t chars);

  // Routes TraceLine()/TraceClear() of any thread to this window.
  void InstallAsTraceSink();

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(hwnd(), SW_HIDE); }
  void OnDestroy() override;

 private:
  // A line from another thread, or (`clear`) the order to clear the list.
  struct Pending {
    std::string text;
    bool clear = false;
  };
  void OnPending(Pending& pending);
  bool AppendOnOwnThread(const char* text);
  void ClearOnOwnThread();
  void DropOldest(HWND list);
  void FollowVisibility(bool visible);
  void RestorePosition();
  void FitList();

  bool created_ = false;
  HWND list_ = nullptr;
  win::Inbox<Pending> inbox_;
  int maxLines_ = kDefaultMaxLines;
  std::size_t budget_ = trace::kBudgetChars;
  std::size_t chars_ = 0;
};

#pragma once
// The hidden "Tetherly Trace Messages" tool window: one list of lines that
// watchers, workers and sockets write to. Created hidden at start-up,
// destroyed at exit (which saves its rectangle for the next run).
//
// AppendLine/Clear may be called from any thread: they are carried out on
// the window's own thread by a message sent to a small window of that
// thread, so each line arrives whole and in order, and the caller returns
// once its line is in the list.
#include <windows.h>

#include <cstddef>
#include <memory>

#include "base/TraceBounds.h"
#include "win/Dialog.h"

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
  bool AppendLine(const char* text);
  bool Clear();
  int LineCount() const;
  // Characters held by the list, all lines together.
  std::size_t CharCount() const { return chars_; }
  void SetMaxLines(int maxLines) { maxLines_ = maxLines > 0 ? maxLines : 1; }
  void SetBudget(std::size_t chars) { budget_ = chars > 0 ? chars : 1; }

  // Routes TraceLine()/TraceClear() of any thread to this window.
  void InstallAsTraceSink();

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(hwnd(), SW_HIDE); }
  void OnDestroy() override;

 private:
  static constexpr UINT kAppendMessage = WM_APP + 200;
  static constexpr UINT kClearMessage = WM_APP + 201;

  class SinkWindow;
  bool AppendOnOwnThread(const char* text);
  void ClearOnOwnThread();
  void DropOldest(HWND list);
  void FollowVisibility(bool visible);
  void RestorePosition();
  void FitList();

  bool created_ = false;
  HWND list_ = nullptr;
  std::unique_ptr<SinkWindow> sink_;
  int maxLines_ = kDefaultMaxLines;
  std::size_t budget_ = trace::kBudgetChars;
  std::size_t chars_ = 0;
};

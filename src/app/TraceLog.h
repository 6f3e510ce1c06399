#pragma once
// The hidden "Tetherly Trace Messages" tool window: one list of lines that
// watchers, workers and sockets write to. Created hidden at start-up,
// destroyed at exit (which saves its rectangle for the next run).
//
// AppendLine/Clear may be called from any thread: they are carried out on
// the window's own thread by a sent message, so each line arrives whole and
// in order, and the caller returns once its line is in the list.
#include <windows.h>

#include "win/Dialog.h"

class TraceLog : public win::Dialog {
 public:
  // The list keeps at most this many lines; the oldest go first, so a run of
  // days stays bounded in memory.
  static constexpr int kDefaultMaxLines = 5000;

  TraceLog() = default;
  ~TraceLog() override;

  // Creates the window from its template and shows it with `showCommand`
  // (SW_HIDE at start-up); restores the saved rectangle.
  bool Create(int showCommand);
  bool AppendLine(const char* text);
  bool Clear();
  int LineCount() const;
  void SetMaxLines(int maxLines) { maxLines_ = maxLines > 0 ? maxLines : 1; }

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

  bool AppendOnOwnThread(const char* text);
  void RestorePosition();
  void FitList();

  bool created_ = false;
  int maxLines_ = kDefaultMaxLines;
};

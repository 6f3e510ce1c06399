#pragma once
// The "Tetherly! Help Wizard" notice (dialog 229): a text, an icon by
// message-box kind and a Help button that opens the help file at a topic.
// Modal; OK closes it. Like message boxes, notices can be answered by a
// handler instead of being shown (tests).
#include <windows.h>

#include <functional>

#include "win/Dialog.h"

namespace dialup {

// The four message-box icon kinds the notice knows.
inline constexpr UINT kNoticeStop = MB_ICONHAND;               // 16
inline constexpr UINT kNoticeQuestion = MB_ICONQUESTION;       // 32
inline constexpr UINT kNoticeExclamation = MB_ICONEXCLAMATION; // 48
inline constexpr UINT kNoticeInformation = MB_ICONASTERISK;    // 64

// The icon resource of a kind (information for an unknown kind).
int NoticeIconResource(UINT iconKind);

using NoticeHandler =
    std::function<void(HWND owner, const char* text, UINT iconKind, UINT helpTopic)>;

// Shows the notice modally (or hands it to the installed handler).
void ShowNotice(HWND owner, const char* text, UINT iconKind, UINT helpTopic);
// Installs a handler for the whole process; an empty one restores the
// dialog. Returns the handler it replaced.
NoticeHandler SetNoticeHandler(NoticeHandler handler);

class NoticeDlg : public win::Dialog {
 public:
  NoticeDlg(const char* text, UINT iconKind, UINT helpTopic)
      : text_(text), iconKind_(iconKind), helpTopic_(helpTopic) {}
  INT_PTR Run(HWND owner);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  const char* text_;
  UINT iconKind_;
  UINT helpTopic_;
};

}  // namespace dialup

#include "dialup/NoticeDlg.h"

#include <string>
#include <utility>

#include "res/resource.h"
#include "win/HelpFile.h"
#include "win/Lock.h"
#include "win/MessageBox.h"

namespace dialup {
namespace {

win::Lock& HandlerLock() {
  static win::Lock lock;
  return lock;
}

NoticeHandler& Handler() {
  static NoticeHandler handler;
  return handler;
}

}  // namespace

int NoticeIconResource(UINT iconKind) {
  switch (iconKind) {
    case kNoticeStop:
      return IDI_NOTICE_STOP;
    case kNoticeQuestion:
      return IDI_NOTICE_QUESTION;
    case kNoticeExclamation:
      return IDI_NOTICE_EXCLAMATION;
    default:
      return IDI_NOTICE_INFORMATION;
  }
}

void ShowNotice(HWND owner, const char* text, UINT iconKind, UINT helpTopic) {
  NoticeHandler handler;
  {
    win::LockGuard guard(HandlerLock());
    handler = Handler();
  }
  if (handler) {
    handler(owner, text ? text : "", iconKind, helpTopic);
    return;
  }
  NoticeDlg notice(text ? text : "", iconKind, helpTopic);
  notice.Run(owner);
}

NoticeHandler SetNoticeHandler(NoticeHandler handler) {
  win::LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

INT_PTR NoticeDlg::Run(HWND owner) { return RunModal(IDD_NOTICE, owner); }

BOOL NoticeDlg::OnInitDialog() {
  SetItemText(IDC_NOTICE_TEXT, text_);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(NoticeIconResource(iconKind_)));
  SendDlgItemMessageA(hwnd(), IDC_NOTICE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  return TRUE;
}

bool NoticeDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id != IDHELP) return win::Dialog::OnCommand(id, code, control);
  std::string problem;
  if (!win::OpenHelp(hwnd(), helpTopic_, problem))
    win::ShowMessageBox(hwnd(), problem.c_str(), "Tetherly!", MB_OK | MB_ICONINFORMATION);
  return true;
}

}  // namespace dialup

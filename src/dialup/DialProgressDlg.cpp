// The dial dialog: construction, its buttons, dialing, hanging up and the
// connection states the library reports.
#include "dialup/DialProgressDlg.h"

#include "base/Trace.h"
#include "dialup/DialTexts.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"

namespace dialup {

// Marks a wrapper call in progress. A box it shows runs a message loop, so
// the buttons, the tray and the countdown can reach the dialog meanwhile;
// they must not start a second dial or hang-up, and the states the library
// reports meanwhile wait until the call is over.
class DialProgressDlg::Busy {
 public:
  explicit Busy(DialProgressDlg& dlg) : dlg_(dlg) { ++dlg_.busy_; }
  ~Busy() {
    if (--dlg_.busy_ == 0) dlg_.ReplayDeferredStates();
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  DialProgressDlg& dlg_;
};

DialProgressDlg::DialProgressDlg(HWND controller, std::function<void(int)> setDialState)
    : controller_(controller), setDialState_(std::move(setDialState)) {}

DialProgressDlg::~DialProgressDlg() { Destroy(); }

bool DialProgressDlg::Create(int showCommand) {
  if (!CreateModeless(IDD_DIAL_PROGRESS, controller_)) return false;
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
  if (showCommand != SW_HIDE) SetForegroundWindow(hwnd());
  return true;
}

void DialProgressDlg::Show(bool visible) {
  if (!hwnd()) return;
  if (!visible) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
}

BOOL DialProgressDlg::OnInitDialog() {
  ras_.SetOwner(hwnd());
  if (store_.Read(settings::kModemMinimizeDialog) == 1)
    CheckDlgButton(hwnd(), IDC_DIAL_MINIMIZE, BST_CHECKED);
  HICON small = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                              MAKEINTRESOURCEA(IDI_DIALER_IDLE), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  SetStatusIcon(IDI_DIALER_IDLE);
  SetCaption(DialUpToCaption(ras_.ProfileName()));
  return TRUE;
}

bool DialProgressDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code != BN_CLICKED) return win::Dialog::OnCommand(id, code, control);
  switch (id) {
    case IDC_DIAL_DIAL:
      Dial();
      return true;
    case IDC_DIAL_HANG_UP:
      if (cancelButton_) CancelCountdown();
      else HangUp();
      return true;
    case IDC_DIAL_MINIMIZE:
      store_.Write(settings::kModemMinimizeDialog,
                   IsDlgButtonChecked(hwnd(), IDC_DIAL_MINIMIZE) == BST_CHECKED ? 1 : 0);
      return true;
    case IDC_DIAL_DONT_SHOW:
      store_.Write(settings::kModemPromptToDial,
                   IsDlgButtonChecked(hwnd(), IDC_DIAL_DONT_SHOW) == BST_CHECKED ? 0 : 1);
      return true;
    default:
      return win::Dialog::OnCommand(id, code, control);
  }
}

// The close box and Esc only hide the window.
void DialProgressDlg::OnOK() { ShowWindow(hwnd(), SW_HIDE); }
void DialProgressDlg::OnCancel() { ShowWindow(hwnd(), SW_HIDE); }

bool DialProgressDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == kDialAnnouncedMessage) {
    announcing_ = false;
    if (!busy_) ReplayDeferredStates();
    return true;
  }
  if (msg != kDialStateMessage) return false;
  OnDialState(static_cast<DWORD>(wp), static_cast<DWORD>(lp));
  return true;
}

void DialProgressDlg::Dial() {
  if (busy_ || dialing_ || !hwnd()) return;
  redial_.End();
  StartDial(false);
}

void DialProgressDlg::StartDial(bool automatic) {
  if (busy_ || dialing_ || !hwnd()) return;
  Busy busy(*this);
  // Dial during a countdown replaces the redial the countdown would make.
  if (cancelButton_ || IsTimerRunning(kCountdownTimer)) StopCountdown();
  // A monitor left from a line reported down must not take this dial for a drop.
  StopTimerMark(kLineMonitorTimer);

  userHangUp_ = false;
  const std::string profile = ras_.ProfileName();
  SetCaption(DialingCaption(profile));
  dialing_ = true;
  SetButtonsIdle(false);
  SetDialState(0);
  if (ras_.Dial(hwnd(), !automatic)) {
    if (!animating_) {
      StartTimerMark(kAnimationTimer, kAnimationMs);
      animating_ = true;
    }
    if (UseDialer()) PostEvent(kEventDialing);
    // The library may have reported already (a state posted while it was
    // starting the dial); what that state tells the controller must come
    // after "dialing started", so states wait until this message is through.
    announcing_ = true;
    PostMessageA(hwnd(), kDialAnnouncedMessage, 0, 0);
    return;
  }
  dialing_ = false;
  SetButtonsIdle(true);
  SetDialState(1);
  SetCaption(DialUpToCaption(profile));
  // Why it did not start has been shown, except a refusal of a redial: with
  // nobody at the screen a box would end the sequence, so it is shown here.
  const DWORD refusal = ras_.dialRefusal();
  if (!automatic || refusal == 0) return;
  const DWORD shown = RaisedErrorCode(refusal, 600);
  SetProgressText(ras_.DialUpErrorText(shown));
  const std::string text = progress_;
  OnDialFailed(text);
  RetryAfterFailure(shown, text);
}

void DialProgressDlg::HangUp() {
  if (busy_ || !hwnd()) return;
  redial_.End();
  if (cancelButton_ || IsTimerRunning(kCountdownTimer)) {
    CancelCountdown();
    return;
  }
  Busy busy(*this);
  const bool wasDialing = dialing_;
  userHangUp_ = true;
  dialing_ = false;
  if (!ras_.HangUpCurrent()) {
    // The line is as it was, and so is the dialog.
    dialing_ = wasDialing;
    return;
  }
  SetButtonsIdle(true);
  SetDialState(1);
  StopTimerMark(kCountdownTimer);
  StopTimerMark(kLineMonitorTimer);
  StopProgressTimers();
  SetStatusIcon(IDI_DIALER_IDLE);
  const std::string text = DisconnectedFromText(ras_.ProfileName());
  SetProgressText(text);
  SetCaption(text);
  if (UseDialer()) PostEvent(kEventEnded);
}

void DialProgressDlg::OnDialState(DWORD state, DWORD error) {
  if (busy_ || announcing_) {
    deferred_.emplace_back(state, error);
    return;
  }
  // A report after the dial ended (hung up, failed, line down) is late: a
  // late "Connected" must not start anything.
  if (!dialing_) return;
  Busy busy(*this);
  std::string text;
  DWORD shown = error;  // the error whose text is shown
  bool neverConnected = false;
  if (state == kStateAuthNotify) {
    shown = RaisedErrorCode(error, 599);
    text = error != 0 ? ras_.DialUpErrorText(shown) : ConnectionStateText(state);
  } else if (state == kStateDisconnected) {
    neverConnected = !IsTimerRunning(kLineMonitorTimer);
    LineDown();
    text = "Disconnected";
    // A line that never came up has no monitor to report its end.
    if (neverConnected && error == 0 && UseDialer()) PostEvent(kEventEnded);
  } else if (state == kStateConnected) {
    text = "Connected";
    OnConnected();
  } else {
    text = ConnectionStateText(state);
    if (!IsTimerRunning(kDotsTimer)) StartTimerMark(kDotsTimer, kDotsMs);
    if (error != 0) text = ras_.DialUpErrorText(error);
  }
  SetProgressText(text);
  if (error != 0) {
    text = progress_;
    OnDialFailed(text);
    RetryAfterFailure(shown, text);
  } else if (neverConnected) {
    RetryAfterFailure(0, text);
  }
}

void DialProgressDlg::OnConnected() {
  redial_.Connected();
  StopTimerMark(kAnimationTimer);
  animating_ = false;
  if (!IsTimerRunning(kBlinkTimer)) {
    blinkTicks_ = 0;
    blinkPhase_ = false;
    StartTimerMark(kBlinkTimer, kBlinkMs);
  }
  if (!IsTimerRunning(kMinimiseTimer)) StartTimerMark(kMinimiseTimer, kMinimiseMs);
  StopTimerMark(kDotsTimer);
  SetCaption(ConnectedToCaption(ras_.ProfileName()));
  if (UseDialer()) PostEvent(kEventConnected);
  if (!IsTimerRunning(kLineMonitorTimer)) StartTimerMark(kLineMonitorTimer, kLineMonitorMs);
}

void DialProgressDlg::OnDialFailed(const std::string& text) {
  dialing_ = false;
  StopProgressTimers();
  SetStatusIcon(IDI_NOTICE_EXCLAMATION);
  SetCaption(DialUpToCaption(ras_.ProfileName()));  // it no longer dials
  SetButtonsIdle(true);
  SetDialState(1);
  // The library wants the handle of a dial that ended in an error back.
  ras_.HangUpCurrent();
  TraceLine(("Dial-up error: " + text).c_str());
  if (UseDialer())
    SendMessageA(controller_, kDialEventMessage, kEventFailed, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialProgressDlg::RetryAfterFailure(DWORD code, const std::string& text) {
  if (!ReconnectOn()) return;
  const int pause = redial_.Failed(code);
  if (pause > 0) {
    StartCountdown(pause);
    return;
  }
  // The login was refused too often: the error stays, and why nothing follows.
  SetProgressText(RedialStoppedText(text));
  TraceLine("Redialing stopped: the login was refused three times in a row");
}

// State 8193 and the line monitor.
void DialProgressDlg::LineDown() {
  dialing_ = false;
  SetButtonsIdle(true);
  SetDialState(1);
  ras_.HangUpCurrent();
  StopProgressTimers();
  SetStatusIcon(IDI_DIALER_IDLE);
  const std::string profile = ras_.ProfileName();
  SetProgressText(DisconnectedFromText(profile));
  SetCaption(DialUpToCaption(profile));
}

void DialProgressDlg::ReplayDeferredStates() {
  std::vector<std::pair<DWORD, DWORD>> states;
  states.swap(deferred_);
  for (const auto& [state, error] : states) OnDialState(state, error);
}

void DialProgressDlg::SetStatusIcon(int iconId) {
  if (!hwnd()) return;
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
  SendDlgItemMessageA(hwnd(), IDC_DIAL_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void DialProgressDlg::SetProgressText(const std::string& text) {
  progress_ = text.substr(0, kProgressBytes - 1);
  if (hwnd()) SetItemText(IDC_DIAL_PROGRESS, progress_.c_str());
}

void DialProgressDlg::SetCaption(const std::string& text) {
  if (hwnd()) SetWindowTextA(hwnd(), text.c_str());
}

void DialProgressDlg::SetButtonsIdle(bool idle) {
  if (!hwnd()) return;
  EnableWindow(Item(IDC_DIAL_DIAL), idle ? TRUE : FALSE);
  EnableWindow(Item(IDC_DIAL_HANG_UP), idle ? FALSE : TRUE);
}

void DialProgressDlg::SetDialState(int state) {
  if (setDialState_) setDialState_(state);
}

bool DialProgressDlg::UseDialer() const { return store_.Read(settings::kModemUseDialer) == 1; }

bool DialProgressDlg::ReconnectOn() const { return store_.Read(settings::kModemReconnect) == 1; }

void DialProgressDlg::PostEvent(WPARAM event) {
  if (controller_) PostMessageA(controller_, kDialEventMessage, event, 0);
}

}  // namespace dialup

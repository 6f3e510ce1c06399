#include "app/KeepAliveTray.h"

#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"
#include "win/ResourceText.h"

namespace {

constexpr const char* kClassName = "Tetherly.KeepAliveTray";
constexpr const char* kTitle = "CKeepAliveTray";
constexpr UINT kNotifyFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

bool IsAnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

HICON LoadSmallIcon(int id) {
  // The tray draws 16 x 16; loading that size picks the icon's own small
  // image instead of a shrunken large one.
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

}  // namespace

CKeepAliveTray::~CKeepAliveTray() {
  // Destroy here, not in the base destructor: our handlers must still run.
  Destroy();
  FreeIcons();
}

bool CKeepAliveTray::Create(HWND controller) {
  if (hwnd()) return false;
  controller_ = controller;
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  LoadIcons();
  return win::Window::Create(kClassName, kTitle, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, 0, controller,
                             nullptr);
}

void CKeepAliveTray::LoadIcons() {
  FreeIcons();
  // A build without the pictures still shows something in the tray.
  fallbackIcon_ = LoadSmallIcon(IDI_MAIN);
  if (!fallbackIcon_) fallbackIcon_ = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  const int max = static_cast<int>(sizeof(icons_) / sizeof(icons_[0]));
  for (int i = 0; i < tray::IconIdCount() && iconCount_ < max; ++i) {
    int id = tray::IconIdAt(i);
    icons_[iconCount_++] = {id, LoadSmallIcon(id)};
  }
}

void CKeepAliveTray::FreeIcons() {
  for (int i = 0; i < iconCount_; ++i)
    if (icons_[i].icon) DestroyIcon(icons_[i].icon);
  iconCount_ = 0;
  // The system's own icon is shared and never destroyed; ours is not.
  HICON shared = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  if (fallbackIcon_ && fallbackIcon_ != shared) DestroyIcon(fallbackIcon_);
  fallbackIcon_ = nullptr;
}

HICON CKeepAliveTray::IconFor(int iconId) const {
  for (int i = 0; i < iconCount_; ++i)
    if (icons_[i].id == iconId) return icons_[i].icon ? icons_[i].icon : fallbackIcon_;
  return fallbackIcon_;
}

bool CKeepAliveTray::AddTrayIcon(int addLook) {
  const tray::Look* def = tray::FindLook(tray::LookForAddLook(addLook));
  if (!def) return false;
  look_ = def->number;
  icon_ = IconFor(def->iconId);
  tip_ = TipOf(*def, nullptr);
  added_ = true;
  return AddWithRetry();
}

void CKeepAliveTray::SetTrayLook(int look, const char* text) {
  const tray::Look* def = tray::FindLook(look);
  if (!def) return;
  if (def->tip != tray::Tip::kUnchanged) Show(def->number, IconFor(def->iconId), TipOf(*def, text));
  ApplyTimerEffects(def->timers);
}

bool CKeepAliveTray::RemoveTrayIcon() {
  added_ = false;
  shownValid_ = false;
  StopDeferredLook();
  return Notify(NIM_DELETE, kNotifyFlags) != FALSE;
}

void CKeepAliveTray::OnTaskbarCreated() {
  if (added_) AddWithRetry();
}

void CKeepAliveTray::Show(int look, HICON icon, const std::string& tip) {
  look_ = look;
  icon_ = icon;
  tip_ = tip;
  // Before the icon is added (or after it is removed) only remember the look.
  if (!added_) return;
  if (tray::IsShortLived(look)) {
    if (!deferTimer_ && hwnd())
      deferTimer_ = win::StartTimer(hwnd(), kShortLivedLookTimer, kShortLivedLookMs);
    if (deferTimer_) return;
  }
  // A wait under way is left to run out (its tick then finds nothing to
  // show): stopping and starting it for every exchange would cost more than
  // the tick.
  ShowNowIfChanged();
}

void CKeepAliveTray::ShowNowIfChanged() {
  if (shownValid_ && shownIcon_ == icon_ && shownTip_ == tip_) return;
  RememberShown(Notify(NIM_MODIFY, kNotifyFlags));
}

void CKeepAliveTray::StopDeferredLook() {
  if (deferTimer_ && hwnd()) KillTimer(hwnd(), kShortLivedLookTimer);
  deferTimer_ = 0;
}

// A call the shell refused leaves nothing known, so the next look is sent.
void CKeepAliveTray::RememberShown(BOOL ok) {
  shownValid_ = ok != FALSE;
  shownIcon_ = icon_;
  shownTip_ = tip_;
}

tray::DialerSettings CKeepAliveTray::ReadDialerSettings() {
  tray::DialerSettings s;
  s.oneStop = store_.Read(settings::kModemOneStop) == 1;
  s.modemUseDialer = store_.Read(settings::kModemUseDialer) == 1;
  if (s.modemUseDialer) store_.Read(settings::kModemProfile, s.profile);
  s.netZeroUseDialer = store_.Read(settings::kNetZeroUseDialer) == 1;
  return s;
}

std::string CKeepAliveTray::TipOf(const tray::Look& look, const char* given) {
  std::string tip;
  switch (look.tip) {
    case tray::Tip::kText:
      tip = LoadText(look.stringId, look.text);
      break;
    case tray::Tip::kIdlePrompt: {
      tray::TextRef prompt = tray::IdlePrompt(ReadDialerSettings());
      tip = LoadText(prompt.stringId, prompt.text);
      break;
    }
    case tray::Tip::kConnecting:
      tip = tray::ConnectionTip(false, ReadDialerSettings());
      break;
    case tray::Tip::kConnected:
      tip = tray::ConnectionTip(true, ReadDialerSettings());
      break;
    case tray::Tip::kGiven:
      if (given) tip = given;
      break;
    case tray::Tip::kUnchanged:
      return tip_;
  }
  return tray::CutTip(tip, &IsAnsiLeadByte);
}

std::string CKeepAliveTray::LoadText(int stringId, const char* fallback) const {
  if (stringId != 0) return win::LoadResourceText(static_cast<UINT>(stringId), fallback);
  return fallback ? fallback : "";
}

void CKeepAliveTray::ApplyTimerEffects(unsigned effects) {
  if (effects & tray::kStopDialAnimation) StopDialAnimation();
  if (effects & tray::kStopConnectBlink) StopConnectBlink();
  if (effects & tray::kStartDialAnimation) StartDialAnimation();
  if (effects & tray::kStartConnectBlink) StartConnectBlink();
}

void CKeepAliveTray::StartDialAnimation() {
  if (dialTimer_ || !hwnd()) return;
  dialTimer_ = win::StartTimer(hwnd(), kDialAnimationTimer, kDialAnimationMs);
}

void CKeepAliveTray::StopDialAnimation() {
  if (!dialTimer_) return;
  if (hwnd()) KillTimer(hwnd(), kDialAnimationTimer);
  dialTimer_ = 0;
}

void CKeepAliveTray::StartConnectBlink() {
  if (blinkTimer_ || !hwnd()) return;
  blinkTimer_ = win::StartTimer(hwnd(), kConnectBlinkTimer, kConnectBlinkMs);
}

void CKeepAliveTray::StopConnectBlink() {
  if (blinkTimer_ && hwnd()) KillTimer(hwnd(), kConnectBlinkTimer);
  blinkTimer_ = 0;
  // A blink cut short must not shorten the next one.
  blinkCount_ = 0;
}

void CKeepAliveTray::OnDialAnimationTick() {
  SetTrayLook(tray::DialFrameLook(dialFrame_));
  dialFrame_ = tray::NextDialFrame(dialFrame_);
}

void CKeepAliveTray::OnConnectBlinkTick() {
  tray::BlinkStep step = tray::BlinkTick(blinkCount_);
  SetTrayLook(step.look);
  if (!step.done) return;
  KillTimer(hwnd(), kConnectBlinkTimer);
  blinkTimer_ = 0;
  if (controller_) PostMessageA(controller_, kDialEventMessage, kDialConfirmed, 0);
}

bool CKeepAliveTray::AddWithRetry() {
  StopDeferredLook();
  shownValid_ = false;
  for (int attempt = 0; attempt < kAddAttempts; ++attempt) {
    if (attempt > 0) win::SleepMs(kAddRetryMs);
    // The shell may already hold it: a re-created shell that kept it, an add
    // that timed out but went through, or the same broadcast seen twice.
    if (Notify(NIM_ADD, kNotifyFlags) || Notify(NIM_MODIFY, kNotifyFlags)) {
      RememberShown(TRUE);
      return true;
    }
  }
  return false;
}

BOOL CKeepAliveTray::Notify(DWORD action, UINT flags) {
  NOTIFYICONDATAA nid = {};
  // The first-version layout: owner, id, flags, message, icon, 64-byte tip.
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = Owner();
  nid.uID = kIconId;
  nid.uFlags = flags;
  nid.uCallbackMessage = kNotifyMessage;
  nid.hIcon = icon_;
  lstrcpynA(nid.szTip, tip_.c_str(), static_cast<int>(tray::kMaxTipChars + 1));
  BOOL ok = shell_ ? shell_(action, &nid) : Shell_NotifyIconA(action, &nid);
  lastNotify_.action = action;
  lastNotify_.result = ok;
  lastNotify_.data = nid;
  return ok;
}

HWND CKeepAliveTray::Owner() const { return controller_ ? controller_ : hwnd(); }

bool CKeepAliveTray::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_TIMER) {
    // A tick already queued when its timer was stopped is ignored.
    if (wp == kDialAnimationTimer && dialTimer_) {
      OnDialAnimationTick();
    } else if (wp == kConnectBlinkTimer && blinkTimer_) {
      OnConnectBlinkTick();
    } else if (wp == kShortLivedLookTimer && deferTimer_) {
      StopDeferredLook();
      if (added_ && tray::IsShortLived(look_)) ShowNowIfChanged();
    }
    result = 0;
    return true;
  }
  if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
    OnTaskbarCreated();
    result = 0;
    return true;
  }
  if (msg == WM_DESTROY) {
    // Nobody is left to keep the icon up to date.
    if (added_) RemoveTrayIcon();
    StopDialAnimation();
    StopConnectBlink();
    StopDeferredLook();
  }
  return false;
}

void CKeepAliveTray::OnFinalDestroy() {
  dialTimer_ = 0;
  blinkTimer_ = 0;
  deferTimer_ = 0;
}

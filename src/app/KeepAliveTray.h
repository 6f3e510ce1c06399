#pragma once
// The notification-area icon and the hidden window that runs its two
// animations. Lifecycle: the controller creates it at initialisation
// (Create), adds the icon once (AddTrayIcon), changes its look while the
// program runs (SetTrayLook), removes it at exit (RemoveTrayIcon) and then
// destroys the window. The icon's mouse messages go to the controller window,
// not here. Everything runs on the user-interface thread.
//
// Every change of look is a cross-process call into the shell, so the tray
// gives the shell only what changes what it shows: a look with the picture
// and tooltip already shown costs nothing, and the short-lived looks of an
// exchange in progress (sending, receiving) wait kShortLivedLookMs on timer 8
// and are shown only if they still stand then. Every other look reaches the
// shell at once, so the look that ends a cycle is always shown.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>

#include "app/TrayLooks.h"
#include "base/DialEvents.h"
#include "settings/SettingsStore.h"
#include "win/Window.h"

class CKeepAliveTray : public win::Window {
 public:
  static constexpr UINT kIconId = 32517;
  static constexpr UINT kNotifyMessage = WM_APP + 1;      // 32769, to the controller
  static constexpr UINT kDialEventMessage = dial_event::kMessage;  // to the controller
  static constexpr WPARAM kDialConfirmed = dial_event::kConfirmed;
  static constexpr UINT_PTR kDialAnimationTimer = 6;
  static constexpr UINT_PTR kConnectBlinkTimer = 7;
  static constexpr DWORD kDialAnimationMs = 150;
  static constexpr DWORD kConnectBlinkMs = 250;
  static constexpr UINT_PTR kShortLivedLookTimer = 8;
  static constexpr DWORD kShortLivedLookMs = 250;

  CKeepAliveTray() = default;
  ~CKeepAliveTray() override;

  // The hidden window, owned by the controller; never shown. Loads the
  // pictures of every look.
  bool Create(HWND controller);

  // Adds the icon with add look 8 (stopped), 9 (running) or 10 (awaiting a
  // connection). Returns whether the shell took it.
  bool AddTrayIcon(int addLook);
  // Changes picture and tooltip; `text` is the tooltip of look 27. A number
  // that is not a look changes nothing.
  void SetTrayLook(int look, const char* text = nullptr);
  bool RemoveTrayIcon();
  // The shell's notification area was re-created: add the icon again exactly
  // as it looked. The controller forwards the broadcast it receives; the
  // message reaching this window does the same.
  void OnTaskbarCreated();

  // State, for the controller's diagnostics and for tests.
  int CurrentLook() const { return look_; }
  const char* Tooltip() const { return tip_.c_str(); }
  HICON CurrentIcon() const { return icon_; }
  bool IsIconAdded() const { return added_; }
  bool IsDialAnimationRunning() const { return dialTimer_ != 0; }
  bool IsConnectBlinkRunning() const { return blinkTimer_ != 0; }
  // A short-lived look is waiting to be shown.
  bool IsLookDeferred() const { return deferTimer_ != 0 && tray::IsShortLived(look_); }
  // The picture loaded for a resource number (a stand-in when it is missing).
  HICON IconFor(int iconId) const;

  // The last call to the shell: what was asked, with what, and its answer.
  struct NotifyCall {
    DWORD action = 0;  // NIM_ADD, NIM_MODIFY or NIM_DELETE
    BOOL result = FALSE;
    NOTIFYICONDATAA data = {};
  };
  const NotifyCall& LastNotify() const { return lastNotify_; }
  // Tests stand in for a shell that is not ready yet; empty restores the real one.
  using ShellNotify = std::function<BOOL(DWORD action, NOTIFYICONDATAA* data)>;
  void SetShellForTest(ShellNotify shell) { shell_ = std::move(shell); }

  // How often and how long NIM_ADD is tried while the shell is not ready.
  static constexpr int kAddAttempts = 5;
  static constexpr DWORD kAddRetryMs = 200;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnFinalDestroy() override;

 private:
  struct LoadedIcon {
    int id;
    HICON icon;
  };

  void LoadIcons();
  void FreeIcons();
  tray::DialerSettings ReadDialerSettings();
  std::string TipOf(const tray::Look& look, const char* given);
  std::string LoadText(int stringId, const char* fallback) const;
  void ApplyTimerEffects(unsigned effects);
  void StartDialAnimation();
  void StopDialAnimation();
  void StartConnectBlink();
  void StopConnectBlink();
  void OnDialAnimationTick();
  void OnConnectBlinkTick();
  void Show(int look, HICON icon, const std::string& tip);
  void ShowNowIfChanged();
  void StopDeferredLook();
  void RememberShown(BOOL ok);
  bool AddWithRetry();
  BOOL Notify(DWORD action, UINT flags);
  HWND Owner() const;

  HWND controller_ = nullptr;
  SettingsStore store_;
  LoadedIcon icons_[32] = {};
  int iconCount_ = 0;
  HICON fallbackIcon_ = nullptr;

  int look_ = 0;
  HICON icon_ = nullptr;
  std::string tip_;
  bool added_ = false;
  // What the shell was last given successfully.
  bool shownValid_ = false;
  HICON shownIcon_ = nullptr;
  std::string shownTip_;
  UINT_PTR deferTimer_ = 0;

  UINT_PTR dialTimer_ = 0;
  int dialFrame_ = 0;
  UINT_PTR blinkTimer_ = 0;
  int blinkCount_ = 0;

  UINT taskbarCreated_ = 0;
  NotifyCall lastNotify_;
  ShellNotify shell_;
};

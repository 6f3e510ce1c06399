// The CompuServe 2000 scans of controller timer 14, its launch and sign-on.
#include "watchers/Cs2000Watcher.h"

#include <vector>

#include "base/Trace.h"
#include "res/resource_watchers.h"
#include "settings/SettingsSchema.h"
#include "watchers/LaunchParameters.h"
#include "watchers/MatchRules.h"
#include "watchers/PromptScan.h"
#include "watchers/ShellLaunch.h"
#include "watchers/ShellLaunchError.h"
#include "watchers/SignOn.h"
#include "watchers/WindowPress.h"
#include "win/ResourceText.h"

namespace watch {
namespace {

struct ChildRow {
  settings::DwordSetting enable;
  settings::StringSetting title;
  bool doneWhenUnset;  // an unreadable title means nothing to close
};

constexpr ChildRow kChildren[Cs2000Watcher::kChildCount] = {
    {settings::kCsKillChildOne, settings::kCsChildOneTitle, false},  // "Contacts" when unset
    {settings::kCsKillChildTwo, settings::kCsChildTwoTitle, true},
    {settings::kCsKillChildThree, settings::kCsChildThreeTitle, true},
    {settings::kCsKillChildFour, settings::kCsChildFourTitle, true},
};

constexpr const char* kFailedTitle = "The Connection Failed";

HWND FindMdiClient() {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  return frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
}

}  // namespace

Cs2000Watcher::Cs2000Watcher(WatcherEnv env, PromptFlags& prompts)
    : env_(std::move(env)), prompts_(prompts) {}

void Cs2000Watcher::ScanCS2000Timer() {
  ScanTimerPrompts(kCs2000TimerProfile, cs2000Seen_, prompts_, store_, env_);
}

void Cs2000Watcher::ScanCS2000Gadgets() {
  if (!FindWindowA("AOL Frame25", nullptr)) {
    for (long& done : childDone_) done = 0;
    return;
  }
  bool allDone = true;
  for (long done : childDone_) allDone = allDone && done != 0;
  if (allDone) return;  // advertisements rest too
  HWND mdi = FindMdiClient();
  if (!mdi) return;

  // Each configured window is closed once per session.
  for (int row = 0; row < kChildCount; ++row)
    if (!childDone_[row]) childDone_[row] = CloseChild(row, mdi);

  if (store_.Read(settings::kCsKillAdvertisement) != 1) return;
  if (HWND modal = FindWindowA("_AOL_Modal", nullptr)) EnumChildWindows(modal, EnumCS2000AdBtnFunc, 0);
  if (HWND child = FindWindowA("AOL Child", nullptr)) EnumChildWindows(child, EnumCS2000AdBtnFunc, 0);
  if (HWND child = FindWindowExA(mdi, nullptr, "AOL Child", nullptr))
    EnumChildWindows(child, EnumCS2000AdBtnFunc, 0);
}

long Cs2000Watcher::CloseChild(int row, HWND mdi) {
  const ChildRow& c = kChildren[row];
  if (store_.Read(c.enable) == 0) return 1;
  std::string title;
  // The store's own read result decides, not the pages' default text.
  if (!store_.Read(c.title, title) && c.doneWhenUnset) return 1;
  HWND window = FindWindowExA(mdi, nullptr, "AOL Child", title.c_str());
  if (!window) return 0;
  SendClose(window);
  return 1;
}

void Cs2000Watcher::ScanCS2000FailedDialog() {
  HWND dialog = FindWindowA("#32770", kFailedTitle);
  if (!dialog) return;
  EnumChildWindows(dialog, EnumOKBtnFunc, 0);
  SignOn(BoxPlace::kAside);  // see ScanCS2000ConnectionFailed
}

void Cs2000Watcher::ScanCS2000ConnectionFailed() {
  HWND mdi = FindMdiClient();
  if (!mdi) return;
  HWND failed = FindWindowExA(mdi, nullptr, "AOL Child", kFailedTitle);
  if (!failed) return;
  EnumChildWindows(failed, EnumOKBtnFunc, 0);
  // Returns at once while another sign-on runs. The box must not hold the
  // watcher thread: the next scans go on while the user reads it.
  SignOn(BoxPlace::kAside);
}

void Cs2000Watcher::LaunchCS2000() {
  if (env_.waits->Ended()) return;  // asked for before Exit, reached after it
  DWORD signOn = 0;
  store_.ReadFlag(settings::kCsSignOn, signOn);
  DWORD useName = 0;
  std::string name;
  std::vector<std::string> names;
  store_.ReadScreenNames(settings::SignOnClient::Cs, useName, name, names);
  DWORD launch = 0;
  std::string path;
  store_.ReadBrowserLaunch(settings::SignOnClient::Cs, launch, path);
  // A name that cannot go on the command line as it is goes as if it were not set.
  if (useName == 1 && !PassableArgument(name)) {
    TraceLine(NotPassedTrace("CS2000 screen name").c_str());
    useName = 0;
  }

  const INT_PTR result = StartProgram(GetDesktopWindow(), path,
                                      BuildCs2000Parameters(signOn == 1, useName == 1, name), nullptr,
                                      SW_SHOW);
  if (ShellLaunchFailed(result)) {
    ShowShellLaunchError(result, win::LoadResourceText(IDS_CS_LAUNCH_ERROR_CAPTION, "CS Browser Error"),
                         env_.boxes);
    return;
  }
  if (signOn == 1 && useName == 0) SignOnCS2000();
}

void Cs2000Watcher::SignOnCS2000() { SignOn(BoxPlace::kHere); }

void Cs2000Watcher::SignOn(BoxPlace boxPlace) {
  if (RunSignOn() == SignOnEnd::kNoClient)
    ShowCannotSignOn(
        env_, IDS_CS_CANNOT_SIGN_ON,
        "Tetherly! cannot sign-on to CS on behalf of you, please check your program settings",
        boxPlace);
}

SignOnEnd Cs2000Watcher::RunSignOn() {
  return RunClientSignOn(
      signOnRunning_, *env_.waits,
      [](HWND mdi) { return FindWindowExA(mdi, nullptr, "AOL Child", "Connect to CompuServe"); },
      [](HWND connect) { EnumChildWindows(connect, EnumCS2000ConnectBtnFunc, 0); });
}

BOOL CALLBACK EnumCS2000ConnectBtnFunc(HWND child, LPARAM) {
  if (MatchExact(ReadText(child, kShortTextBuffer), "CONNECT")) SpacePress(child);
  return TRUE;
}

BOOL CALLBACK EnumCS2000AdBtnFunc(HWND child, LPARAM) {
  if (!IsRefusalButton(RefusalList::Cs2000, ReadText(child), ReadClass(child))) return TRUE;
  const POINT p = ClickPointInside(child);
  ClickAt(child, p.x, p.y);
  SpacePress(child);
  return FALSE;
}

}  // namespace watch

#include "watchers/PromptScan.h"

#include <string>

#include "base/Trace.h"
#include "watchers/MatchRules.h"
#include "watchers/WindowPress.h"

namespace watch {
namespace {

constexpr int kLookWithAol = 9, kLookAolGone = 10, kLookWithCs2000 = 29, kLookCs2000Gone = 30;

PromptFlags& FlagsOf(LPARAM lp) { return *reinterpret_cast<PromptFlags*>(lp); }

// Both presses go out; true when the client took either.
bool FocusSpacePressTwice(HWND child) {
  const bool first = FocusSpacePress(child);
  const bool second = FocusSpacePress(child);
  return first || second;
}

void EnumerateChildren(HWND parent, WNDENUMPROC callback, PromptFlags& prompts) {
  if (parent) EnumChildWindows(parent, callback, reinterpret_cast<LPARAM>(&prompts));
}

}  // namespace

const TimerScanProfile kAolTimerProfile = {
    kLookWithAol,
    kLookAolGone,
    settings::kAolTimerTitle,
    "America Online Timer",
    "Found ***America Online Timer*** Window",
    "America Online Timer",
};

const TimerScanProfile kCs2000TimerProfile = {
    kLookWithCs2000,
    kLookCs2000Gone,
    settings::kCsTimerTitle,
    "CompuServe 2000 Timer",
    "Found ***CS2000 Timer*** Window",
    "CompuServe 2000",
};

// A flag is cleared only by a press the client took: a press that did not
// arrive leaves the prompt to be answered on a later scan.
BOOL CALLBACK EnumAOLModalBtnFunc(HWND child, LPARAM lp) {
  PromptFlags& flags = FlagsOf(lp);
  std::string text;
  TryReadText(child, text);
  if (IsModalPrompt(text)) flags.modal = 1;
  if (MatchContains(text, "Yes")) SpacePress(child);
  if (flags.modal) {
    const std::string caption = ReadCaption(child);
    if (MatchExact(caption, "Yes") && FocusSpacePressTwice(child)) flags.modal = 0;
    if (MatchExactAnyCase(caption, "OK") && FocusSpacePressTwice(child)) flags.modal = 0;
  }
  return TRUE;
}

BOOL CALLBACK EnumAOLPaletteBtnFunc(HWND child, LPARAM lp) {
  PromptFlags& flags = FlagsOf(lp);
  std::string text;
  TryReadText(child, text);
  if (IsOnlinePrompt(text)) flags.palette = 1;
  if (MatchExact(text, "OK")) SpacePress(child);
  if (flags.palette && MatchExactAnyCase(ReadCaption(child), "OK") && FocusSpacePressTwice(child))
    flags.palette = 0;
  return TRUE;
}

BOOL CALLBACK EnumAOLTimerBtnFunc(HWND child, LPARAM lp) {
  PromptFlags& flags = FlagsOf(lp);
  std::string text;
  const bool read = TryReadText(child, text);
  const std::string cls = ReadClass(child);
  // A text the client did not give is not traced as its text.
  if (read) TraceLine((cls + " : " + text).c_str());
  if (IsOnlinePrompt(text)) flags.timer = 1;
  if (MatchExact(cls, "_AOL_Icon") && SpacePress(child)) flags.timer = 0;
  if (MatchExact(text, "OK") && flags.timer == 1 && SpacePress(child)) flags.timer = 0;
  return TRUE;
}

BOOL CALLBACK EnumOKBtnFunc(HWND child, LPARAM) {
  if (MatchExact(ReadText(child, kShortTextBuffer), "OK")) SpacePress(child);
  return TRUE;
}

void ScanTimerPrompts(const TimerScanProfile& profile, long& seen, PromptFlags& prompts,
                      const SettingsStore& store, const WatcherEnv& env) {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  if (frame) {
    env.SetLook(profile.foundLook);
    seen = 1;
  } else if (seen) {
    env.SetLook(profile.goneLook);
  }

  EnumerateChildren(FindWindowA("_AOL_Modal", nullptr), EnumAOLModalBtnFunc, prompts);

  std::string title;
  store.Read(profile.timerTitle, title);  // the default title when unreadable

  // Three lookups on their own: one palette may be enumerated three times.
  EnumerateChildren(FindWindowA("_AOL_Palette", title.c_str()), EnumAOLPaletteBtnFunc, prompts);
  EnumerateChildren(FindWindowA("_AOL_Palette", profile.fixedTitle), EnumAOLPaletteBtnFunc, prompts);
  EnumerateChildren(FindWindowA("_AOL_Palette", nullptr), EnumAOLPaletteBtnFunc, prompts);

  if (!frame) return;
  HWND mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  if (!mdi) return;
  if (HWND timer = FindWindowExA(mdi, nullptr, "AOL Child", profile.fixedTitle)) {
    TraceLine(profile.foundTrace);
    EnumerateChildren(timer, EnumAOLTimerBtnFunc, prompts);
  }
  if (!MatchExact(title, profile.secondLookupUnless)) {
    if (HWND timer = FindWindowExA(mdi, nullptr, "AOL Child", title.c_str())) {
      TraceLine((std::string(profile.foundTrace) + " using Timer Title : " + title).c_str());
      EnumerateChildren(timer, EnumAOLTimerBtnFunc, prompts);
    }
  }
}

}  // namespace watch

#pragma once
// The idle-prompt scan shared by the AOL and CompuServe 2000 watchers (both
// clients are built on the same window framework): the modal dialog, the
// floating timer palettes and the timer child window of the main frame, each
// enumerated with its callback. The callbacks take the shared PromptFlags as
// their extra argument.
#include <windows.h>

#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "watchers/WatcherEnv.h"

namespace watch {

// Children of an "_AOL_Modal" window: a text containing "Yes" is pressed; once
// a prompt was seen, a caption (15 characters) of exactly "Yes" or "OK" in
// any case is focus-pressed twice and the prompt flag cleared.
BOOL CALLBACK EnumAOLModalBtnFunc(HWND child, LPARAM promptFlags);
// Children of an "_AOL_Palette" window: exactly "OK" is pressed; once a
// prompt was seen, a caption of "OK" in any case is focus-pressed twice.
BOOL CALLBACK EnumAOLPaletteBtnFunc(HWND child, LPARAM promptFlags);
// Children of the timer child window: each traced as "<class> : <text>";
// every "_AOL_Icon" is pressed, and "OK" while a prompt was seen.
BOOL CALLBACK EnumAOLTimerBtnFunc(HWND child, LPARAM promptFlags);
// Presses a child whose text (64 bytes) is exactly "OK". Extra not used.
BOOL CALLBACK EnumOKBtnFunc(HWND child, LPARAM unused);

// What differs between the clients' timer scans.
struct TimerScanProfile {
  int foundLook;                        // tray look while the main frame is there
  int goneLook;                         // after it was seen and is gone
  settings::StringSetting timerTitle;   // with the default used when unreadable
  const char* fixedTitle;               // the palette and timer child's own title
  const char* foundTrace;               // trace line when the timer child is found
  const char* secondLookupUnless;       // the configured title is looked up unless equal
};

extern const TimerScanProfile kAolTimerProfile;
extern const TimerScanProfile kCs2000TimerProfile;

// One scan (user-interface thread). `seen` is the client's seen flag: set
// when the main frame is found, never cleared.
void ScanTimerPrompts(const TimerScanProfile& profile, long& seen, PromptFlags& prompts,
                      const SettingsStore& store, const WatcherEnv& env);

}  // namespace watch

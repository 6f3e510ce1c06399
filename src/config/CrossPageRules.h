#pragma once
// The rules that switch one way of working off when the user picks another,
// writing at once. Each consults the other page when it is initialised and
// the store otherwise, and returns true when every write it made worked.
#include "settings/SettingsStore.h"

struct PageSet;

namespace rules {

// The ISP dialer page's "Use Tetherly Dialer for your ISP" off: "Use Dialer"
// and "One Stop Connection" = 0. The NetZero page's form also clears "Auto
// dial your ISP when program starts" ("Dial At Startup" = 0) and then writes
// "Connection" = 1 in any case.
bool IspDialerOff(PageSet& pages, SettingsStore& store, bool netZeroForm);
// "Tetherly! with NetZero" off: "Stay Online", "Use Dialer", "Tray Dial" = 0.
// The ISP dialer page's form also clears NetZero "Dial At Startup".
bool NetZeroOff(PageSet& pages, SettingsStore& store, bool dialerForm);
bool AttOff(PageSet& pages, SettingsStore& store);
// "Tetherly! with MSN" off; the MSN page's other controls follow its box.
bool MsnOff(PageSet& pages, SettingsStore& store);
// One of AOL and CompuServe 2000: checking one sign-on page turns the other off.
bool AolOff(PageSet& pages, SettingsStore& store);
bool CsOff(PageSet& pages, SettingsStore& store);

// Whether the Program Settings page must keep "Manual": the program dials
// itself, or launches a client, at start-up.
bool ConnectionLocked(const PageSet* pages, const SettingsStore& store);

}  // namespace rules

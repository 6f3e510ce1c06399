#include "config/CrossPageRules.h"

#include "config/CPageATTOptionsDlg.h"
#include "config/CPageAOLOptionsDlg.h"
#include "config/CPageCSOptionsDlg.h"
#include "config/CPageISPDialerDlg.h"
#include "config/CPageMSNOptionsDlg.h"
#include "config/CPageNZOptionsDlg.h"
#include "config/PageSet.h"

namespace rules {
namespace {

template <typename PageT>
bool Usable(const PageT* page) {
  return page && page->hwnd() && page->IsInitialised();
}

bool IsOn(const SettingsStore& store, const settings::DwordSetting& setting) {
  return store.Read(setting) == 1;
}

}  // namespace

bool IspDialerOff(PageSet& pages, SettingsStore& store, bool netZeroForm) {
  bool on = false;
  if (Usable(pages.dialer)) {
    on = pages.dialer->IsDialerChecked();
    if (on) pages.dialer->SwitchOff(netZeroForm);
  } else {
    on = IsOn(store, settings::kModemUseDialer);
  }
  bool ok = true;
  if (on) {
    ok = store.Write(settings::kModemUseDialer, 0) && ok;
    ok = store.Write(settings::kModemOneStop, 0) && ok;
    if (netZeroForm) ok = store.Write(settings::kModemDialAtStartup, 0) && ok;
  }
  if (netZeroForm) ok = store.Write(settings::kConnection, settings::kConnectionManual) && ok;
  return ok;
}

bool NetZeroOff(PageSet& pages, SettingsStore& store, bool dialerForm) {
  bool on = false;
  if (Usable(pages.netZero)) {
    on = pages.netZero->IsNetZeroChecked();
    if (on) pages.netZero->SwitchOff(dialerForm);
  } else {
    on = IsOn(store, settings::kNetZeroStayOnline);
  }
  if (!on) return true;
  bool ok = store.Write(settings::kNetZeroStayOnline, 0);
  ok = store.Write(settings::kNetZeroUseDialer, 0) && ok;
  ok = store.Write(settings::kNetZeroTrayDial, 0) && ok;
  if (dialerForm) ok = store.Write(settings::kNetZeroDialAtStartup, 0) && ok;
  return ok;
}

namespace {

// A page with one box for working with something: switched off on the page
// when it is there, and its stored flag written 0 when it was on.
template <typename PageT, typename IsOnFn>
bool FlagOff(PageT* page, IsOnFn isOn, SettingsStore& store, const settings::DwordSetting& flag) {
  const bool usable = Usable(page);
  const bool on = usable ? isOn(*page) : IsOn(store, flag);
  if (!on) return true;
  if (usable) page->SwitchOff();
  return store.Write(flag, 0);
}

// Launching the client at start-up, judged from its page or the store.
template <typename PageT>
bool LaunchesAtStartup(const PageT* page, const SettingsStore& store, const settings::DwordSetting& atStartup,
                       const settings::DwordSetting& stayOnline, const settings::DwordSetting& launch) {
  if (Usable(page)) return page->IsAtStartup() && page->IsStayOnline() && page->IsLaunch();
  return IsOn(store, atStartup) && IsOn(store, stayOnline) && IsOn(store, launch);
}

}  // namespace

bool AttOff(PageSet& pages, SettingsStore& store) {
  return FlagOff(pages.att, [](const CPageATTOptionsDlg& p) { return p.IsAttChecked(); }, store,
                 settings::kAttStayOnline);
}

bool MsnOff(PageSet& pages, SettingsStore& store) {
  return FlagOff(pages.msn, [](const CPageMSNOptionsDlg& p) { return p.IsMsnChecked(); }, store,
                 settings::kMsnStayOnline);
}

bool AolOff(PageSet& pages, SettingsStore& store) {
  return FlagOff(pages.aolOptions, [](const CSignOnPage& p) { return p.IsStayOnline(); }, store,
                 settings::kAolStayOnline);
}

bool CsOff(PageSet& pages, SettingsStore& store) {
  return FlagOff(pages.csOptions, [](const CSignOnPage& p) { return p.IsStayOnline(); }, store,
                 settings::kCsStayOnline);
}

bool ConnectionLocked(const PageSet* pages, const SettingsStore& store) {
  static const PageSet kNone;
  const PageSet& p = pages ? *pages : kNone;
  const bool dialer = Usable(p.dialer) ? p.dialer->IsDialerChecked() : IsOn(store, settings::kModemUseDialer);
  const bool netZero = Usable(p.netZero)
                           ? p.netZero->IsNetZeroChecked() && p.netZero->IsUseDialerChecked()
                           : store.Read(settings::kNetZeroStayOnline) != 0 &&
                                 store.Read(settings::kNetZeroUseDialer) != 0;
  const bool aol = LaunchesAtStartup(p.aolOptions, store, settings::kAolDialAtStartup,
                                     settings::kAolStayOnline, settings::kAolLaunchBrowser);
  const bool cs = LaunchesAtStartup(p.csOptions, store, settings::kCsDialAtStartup,
                                    settings::kCsStayOnline, settings::kCsLaunchBrowser);
  return dialer || netZero || aol || cs;
}

}  // namespace rules

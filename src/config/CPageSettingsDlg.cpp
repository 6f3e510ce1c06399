#include "config/CPageSettingsDlg.h"

#include <shellapi.h>

#include "config/CrossPageRules.h"
#include "res/resource.h"

namespace {

constexpr long kLowestMinutes = 1, kHighestMinutes = 999;
constexpr DWORD kDefaultMinutes = 4;
constexpr const char* kWebPage = "http://www.quillmark.com/tetherly/";
constexpr int kLockedControls[] = {IDC_SET_MANUAL, IDC_SET_AUTO, IDC_SET_MANUAL_TEXT, IDC_SET_AUTO_TEXT};
constexpr int kMinuteControls[] = {IDC_SET_MINUTES, IDC_SET_MINUTES_LABEL, IDC_SET_MINUTES_UNIT};

}  // namespace

CPageSettingsDlg::CPageSettingsDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_SETTINGS, store, pages) {}

bool CPageSettingsDlg::OnLoad() {
  LimitText(IDC_SET_MINUTES, 3);
  ShowStored();
  return true;
}

void CPageSettingsDlg::ShowStored() {
  connection_ = store_.Read(settings::kConnection) == settings::kConnectionAutoNetSense
                    ? settings::kConnectionAutoNetSense
                    : settings::kConnectionManual;
  Loaded(settings::kConnection, connection_);
  SetChecked(IDC_SET_MANUAL, connection_ == settings::kConnectionManual);
  SetChecked(IDC_SET_AUTO, connection_ == settings::kConnectionAutoNetSense);
  ApplyLock();
  const bool simulate = store_.Read(settings::kSimulateMouse) == 1;
  SetChecked(IDC_SET_MOUSE, simulate);
  Loaded(settings::kSimulateMouse, simulate ? 1 : 0);
  DWORD minutes = store_.Read(settings::kMouseTimer);
  if (minutes == 0) minutes = kDefaultMinutes;
  SetItemText(IDC_SET_MINUTES, std::to_string(minutes).c_str());
  Loaded(settings::kMouseTimer, minutes);
  EnableMinutes();
  const bool winStart = store_.Read(settings::kWinStart) == 1;
  SetChecked(IDC_SET_WINSTART, winStart);
  Loaded(settings::kWinStart, winStart ? 1 : 0);
  const DWORD splash = store_.Read(settings::kSplashScreen) == 0 ? 0 : 1;
  SetChecked(IDC_SET_SPLASH, splash == 0);
  Loaded(settings::kSplashScreen, splash);
}

void CPageSettingsDlg::OnShown() { ApplyLock(); }

void CPageSettingsDlg::ApplyLock() {
  locked_ = rules::ConnectionLocked(pages_, store_);
  if (locked_) {
    connection_ = settings::kConnectionManual;
    SetChecked(IDC_SET_MANUAL, true);
    SetChecked(IDC_SET_AUTO, false);
    // A stored Auto NetSense would make a tray click stop the service
    // instead of dialling or launching: the forced "Manual" is a change.
    if (store_.Read(settings::kConnection) == settings::kConnectionAutoNetSense) {
      MarkModified();
      Changed();
    }
  }
  for (int id : kLockedControls) EnableItem(id, !locked_);
  ShowItem(IDC_SET_TIP, locked_);
}

// The minutes mean nothing while mouse simulation is off.
void CPageSettingsDlg::EnableMinutes() {
  for (int id : kMinuteControls) EnableItem(id, IsChecked(IDC_SET_MOUSE));
}

bool CPageSettingsDlg::OnCommand(WORD id, WORD code, HWND control) {
  switch (id) {
    case IDC_SET_MANUAL:
    case IDC_SET_AUTO:
      if (code != BN_CLICKED) return false;
      connection_ = id == IDC_SET_AUTO ? settings::kConnectionAutoNetSense : settings::kConnectionManual;
      Changed();
      return true;
    case IDC_SET_MOUSE:
      if (code != BN_CLICKED) return false;
      EnableMinutes();
      Changed();
      return true;
    case IDC_SET_WINSTART:
    case IDC_SET_SPLASH:
      if (code == BN_CLICKED) Changed();
      return code == BN_CLICKED;
    case IDC_SET_MINUTES:
      if (code == EN_CHANGE) Changed();
      return code == EN_CHANGE;
    case IDC_SET_WEB_LINK:
      if (code == STN_CLICKED) ShellExecuteA(hwnd(), "open", kWebPage, nullptr, nullptr, SW_SHOWNORMAL);
      return code == STN_CLICKED;
    default:
      return ConfigPage::OnCommand(id, code, control);
  }
}

bool CPageSettingsDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == Item(IDC_SET_WEB_LINK)) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wp) == Item(IDC_SET_WEB_LINK)) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    result = TRUE;
    return true;
  }
  return false;
}

ConfigPage::SaveResult CPageSettingsDlg::OnSave() {
  const bool simulate = IsChecked(IDC_SET_MOUSE);
  long minutes = 0;
  SaveResult refusal;
  if (simulate && !ReadNumber(IDC_SET_MINUTES, kLowestMinutes, kHighestMinutes, minutes, refusal))
    return refusal;

  bool ok = WriteIfNew(settings::kConnection, connection_);
  ok = WriteIfNew(settings::kSimulateMouse, simulate ? 1 : 0) && ok;
  if (simulate) ok = WriteIfNew(settings::kMouseTimer, static_cast<DWORD>(minutes)) && ok;
  const bool winStart = IsChecked(IDC_SET_WINSTART);
  if (Differs(settings::kWinStart, winStart ? 1 : 0)) {
    if (winStart) {
      ok = WriteWinStartOn() && ok;
    } else {
      ok = store_.Write(settings::kWinStart, 0) && ok;
      // An entry that is not there needs no deleting.
      std::string path;
      if (store_.ReadRunEntry(path)) ok = store_.WriteRunEntry(false) && ok;
    }
  }
  ok = WriteIfNew(settings::kSplashScreen, IsChecked(IDC_SET_SPLASH) ? 0 : 1) && ok;
  if (ok) {
    Quiet quiet(*this);
    ShowStored();
  }
  return WrittenIf(ok);
}

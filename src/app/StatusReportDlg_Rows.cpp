// The status window's rows: service results, current hosts, refresh.
#include "app/StatusReportDlg.h"

#include <cstring>
#include <string>

#include "keepalive/ServiceMessages.h"
#include "keepalive/SocketErrorText.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/ResourceText.h"

namespace {

struct RowIds {
  int icon, status, host;
};

constexpr RowIds kRows[kServiceCount] = {
    {IDC_HTTP_ICON, IDC_HTTP_STATUS, IDC_HTTP_HOST},
    {IDC_FTP_ICON, IDC_FTP_STATUS, IDC_FTP_HOST},
    {IDC_ECHO_ICON, IDC_ECHO_STATUS, IDC_ECHO_HOST},
    {IDC_DISCARD_ICON, IDC_DISCARD_STATUS, IDC_DISCARD_HOST},
    {IDC_TIME_ICON, IDC_TIME_STATUS, IDC_TIME_HOST},
    {IDC_USER_ICON, IDC_USER_STATUS, IDC_USER_HOST},
};

constexpr const char* kServiceActive = "Service Active";
constexpr const char* kServiceNotActive = "Sevice not Active";
constexpr size_t kHostTextMax = 127;


}  // namespace

void StatusReportDlg::SetRow(int service, int iconId, const char* status) {
  if (!IsServiceIndex(service) || !hwnd()) return;
  SetCellIcon(kRows[service].icon, iconId);
  SetCellText(kRows[service].status, status);
}

// Every result would otherwise repaint controls nobody sees; a hidden window
// only keeps the latest text and icon of each control.
void StatusReportDlg::SetCellText(int controlId, const std::string& text) {
  Cell& cell = cells_[controlId];
  if (cell.text == text && !cell.pending) return;
  cell.text = text;
  cell.pending = true;
  if (hwnd() && IsWindowVisible(hwnd())) ApplyCells();
}

void StatusReportDlg::SetCellIcon(int controlId, int iconId) {
  Cell& cell = cells_[controlId];
  if (cell.iconId == iconId && !cell.pending) return;
  cell.iconId = iconId;
  cell.pending = true;
  if (hwnd() && IsWindowVisible(hwnd())) ApplyCells();
}

void StatusReportDlg::ApplyCells() {
  if (!hwnd()) return;
  for (auto& [id, cell] : cells_) {
    if (!cell.pending) continue;
    cell.pending = false;
    if (cell.iconId != 0) {
      HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cell.iconId));
      SendDlgItemMessageA(hwnd(), id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    } else {
      SetItemText(id, cell.text.c_str());
    }
  }
}

void StatusReportDlg::OnServiceResult(WPARAM service, LPARAM result) {
  if (!IsServiceIndex(static_cast<int>(service))) return;
  const int index = static_cast<int>(service);
  const DWORD value = static_cast<DWORD>(result);
  lastResult_[index] = LOWORD(value);
  if (value > 0xFFFF) {
    SetRow(index, IDI_ERROR_STATE, SocketErrorText(HIWORD(value)).c_str());
  } else {
    SetRow(index, IDI_CONNECTED, "Connected");
  }
  bool anySucceeded = false;
  for (int r : lastResult_) anySucceeded = anySucceeded || r == 1;
  SetTrayLook(anySucceeded ? tray_look::kProtected : tray_look::kNoService);
}

void StatusReportDlg::OnCurrentHost(WPARAM wp, LPARAM lp) {
  const int index = LOWORD(wp);
  const int phase = HIWORD(wp);
  // The message owns its copy of the text; it is freed here on every path.
  std::unique_ptr<char[]> posted = svcmsg::TakeCurrentHost(lp);
  if (!IsServiceIndex(index)) return;
  const std::string host(posted.get(), strnlen(posted.get(), kHostTextMax));

  const bool isHttp = index == ServiceIndex(ServiceKind::Http);
  const bool visited = phase == svcmsg::kPhaseOwnWebHostVisited;
  if (visited && !isHttp) return;
  if (phase == svcmsg::kPhaseConnecting) SetRow(index, IDI_CONNECTING, "Connecting .....");
  bool showText = !visited;
  if (isHttp && seams_.keepAlive.onHttpHostShown)
    seams_.keepAlive.onHttpHostShown(visited, showText);
  if (!showText) return;
  SetCellText(kRows[index].host, "Current Host: " + host);
}

void StatusReportDlg::RefreshStatusReport() {
  if (!hwnd()) return;
  DWORD flags[kServiceCount] = {};
  if (!store_.ReadServiceFlags(flags)) {
    for (DWORD& f : flags) f = 0;  // an unreadable key counts as all off
  }
  const std::string active = win::LoadResourceText(IDS_SERVICE_ACTIVE, kServiceActive);
  const std::string notActive = win::LoadResourceText(IDS_SERVICE_NOT_ACTIVE, kServiceNotActive);
  for (int i = 0; i < kServiceCount; ++i) {
    bool on = flags[i] == 1;
    SetRow(i, on ? IDI_MAIN : IDI_NOT_ACTIVE, on ? active.c_str() : notActive.c_str());
  }

  auto setScanner = [&](int group, int iconCtl, int statusCtl, const char* caption, int iconId,
                        bool isActive) {
    SetCellText(group, caption);
    SetCellIcon(iconCtl, iconId);
    SetCellText(statusCtl, isActive ? active : notActive);
  };

  if (store_.Read(settings::kAolStayOnline) == 1)
    setScanner(IDC_AOLCS_GROUP, IDC_AOLCS_ICON, IDC_AOLCS_STATUS, "AOL Scanning", IDI_AOL, true);
  else if (store_.Read(settings::kCsStayOnline) == 1)
    setScanner(IDC_AOLCS_GROUP, IDC_AOLCS_ICON, IDC_AOLCS_STATUS, "CS2000 Scanning", IDI_CS2000, true);
  else
    setScanner(IDC_AOLCS_GROUP, IDC_AOLCS_ICON, IDC_AOLCS_STATUS, "AOL/CS2000 Scanning",
               IDI_NOT_ACTIVE, false);

  if (store_.Read(settings::kNetZeroStayOnline) == 1)
    setScanner(IDC_OTHER_GROUP, IDC_OTHER_ICON, IDC_OTHER_STATUS, "NetZero Scanning", IDI_NETZERO, true);
  else if (store_.Read(settings::kAttStayOnline) == 1)
    setScanner(IDC_OTHER_GROUP, IDC_OTHER_ICON, IDC_OTHER_STATUS, "ATT Scanning", IDI_ATT, true);
  else if (store_.Read(settings::kMsnStayOnline) == 1)
    setScanner(IDC_OTHER_GROUP, IDC_OTHER_ICON, IDC_OTHER_STATUS, "MSN Scanning", IDI_MSN, true);
  else
    setScanner(IDC_OTHER_GROUP, IDC_OTHER_ICON, IDC_OTHER_STATUS, "NetZero/MSN/ATT Scanning",
               IDI_NOT_ACTIVE, false);
}

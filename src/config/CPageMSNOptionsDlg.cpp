#include "config/CPageMSNOptionsDlg.h"

#include "config/CrossPageRules.h"
#include "res/resource.h"

namespace {

constexpr long kLowestMinutes = 1, kHighestMinutes = 60;

}  // namespace

CPageMSNOptionsDlg::CPageMSNOptionsDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_MSN_OPTIONS, store, pages) {}

bool CPageMSNOptionsDlg::IsMsnChecked() const { return IsChecked(IDC_MSN_STAY_ONLINE); }

bool CPageMSNOptionsDlg::OnLoad() {
  LimitText(IDC_MSN_SERVER, static_cast<int>(config::kMaxStoredText));
  LimitText(IDC_MSN_INTERVAL, 2);
  SetChecked(IDC_MSN_STAY_ONLINE, store_.Read(settings::kMsnStayOnline) == 1);
  SetChecked(IDC_MSN_POP3, store_.Read(settings::kPop3Enable) == 1);
  std::string server;
  store_.ReadPop3ServerName(server);
  SetItemText(IDC_MSN_SERVER, server.c_str());
  SetItemText(IDC_MSN_INTERVAL, std::to_string(store_.ReadPop3Interval()).c_str());
  ApplyEnableRules();
  return true;
}

void CPageMSNOptionsDlg::ApplyEnableRules() {
  const bool msn = IsMsnChecked();
  const bool pop3 = msn && IsChecked(IDC_MSN_POP3);
  for (int id : {IDC_MSN_POP3, IDC_MSN_INTERVAL, IDC_MSN_INTERVAL_LABEL, IDC_MSN_INTERVAL_UNIT})
    EnableItem(id, msn);
  EnableItem(IDC_MSN_SERVER, pop3);
  EnableItem(IDC_MSN_SERVER_LABEL, pop3);
}

void CPageMSNOptionsDlg::SwitchOff() {
  SetChecked(IDC_MSN_STAY_ONLINE, false);
  ApplyEnableRules();
}

bool CPageMSNOptionsDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_MSN_STAY_ONLINE || id == IDC_MSN_POP3)) {
    if (id == IDC_MSN_STAY_ONLINE && IsMsnChecked() && pages_) {
      bool written = rules::IspDialerOff(*pages_, store_, /*netZeroForm=*/false);
      written = rules::NetZeroOff(*pages_, store_, /*dialerForm=*/false) && written;
      written = rules::AttOff(*pages_, store_) && written;
      WroteAtOnce(written);
    }
    ApplyEnableRules();
    Changed();
    return true;
  }
  if ((id == IDC_MSN_SERVER || id == IDC_MSN_INTERVAL) && code == EN_CHANGE) {
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CPageMSNOptionsDlg::OnSave() {
  long minutes = 0;
  SaveResult refusal;
  if (IsMsnChecked()) {
    if (!ReadNumber(IDC_MSN_INTERVAL, kLowestMinutes, kHighestMinutes, minutes, refusal)) return refusal;
  } else if (!config::ParseInteger(ItemText(IDC_MSN_INTERVAL), minutes)) {
    minutes = 0;  // stored as 60, as any entry outside 1 to 60
  }
  if (!FitsLength(IDC_MSN_SERVER, config::kMaxStoredText, refusal)) return refusal;
  const std::string server = ItemText(IDC_MSN_SERVER);
  // Mail checks against no server would only fail.
  if (IsChecked(IDC_MSN_POP3) && server.empty()) {
    SetChecked(IDC_MSN_POP3, false);
    ApplyEnableRules();
  }
  bool ok = store_.Write(settings::kMsnStayOnline, IsMsnChecked() ? 1 : 0);
  ok = store_.Write(settings::kPop3Enable, IsChecked(IDC_MSN_POP3) ? 1 : 0) && ok;
  ok = store_.WritePop3ServerName(server) && ok;
  ok = store_.WritePop3Interval(minutes) && ok;
  if (ok) {
    Quiet quiet(*this);
    SetItemText(IDC_MSN_INTERVAL, std::to_string(store_.ReadPop3Interval()).c_str());
  }
  return WrittenIf(ok);
}

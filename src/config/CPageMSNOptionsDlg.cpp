#include "config/CPageMSNOptionsDlg.h"

#include "config/CrossPageRules.h"
#include "res/resource.h"

namespace {

constexpr long kLowestMinutes = 1, kHighestMinutes = 60;
// The interval field as it was shown: an unchanged one is not stored again.
constexpr const char* kIntervalText = "interval field";

}  // namespace

CPageMSNOptionsDlg::CPageMSNOptionsDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_MSN_OPTIONS, store, pages) {}

bool CPageMSNOptionsDlg::IsMsnChecked() const { return IsChecked(IDC_MSN_STAY_ONLINE); }

bool CPageMSNOptionsDlg::OnLoad() {
  LimitText(IDC_MSN_SERVER, static_cast<int>(config::kMaxStoredText));
  LimitText(IDC_MSN_INTERVAL, 2);
  LoadBox(IDC_MSN_STAY_ONLINE, settings::kMsnStayOnline);
  LoadBox(IDC_MSN_POP3, settings::kPop3Enable);
  std::string server;
  // A missing name is stored (as its placeholder) at the first save.
  if (store_.ReadPop3ServerName(server)) Loaded(settings::kPop3ServerName, server);
  SetItemText(IDC_MSN_SERVER, server.c_str());
  ShowInterval();
  ApplyEnableRules();
  return true;
}

void CPageMSNOptionsDlg::ShowInterval() {
  const std::string minutes = std::to_string(store_.ReadPop3Interval());
  SetItemText(IDC_MSN_INTERVAL, minutes.c_str());
  Loaded(kIntervalText, minutes);
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
  Loaded(settings::kMsnStayOnline, 0);  // what the rule writes at once
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
  // The interval is checked whenever it is to be stored, and stored only
  // when the field no longer shows what was loaded.
  const bool intervalEdited = Differs(kIntervalText, ItemText(IDC_MSN_INTERVAL));
  long minutes = 0;
  SaveResult refusal;
  if (intervalEdited && !ReadNumber(IDC_MSN_INTERVAL, kLowestMinutes, kHighestMinutes, minutes, refusal))
    return refusal;
  if (!FitsLength(IDC_MSN_SERVER, config::kMaxStoredText, refusal)) return refusal;
  const std::string server = ItemText(IDC_MSN_SERVER);
  // Mail checks against no server would only fail.
  if (IsChecked(IDC_MSN_POP3) && server.empty()) {
    SetChecked(IDC_MSN_POP3, false);
    ApplyEnableRules();
    for (int id : {IDC_MSN_INTERVAL, IDC_MSN_INTERVAL_LABEL, IDC_MSN_INTERVAL_UNIT}) EnableItem(id, false);
  }
  bool ok = WriteIfNew(settings::kMsnStayOnline, IsMsnChecked() ? 1 : 0);
  ok = WriteIfNew(settings::kPop3Enable, IsChecked(IDC_MSN_POP3) ? 1 : 0) && ok;
  ok = WriteIfNew(Named(settings::kPop3ServerName), server, [&] { return store_.WritePop3ServerName(server); }) && ok;
  if (intervalEdited) ok = store_.WritePop3Interval(minutes) && ok;
  if (ok) {
    Quiet quiet(*this);
    ShowInterval();
  }
  return WrittenIf(ok);
}

#include "config/CPageATTOptionsDlg.h"

#include "config/CrossPageRules.h"
#include "res/resource.h"

CPageATTOptionsDlg::CPageATTOptionsDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_ATT_OPTIONS, store, pages) {}

bool CPageATTOptionsDlg::IsAttChecked() const { return IsChecked(IDC_ATT_STAY_ONLINE); }

void CPageATTOptionsDlg::SwitchOff() {
  SetChecked(IDC_ATT_STAY_ONLINE, false);
  Loaded(settings::kAttStayOnline, 0);  // what the rule writes at once
}

bool CPageATTOptionsDlg::OnLoad() {
  LoadBox(IDC_ATT_STAY_ONLINE, settings::kAttStayOnline);
  return true;
}

bool CPageATTOptionsDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_ATT_STAY_ONLINE && code == BN_CLICKED) {
    if (IsAttChecked() && pages_) {
      bool written = rules::IspDialerOff(*pages_, store_, /*netZeroForm=*/false);
      written = rules::NetZeroOff(*pages_, store_, /*dialerForm=*/false) && written;
      written = rules::MsnOff(*pages_, store_) && written;
      WroteAtOnce(written);
    }
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CPageATTOptionsDlg::OnSave() {
  return WrittenIf(WriteIfNew(settings::kAttStayOnline, IsAttChecked() ? 1 : 0));
}

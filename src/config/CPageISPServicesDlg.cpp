#include "config/CPageISPServicesDlg.h"

#include "res/resource.h"
#include "settings/ServiceKind.h"

namespace {

// In service order: HTTP, FTP, Echo, Discard, Time Server, User Port.
constexpr int kServiceBoxes[kServiceCount] = {IDC_SVC_HTTP, IDC_SVC_FTP,  IDC_SVC_ECHO,
                                              IDC_SVC_DISCARD, IDC_SVC_TIME, IDC_SVC_USER};

}  // namespace

CPageISPServicesDlg::CPageISPServicesDlg(SettingsStore& store, PageSet* pages)
    : ConfigPage(IDD_PAGE_ISP_SERVICES, store, pages) {}

void CPageISPServicesDlg::ShowFlags(const DWORD flags[6]) {
  for (int i = 0; i < kServiceCount; ++i) SetChecked(kServiceBoxes[i], flags[i] == 1);
  SetChecked(IDC_SVC_ALL, false);
}

bool CPageISPServicesDlg::OnLoad() {
  DWORD flags[kServiceCount];
  for (int i = 0; i < kServiceCount; ++i) flags[i] = settings::kServiceFlags[i].defaultValue;
  store_.ReadServiceFlags(flags);
  ShowFlags(flags);
  for (int i = 0; i < kServiceCount; ++i) Loaded(settings::kServiceFlags[i], flags[i] == 1 ? 1 : 0);
  return true;
}

bool CPageISPServicesDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_SVC_ALL || (id >= IDC_SVC_ECHO && id <= IDC_SVC_USER))) {
    Changed();
    return true;
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CPageISPServicesDlg::OnSave() {
  DWORD flags[kServiceCount];
  for (int i = 0; i < kServiceCount; ++i) flags[i] = IsChecked(kServiceBoxes[i]) ? 1 : 0;
  if (IsChecked(IDC_SVC_ALL)) {
    const int answer = Say(config::kTurnOnAllQuestion, MB_YESNO | MB_ICONQUESTION);
    // Anything but Yes or No: the box was taken away, nothing was decided.
    if (answer != IDYES && answer != IDNO) return Refuse(IDC_SVC_ALL);
    if (answer == IDYES)
      for (DWORD& flag : flags) flag = 1;
  }
  // In service order, each only when it changed.
  bool ok = true;
  for (int i = 0; i < kServiceCount; ++i) ok = ok && WriteIfNew(settings::kServiceFlags[i], flags[i]);
  if (!ok) return SaveResult::Failed;
  ShowFlags(flags);
  return SaveResult::Saved;
}

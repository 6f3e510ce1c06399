#include "config/CConfigWizMSNDialer.h"

#include "config/CConfigWizPSheet.h"
#include "config/ConfigTexts.h"
#include "config/WizardTexts.h"
#include "res/resource.h"

namespace {

constexpr int kPop3Controls[] = {IDC_WIZ_MSN_SERVER_LABEL, IDC_WIZ_MSN_SERVER, IDC_WIZ_MSN_INTERVAL_LABEL,
                                 IDC_WIZ_MSN_INTERVAL, IDC_WIZ_MSN_INTERVAL_UNIT};

}  // namespace

CConfigWizMSNDialer::CConfigWizMSNDialer(CConfigWizPSheet& sheet) : CConfigWizPage(IDD_WIZ_MSN_DIALER, sheet) {}

int CConfigWizMSNDialer::PictureId() const { return IDB_WIZ_MSN; }

bool CConfigWizMSNDialer::OnLoad() {
  LimitText(IDC_WIZ_MSN_SERVER, static_cast<int>(config::kMaxStoredText));
  LimitText(IDC_WIZ_MSN_INTERVAL, 2);
  SetYes(IDC_WIZ_MSN_POP3_YES, IDC_WIZ_MSN_POP3_NO, store().Read(settings::kPop3Enable) == 1);
  std::string text;
  store().ReadPop3ServerName(text);
  SetItemText(IDC_WIZ_MSN_SERVER, text.c_str());
  SetItemText(IDC_WIZ_MSN_INTERVAL, std::to_string(store().ReadPop3Interval()).c_str());
  store().ReadPop3Login(text);
  SetItemText(IDC_WIZ_MSN_LOGIN, text.c_str());
  store().ReadPop3Password(text);
  SetItemText(IDC_WIZ_MSN_PASSWORD, text.c_str());
  EnablePop3Controls();
  return true;
}

void CConfigWizMSNDialer::EnablePop3Controls() {
  const bool pop3 = IsChecked(IDC_WIZ_MSN_POP3_YES);
  for (int id : kPop3Controls) EnableItem(id, pop3);
}

bool CConfigWizMSNDialer::OnCommand(WORD id, WORD code, HWND control) {
  if ((id == IDC_WIZ_MSN_POP3_YES || id == IDC_WIZ_MSN_POP3_NO) && code == BN_CLICKED) {
    EnablePop3Controls();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

bool CConfigWizMSNDialer::OnNext() {
  const bool pop3 = IsChecked(IDC_WIZ_MSN_POP3_YES);
  if (pop3) {
    if (config::TrimBlanks(ItemText(IDC_WIZ_MSN_SERVER)).empty())
      return Refuse(IDC_WIZ_MSN_SERVER, config::kEnterPop3Server);
    if (!Fits(IDC_WIZ_MSN_SERVER, config::kMaxStoredText)) return false;
  }
  config::MsnAnswers& m = answers().msn;
  m.stayOnline = true;
  m.pop3 = pop3;
  m.server = ItemText(IDC_WIZ_MSN_SERVER);
  m.login = ItemText(IDC_WIZ_MSN_LOGIN);
  m.password = ItemText(IDC_WIZ_MSN_PASSWORD);
  // Anything but 1 to 60 minutes is stored as 60.
  long minutes = 0;
  m.interval = config::ParseInteger(ItemText(IDC_WIZ_MSN_INTERVAL), minutes) ? minutes : 0;
  return true;
}

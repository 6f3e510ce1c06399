#include "config/CConfigWizISPDialOptions.h"

#include "config/CConfigWizPSheet.h"
#include "res/resource.h"

namespace {

struct Question {
  int yes, no;
  const settings::DwordSetting& setting;
  bool config::DialerAnswers::*answer;
};
const Question kQuestions[] = {
    {IDC_WIZ_ONE_STOP_YES, IDC_WIZ_ONE_STOP_NO, settings::kModemOneStop, &config::DialerAnswers::oneStop},
    {IDC_WIZ_PROMPT_DIAL_YES, IDC_WIZ_PROMPT_DIAL_NO, settings::kModemPromptToDial,
     &config::DialerAnswers::promptToDial},
    {IDC_WIZ_PROMPT_HANGUP_YES, IDC_WIZ_PROMPT_HANGUP_NO, settings::kModemPromptToDisconnect,
     &config::DialerAnswers::promptToDisconnect},
    {IDC_WIZ_RECONNECT_YES, IDC_WIZ_RECONNECT_NO, settings::kModemReconnect, &config::DialerAnswers::reconnect},
    {IDC_WIZ_DIAL_STARTUP_YES, IDC_WIZ_DIAL_STARTUP_NO, settings::kModemDialAtStartup,
     &config::DialerAnswers::dialAtStartup},
};

}  // namespace

CConfigWizISPDialOptions::CConfigWizISPDialOptions(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_ISP_DIAL_OPTIONS, sheet) {}

int CConfigWizISPDialOptions::PictureId() const { return IDB_WIZ_ISP; }

bool CConfigWizISPDialOptions::OnLoad() {
  for (const Question& q : kQuestions) SetYes(q.yes, q.no, store().Read(q.setting) == 1);
  return true;
}

bool CConfigWizISPDialOptions::OnNext() {
  for (const Question& q : kQuestions) answers().dialer.*q.answer = IsChecked(q.yes);
  return true;
}

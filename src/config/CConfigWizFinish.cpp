#include "config/CConfigWizFinish.h"

#include "config/CConfigWizPSheet.h"
#include "config/WizardTexts.h"
#include "res/resource.h"

CConfigWizFinish::CConfigWizFinish(CConfigWizPSheet& sheet) : CConfigWizPage(IDD_WIZ_FINISH, sheet) {}

int CConfigWizFinish::PictureId() const { return IDB_WIZ_FINISH; }

bool CConfigWizFinish::OnLoad() {
  SetItemText(IDC_WIZ_MAIL, config::kSupportAddress);
  mail_.Attach(Item(IDC_WIZ_MAIL), std::string("mailto:") + config::kSupportAddress);
  return true;
}

bool CConfigWizFinish::OnFinish() {
  // A failed write is told, and the wizard still ends: what could be saved is.
  sheet_.WriteAnswers();
  return true;
}

#include "config/CConfigWizISPServices.h"

#include "config/CConfigWizPSheet.h"
#include "res/resource.h"

namespace {

// Service order: HTTP, FTP, Echo, Discard, Time Server, User Port.
constexpr int kBoxes[6] = {IDC_SVC_HTTP, IDC_SVC_FTP, IDC_SVC_ECHO, IDC_SVC_DISCARD, IDC_SVC_TIME, IDC_SVC_USER};

}  // namespace

CConfigWizISPServices::CConfigWizISPServices(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_ISP_SERVICES, sheet) {}

int CConfigWizISPServices::PictureId() const { return IDB_WIZ_ISP; }

bool CConfigWizISPServices::OnLoad() {
  DWORD stored[6] = {1, 0, 0, 0, 0, 0};
  store().ReadServiceFlags(stored);
  for (int i = 0; i < 6; ++i) SetChecked(kBoxes[i], false);
  SetChecked(IDC_SVC_HTTP, stored[0] == 1);
  SetChecked(IDC_SVC_USER, stored[5] == 1);
  return true;
}

void CConfigWizISPServices::OnSetActive() {
  if (!answers().services.flagsGiven) return;
  for (int i = 0; i < 6; ++i) SetChecked(kBoxes[i], answers().services.on[static_cast<std::size_t>(i)]);
}

bool CConfigWizISPServices::OnNext() {
  for (int i = 0; i < 6; ++i) answers().services.on[static_cast<std::size_t>(i)] = IsChecked(kBoxes[i]);
  answers().services.flagsGiven = true;
  return true;
}

#include "config/CConfigWizATTDialer.h"

#include "config/CConfigWizPSheet.h"
#include "res/resource.h"

CConfigWizATTDialer::CConfigWizATTDialer(CConfigWizPSheet& sheet) : CConfigWizPage(IDD_WIZ_ATT_DIALER, sheet) {}

int CConfigWizATTDialer::PictureId() const { return IDB_WIZ_ATT; }

bool CConfigWizATTDialer::OnNext() {
  answers().attStayOnline = true;
  return true;
}

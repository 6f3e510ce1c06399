#include "config/CAddHostDlg.h"

#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"

namespace {

constexpr int kUserDefined = 5;
constexpr long kLowestPort = 1, kHighestPort = 65535;

}  // namespace

INT_PTR CAddHostDlg::Run(HWND owner) {
  host_.clear();
  port_ = 0;
  entry_.clear();
  return RunModal(IDD_ADD_HOST, owner);
}

BOOL CAddHostDlg::OnInitDialog() {
  const bool userDefined = service_ == kUserDefined;
  EnableItem(IDC_HOST_PORT, userDefined);
  EnableItem(IDC_HOST_PORT_LABEL, userDefined);
  LimitText(IDC_HOST_NAME, static_cast<int>(config::kMaxHostEntry));
  LimitText(IDC_HOST_PORT, static_cast<int>(config::kMaxPortDigits));
  return TRUE;
}

bool CAddHostDlg::Refuse(int controlId, const std::string& message) {
  config::ShowMessage(hwnd(), message, MB_OK | MB_ICONEXCLAMATION);
  SetFocus(Item(controlId));
  SendDlgItemMessageA(hwnd(), controlId, EM_SETSEL, 0, -1);
  return false;
}

void CAddHostDlg::OnOK() {
  // An empty entry would end the stored list for every reader.
  const std::string host(config::TrimBlanks(ItemText(IDC_HOST_NAME)));
  if (host.empty()) {
    Refuse(IDC_HOST_NAME, config::kNoHost);
    return;
  }
  long port = 0;
  if (service_ == kUserDefined) {
    const config::NumberCheck check =
        config::CheckInteger(ItemText(IDC_HOST_PORT), kLowestPort, kHighestPort);
    if (!check.ok) {
      Refuse(IDC_HOST_PORT, check.message);
      return;
    }
    port = check.value;
  }
  const std::string entry = config::HostEntry(service_, host, port);
  if (entry.size() > config::kMaxHostEntry) {
    Refuse(IDC_HOST_NAME, config::MaxCharsMessage(config::kMaxHostEntry - (entry.size() - host.size())));
    return;
  }
  host_ = host;
  port_ = port;
  entry_ = entry;
  win::Dialog::OnOK();
}

#include "config/CConfigWizAOLDialer.h"

#include "config/CConfigWizAOLGadgets.h"
#include "config/CConfigWizAOLScreenNameOptions.h"
#include "config/CConfigWizFinish.h"
#include "config/CConfigWizPSheet.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"
#include "win/FileOpenDialog.h"

namespace {

constexpr int kLaunchControls[] = {IDC_WIZ_CLIENT_PATH_LABEL, IDC_WIZ_CLIENT_PATH, IDC_WIZ_CLIENT_BROWSE,
                                   IDC_WIZ_CLIENT_STARTUP_QUESTION, IDC_WIZ_CLIENT_STARTUP_YES,
                                   IDC_WIZ_CLIENT_STARTUP_NO};

}  // namespace

CConfigWizAOLDialer::CConfigWizAOLDialer(CConfigWizPSheet& sheet)
    : CConfigWizPage(IDD_WIZ_AOL_DIALER, sheet),
      screenNames_(std::make_unique<CConfigWizAOLScreenNameOptions>(sheet)),
      gadgets_(std::make_unique<CConfigWizAOLGadgets>(sheet)),
      finish_(std::make_unique<CConfigWizFinish>(sheet)) {}

CConfigWizAOLDialer::~CConfigWizAOLDialer() = default;

bool CConfigWizAOLDialer::IsCs() const { return sheet_.answers().kind == config::IspKind::Cs2000; }
const config::ClientTexts& CConfigWizAOLDialer::Texts() const {
  return IsCs() ? config::CsTexts() : config::AolTexts();
}
config::ClientAnswers& CConfigWizAOLDialer::Answers() { return IsCs() ? answers().cs : answers().aol; }
int CConfigWizAOLDialer::PictureId() const { return IsCs() ? IDB_WIZ_CS2000 : IDB_WIZ_AOL; }

bool CConfigWizAOLDialer::OnLoad() {
  const config::ClientTexts& texts = Texts();
  const settings::SignOnClient client = IsCs() ? settings::SignOnClient::Cs : settings::SignOnClient::Aol;
  SetItemText(IDC_WIZ_LAUNCH_QUESTION, texts.launchQuestion);
  SetItemText(IDC_WIZ_CLIENT_PATH_LABEL, texts.pathLabel);
  SetItemText(IDC_WIZ_CLIENT_STARTUP_QUESTION, texts.atStartupQuestion);
  LimitText(IDC_WIZ_CLIENT_PATH, static_cast<int>(config::kMaxClientPath));

  DWORD launch = 0;
  std::string path;
  store().ReadBrowserLaunch(client, launch, path);
  SetYes(IDC_WIZ_LAUNCH_YES, IDC_WIZ_LAUNCH_NO, launch == 1);
  SetItemText(IDC_WIZ_CLIENT_PATH, path.empty() ? texts.pathPlaceholder : path.c_str());
  const auto& dialAtStartup = IsCs() ? settings::kCsDialAtStartup : settings::kAolDialAtStartup;
  const auto& autoRedial = IsCs() ? settings::kCsAutoRedial : settings::kAolAutoRedial;
  SetYes(IDC_WIZ_CLIENT_STARTUP_YES, IDC_WIZ_CLIENT_STARTUP_NO, store().Read(dialAtStartup) == 1);
  SetYes(IDC_WIZ_REDIAL_YES, IDC_WIZ_REDIAL_NO, store().Read(autoRedial) == 1);
  EnableLaunchControls();
  return true;
}

void CConfigWizAOLDialer::EnableLaunchControls() {
  const bool launch = IsChecked(IDC_WIZ_LAUNCH_YES);
  for (int id : kLaunchControls) EnableItem(id, launch);
}

bool CConfigWizAOLDialer::OnCommand(WORD id, WORD code, HWND control) {
  if ((id == IDC_WIZ_LAUNCH_YES || id == IDC_WIZ_LAUNCH_NO) && code == BN_CLICKED) {
    EnableLaunchControls();
    return true;
  }
  if (id == IDC_WIZ_CLIENT_BROWSE && code == BN_CLICKED) {
    Browse();
    return true;
  }
  return CConfigWizPage::OnCommand(id, code, control);
}

void CConfigWizAOLDialer::Browse() {
  std::string path;
  if (!win::AskFileToOpen(hwnd(), Texts().programName, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                          config::kMaxClientPath, path))
    return;
  SetItemText(IDC_WIZ_CLIENT_PATH, path.c_str());
}

bool CConfigWizAOLDialer::OnNext() {
  const config::ClientTexts& texts = Texts();
  const bool launch = IsChecked(IDC_WIZ_LAUNCH_YES);
  const std::string path = ItemText(IDC_WIZ_CLIENT_PATH);
  if (launch) {
    if (path.empty()) return Refuse(IDC_WIZ_CLIENT_PATH, texts.pathEmpty, MB_OK | MB_ICONINFORMATION);
    if (path == texts.pathPlaceholder)
      return Refuse(IDC_WIZ_CLIENT_PATH, texts.pathInvalid, MB_OK | MB_ICONINFORMATION);
    if (!Fits(IDC_WIZ_CLIENT_PATH, config::kMaxClientPath)) return false;
  }
  config::ClientAnswers& a = Answers();
  a.stayOnline = true;
  a.launch = launch;
  a.path = launch ? path : std::string();
  a.dialAtStartup = launch && IsChecked(IDC_WIZ_CLIENT_STARTUP_YES);
  a.autoRedial = IsChecked(IDC_WIZ_REDIAL_YES);
  if (!launch) a.signOn = false;

  sheet_.RemoveAfter(*this);
  if (launch) sheet_.Append(*screenNames_);
  sheet_.Append(*gadgets_);
  sheet_.Append(*finish_);
  return true;
}

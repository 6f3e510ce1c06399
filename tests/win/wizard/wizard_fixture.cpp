#include "wizard_fixture.h"

#include <commctrl.h>
#include <prsht.h>

#include "support/MessagePump.h"
#include "support/ModalScript.h"
#include "win/ComboBox.h"
#include "win/FileOpenDialog.h"
#include "win/Hyperlink.h"
#include "win/MessageBox.h"
#include "win/RegKey.h"

namespace {

void DumpKey(HKEY root, const std::string& path, RegistryDump& out) {
  win::RegKey key;
  if (key.Open(root, path.c_str(), KEY_READ) != ERROR_SUCCESS) return;
  char name[512];
  std::string data(4096, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name), type = 0, dataSize = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                      &dataSize) != ERROR_SUCCESS)
      break;
    out[path + "\\" + name] = {type, data.substr(0, dataSize)};
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof(name);
    if (RegEnumKeyExA(key.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out[path + "\\" + name + "\\"] = {0, ""};  // the key itself, so a new empty key shows
    DumpKey(root, path + "\\" + name, out);
  }
}

}  // namespace

RegistryDump DumpProgramRegistry(HKEY root) {
  RegistryDump dump;
  DumpKey(root, testing_support::kProgramRoot, dump);
  win::RegKey run;
  if (run.Open(root, testing_support::kRunKey, KEY_READ) == ERROR_SUCCESS) {
    char text[1024] = {};
    DWORD size = sizeof(text) - 1, type = 0;
    if (RegQueryValueExA(run.get(), "Tetherly", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
        ERROR_SUCCESS)
      dump["Run\\Tetherly"] = {type, std::string(text, size)};
  }
  return dump;
}

std::vector<std::string> Changed(const RegistryDump& before, const RegistryDump& after) {
  std::vector<std::string> changed;
  for (const auto& [name, value] : after) {
    auto it = before.find(name);
    if (it == before.end() || it->second != value) changed.push_back(name);
  }
  for (const auto& [name, value] : before) {
    if (!after.count(name)) changed.push_back(name + " (removed)");
  }
  return changed;
}

int WizardDriver::Current() const {
  CConfigWizPage* page = wizard_.CurrentPage();
  return page ? page->templateId() : 0;
}

HWND WizardDriver::Page() const { return PropSheet_GetCurrentPageHwnd(sheet_); }

std::vector<int> WizardDriver::Pages() const {
  std::vector<int> ids;
  for (CConfigWizPage* page : wizard_.pages()) ids.push_back(page->templateId());
  return ids;
}

void WizardDriver::Click(int id) const { SendMessageA(GetDlgItem(Page(), id), BM_CLICK, 0, 0); }

void WizardDriver::Type(int id, const std::string& text) const { SetDlgItemTextA(Page(), id, text.c_str()); }

void WizardDriver::Choose(int combo, int index) const {
  HWND item = GetDlgItem(Page(), combo);
  SendMessageA(item, CB_SETCURSEL, index, 0);
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item));
}

std::string WizardDriver::Text(int id) const {
  HWND item = GetDlgItem(Page(), id);
  char cls[32] = {};
  GetClassNameA(item, cls, sizeof(cls));
  if (lstrcmpiA(cls, "ComboBox") == 0) return win::ComboSelection(item);
  char text[2048] = {};
  GetWindowTextA(item, text, sizeof(text));
  return text;
}

bool WizardDriver::Checked(int id) const { return IsDlgButtonChecked(Page(), id) == BST_CHECKED; }
bool WizardDriver::Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Page(), id)) != 0; }
bool WizardDriver::Shown(int id) const {
  return (GetWindowLongA(GetDlgItem(Page(), id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int WizardDriver::Next() const {
  PropSheet_PressButton(sheet_, PSBTN_NEXT);
  testing_support::PumpPending();
  return Current();
}

int WizardDriver::Back() const {
  PropSheet_PressButton(sheet_, PSBTN_BACK);
  testing_support::PumpPending();
  return Current();
}

void WizardDriver::Finish() const { PropSheet_PressButton(sheet_, PSBTN_FINISH); }
void WizardDriver::Cancel() const { PropSheet_PressButton(sheet_, PSBTN_CANCEL); }

DWORD WizardDriver::Buttons() const {
  // The sheet's own buttons: Back 0x3023, Next 0x3024, Finish 0x3025.
  auto usable = [this](int id) {
    HWND b = GetDlgItem(sheet_, id);
    return b && IsWindowVisible(b) && IsWindowEnabled(b);
  };
  DWORD flags = 0;
  if (usable(0x3023)) flags |= PSWIZB_BACK;
  if (usable(0x3024)) flags |= PSWIZB_NEXT;
  if (usable(0x3025)) flags |= PSWIZB_FINISH;
  return flags;
}

WizardTest::WizardTest() {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  win::SetMessageBoxHandler([this](HWND owner, const char* text, const char*, UINT type) {
    boxes_.push_back({owner, text, type, nullptr});
    return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
  });
  win::SetFileOpenHandler([this](HWND, const char* defaultName, DWORD, std::string& path) {
    filesAsked_.push_back(defaultName);
    if (fileToOpen_.empty()) return false;
    path = fileToOpen_;
    return true;
  });
  win::SetLinkOpener([this](HWND, const std::string& target) {
    linksOpened_.push_back(target);
    return true;
  });
  owner_ = CreateWindowExA(0, "STATIC", "wizard test owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

WizardTest::~WizardTest() {
  if (owner_) DestroyWindow(owner_);
  win::SetLinkOpener({});
  win::SetFileOpenHandler({});
  win::SetMessageBoxHandler({});
}

INT_PTR WizardTest::RunWizard(const std::function<void(WizardDriver&)>& script, bool firstRun) {
  CConfigWizPSheet wizard(store_, lister_, firstRun);
  scriptRan_ = false;
  testing_support::ModalScript modal([&](HWND sheet) {
    scriptRan_ = true;
    WizardDriver driver(wizard, sheet);
    script(driver);
  });
  const INT_PTR result = wizard.Run(owner_);
  EXPECT_TRUE(scriptRan_) << "the wizard was never shown";
  return result;
}

std::vector<std::string> WizardTest::BoxTexts() const {
  std::vector<std::string> texts;
  for (const SeenBox& box : boxes_) texts.push_back(box.text);
  return texts;
}

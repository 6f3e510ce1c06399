#include "config_fixture.h"

#include <commctrl.h>

#include <initializer_list>

#include "win/FileOpenDialog.h"
#include "win/MessageBox.h"
#include "win/RegKey.h"

ConfigTest::ConfigTest() {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  win::SetMessageBoxHandler([this](HWND owner, const char* text, const char* caption, UINT type) {
    boxes_.push_back({owner, text, caption, type});
    if (boxAnswer_) return boxAnswer_;
    return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
  });
  win::SetFileOpenHandler([this](HWND, const char* defaultName, DWORD, std::string& path) {
    fileDefaults_.push_back(defaultName);
    if (fileToOpen_.empty()) return false;
    path = fileToOpen_;
    return true;
  });
  owner_ = CreateWindowExA(0, "STATIC", "config test owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

ConfigTest::~ConfigTest() {
  Close();
  if (owner_) DestroyWindow(owner_);
  win::SetFileOpenHandler({});
  win::SetMessageBoxHandler({});
}

CConfigurationsDlg& ConfigTest::Open(ProfileLister lister) {
  Close();
  dlg_ = std::make_unique<CConfigurationsDlg>(store_, std::move(lister));
  EXPECT_TRUE(dlg_->CreateModeless(IDD_CONFIGURATIONS, nullptr));
  return *dlg_;
}

void ConfigTest::Close() { dlg_.reset(); }

std::vector<std::string> ConfigTest::BoxTexts() const {
  std::vector<std::string> texts;
  for (const SeenBox& box : boxes_) texts.push_back(box.text);
  return texts;
}

void ConfigTest::Click(const win::Dialog& dialog, int id) {
  SendMessageA(dialog.Item(id), BM_CLICK, 0, 0);
}

void ConfigTest::Type(const win::Dialog& dialog, int id, const std::string& text) {
  SetWindowTextA(dialog.Item(id), text.c_str());
}

std::string ConfigTest::Stored(const settings::StringSetting& setting) const {
  std::string text;
  if (!store_.Read(setting, text)) return "<missing>";
  return text;
}

bool ConfigTest::Exists(const char* key, const char* name) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    win::RegKey k;
    if (k.Open(root, key, KEY_READ) != ERROR_SUCCESS) continue;
    if (RegQueryValueExA(k.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return true;
  }
  return false;
}

namespace {

int CountValues(HKEY root, const std::string& path) {
  win::RegKey key;
  if (key.Open(root, path.c_str(), KEY_READ) != ERROR_SUCCESS) return 0;
  DWORD subKeys = 0, values = 0;
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                   nullptr, nullptr);
  int count = static_cast<int>(values);
  for (DWORD i = 0; i < subKeys; ++i) {
    char name[256];
    DWORD size = sizeof(name);
    if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      count += CountValues(root, path + "\\" + name);
  }
  return count;
}

}  // namespace

int ConfigTest::ValueCount(HKEY root) { return CountValues(root, testing_support::kProgramRoot); }

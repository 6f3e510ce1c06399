#include "support/ReadOnlyKey.h"

#include <sddl.h>

#include "support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace testing_support {
namespace {

constexpr const char* kReadOnly = "D:P(A;OICI;KR;;;WD)";

void Collect(HKEY root, const std::string& path, std::vector<std::string>& paths) {
  win::RegKey key;
  if (key.Open(root, path.c_str(), KEY_READ) != ERROR_SUCCESS) return;
  paths.push_back(path);
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Collect(root, path + "\\" + name, paths);
  }
}

std::string DaclOf(HKEY key) {
  DWORD size = 0;
  RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  std::string buffer(size, '\0');
  if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) != ERROR_SUCCESS) return {};
  char* text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(buffer.data(), SDDL_REVISION_1,
                                                            DACL_SECURITY_INFORMATION, &text, nullptr))
    return {};
  std::string sddl(text);
  LocalFree(text);
  return sddl;
}

bool SetDacl(HKEY root, const std::string& path, const std::string& sddl) {
  win::RegKey key;
  if (key.Open(root, path.c_str(), READ_CONTROL | WRITE_DAC) != ERROR_SUCCESS) return false;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &sd, nullptr))
    return false;
  const bool ok = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
  LocalFree(sd);
  return ok;
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(const char* path, HKEY root) : root_(root) {
  std::vector<std::string> paths;
  Collect(root, path, paths);
  // Deepest first on the way in, so every key is still readable while its
  // sub-keys are listed and changed.
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    win::RegKey key;
    if (key.Open(root, it->c_str(), READ_CONTROL) != ERROR_SUCCESS) continue;
    std::string dacl = DaclOf(key.get());
    key.Close();
    if (dacl.empty() || !SetDacl(root, *it, kReadOnly)) continue;
    saved_.emplace_back(*it, std::move(dacl));
  }
}

ReadOnlySettings::ReadOnlySettings() {
  win::RegKey root;
  root.Create(HKEY_LOCAL_MACHINE, kProgramRoot);
  root.Close();
  std::vector<std::string> paths;
  Collect(HKEY_LOCAL_MACHINE, kProgramRoot, paths);
  for (const std::string& path : paths) {
    win::RegKey key;
    key.Create(HKEY_CURRENT_USER, path.c_str());
  }
  machine_ = std::make_unique<ReadOnlyKey>(kProgramRoot, HKEY_LOCAL_MACHINE);
  user_ = std::make_unique<ReadOnlyKey>(kProgramRoot, HKEY_CURRENT_USER);
}

ReadOnlySettings::~ReadOnlySettings() = default;

ReadOnlyKey::~ReadOnlyKey() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) SetDacl(root_, it->first, it->second);
}

}  // namespace testing_support

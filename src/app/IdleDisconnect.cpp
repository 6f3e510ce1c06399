#include "app/IdleDisconnect.h"

#include <string>

#include "win/Clock.h"
#include "win/RegKey.h"

namespace {

constexpr const char* kProfilesKey = "RemoteAccess\\Profile";
constexpr const char* kAutodisconnect = "EnableAutodisconnect";
constexpr const char* kPromptDisabled = "IdleDisconnectPromptDisabled";
constexpr DWORD kNameBytes = 256;  // names up to 255 characters
constexpr DWORD kPausedProfiles = 300;

void ApplyToProfile(const std::string& path, DWORD value) {
  win::RegKey profile;
  if (profile.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ) != ERROR_SUCCESS) return;
  bool autodisconnect = false, prompt = false;
  for (DWORD index = 0;; ++index) {
    char name[kNameBytes] = {};
    DWORD length = sizeof(name);
    LONG rc = RegEnumValueA(profile.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    // A name too long for the buffer is skipped, not taken for the end.
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) break;
    if (lstrcmpiA(name, kAutodisconnect) == 0) autodisconnect = true;
    else if (lstrcmpiA(name, kPromptDisabled) == 0) prompt = true;
  }
  profile.Close();
  if (!autodisconnect && !prompt) return;

  win::RegKey writable;
  if (writable.Open(HKEY_CURRENT_USER, path.c_str(), KEY_SET_VALUE) != ERROR_SUCCESS) return;
  if (autodisconnect)
    RegSetValueExA(writable.get(), kAutodisconnect, 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(&value), sizeof(value));
  if (prompt) writable.SetDword(kPromptDisabled, 1);
}

}  // namespace

void ApplyIdleDisconnectSettings(DWORD value) {
  win::RegKey profiles;
  if (profiles.Open(HKEY_CURRENT_USER, kProfilesKey, KEY_READ) != ERROR_SUCCESS) return;
  for (DWORD index = 0;; ++index) {
    char name[kNameBytes] = {};
    DWORD length = sizeof(name);
    LONG rc = RegEnumKeyExA(profiles.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) break;
    ApplyToProfile(std::string(kProfilesKey) + "\\" + name, value);
    if (index < kPausedProfiles) win::SleepMs(1);
  }
}

// What the installer test looks at inside its fresh prefix, one step per
// argument:
//   installed WINSTART(0|1)  files, shortcut, Add/Remove entry, the settings
//                            key with no rights for Users beyond what it
//                            inherits, the Run entry when asked for
//   grant-old                gives the settings key the Users entry earlier
//                            versions added, and one entry of an
//                            administrator's own; notes the access list
//   upgraded                 the access list as noted, less the old Users
//                            entry: the administrator's entry kept
//   prepare                  host lists on loopback, so the installed program
//                            never reaches outside the machine
//   exit                     waits for the program's window, sends Exit, waits
//                            until it is gone
//   wait-window              waits for the program's window
//   uninstalled              everything gone but the settings
// Prints each failed check and exits 1 when any failed.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/ProgramUnderTest.h"
#include "win/RegKey.h"

namespace {

int g_failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  if (!ok) ++g_failures;
}

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tetherly";
// The entry earlier installers added for the local Users group.
constexpr const char* kOldUsersEntry = "(A;CI;CCDCLCSWRPSDRC;;;BU)";
// One an administrator might have added: read for authenticated users.
constexpr const char* kAdminsOwnEntry = "(A;CI;KR;;;AU)";
// Where grant-old notes the access list for upgraded.
constexpr const char* kNotedDacl = "C:\\tetherly-settings-dacl.txt";
constexpr DWORD kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

std::string ProgramFiles() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path);
  return std::string(path) + "\\Tetherly";
}

std::string Shortcut() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, path);
  return std::string(path) + "\\Tetherly!.lnk";
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A compiled HTML Help file starts with "ITSF".
bool IsHelpFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char head[4] = {};
  DWORD got = 0;
  const bool read = ReadFile(file, head, sizeof(head), &got, nullptr) && got == sizeof(head);
  CloseHandle(file);
  return read && std::string(head, 4) == "ITSF";
}

bool KeyExists(const char* path) {
  win::RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS;
}

std::string Text(const char* path, const char* name) {
  win::RegKey key;
  char text[1024] = {};
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return "<missing>";
  if (key.QueryString(name, text, sizeof(text)) != ERROR_SUCCESS) return "<missing>";
  return text;
}

DWORD Dword(const char* path, const char* name) {
  win::RegKey key;
  DWORD value = 0;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return 0xFFFFFFFF;
  return key.QueryDword(name, value) == ERROR_SUCCESS ? value : 0xFFFFFFFF;
}

std::string DaclText(const char* path) {
  const std::string object = std::string("MACHINE\\") + path;
  PSECURITY_DESCRIPTOR sd = nullptr;
  PACL dacl = nullptr;
  if (GetNamedSecurityInfoA(object.c_str(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &sd) != ERROR_SUCCESS)
    return {};
  char* text = nullptr;
  std::string sddl;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                           nullptr)) {
    sddl = text;
    LocalFree(text);
  }
  LocalFree(sd);
  return sddl;
}

bool SetDaclText(const char* path, const std::string& sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &sd, nullptr)) return false;
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted);
  std::string object = std::string("MACHINE\\") + path;
  const DWORD rc = SetNamedSecurityInfoA(object.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                         dacl, nullptr);
  LocalFree(sd);
  return rc == ERROR_SUCCESS;
}

// The access the allow ACEs for BUILTIN\Users grant on a key and, through
// entries that are inherited, on the keys below it (0: none).
DWORD UsersAccess(const char* path) {
  const std::string object = std::string("MACHINE\\") + path;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (GetNamedSecurityInfoA(object.c_str(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &sd) != ERROR_SUCCESS)
    return 0;
  BYTE usersSid[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof(usersSid);
  CreateWellKnownSid(WinBuiltinUsersSid, nullptr, usersSid, &sidSize);
  DWORD access = 0;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)) || header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    if (!EqualSid(&ace->SidStart, usersSid)) continue;
    access |= ace->Mask;
  }
  LocalFree(sd);
  return access;
}

// The hidden status window of a running tetherly.exe.
HWND ProgramWindow() { return FindWindowA("#32770", "Online Status Report"); }

bool WaitFor(bool present, DWORD limitMs) {
  for (DWORD waited = 0; waited < limitMs; waited += 100) {
    if ((ProgramWindow() != nullptr) == present) return true;
    Sleep(100);
  }
  return false;
}

void Installed(bool winStart) {
  const std::string dir = ProgramFiles();
  Check(FileExists(dir + "\\tetherly.exe"), "tetherly.exe in " + dir);
  Check(FileExists(dir + "\\uninstall.exe"), "uninstall.exe in " + dir);
  Check(IsHelpFile(dir + "\\tetherly.chm"), "the help file tetherly.chm beside the program in " + dir);
  Check(FileExists(Shortcut()), "Start-menu shortcut " + Shortcut());
  Check(Text(kUninstallKey, "DisplayName") == "Tetherly!", "Add/Remove name");
  Check(Text(kUninstallKey, "DisplayVersion") == TETHERLY_VERSION_TEXT, "Add/Remove version");
  Check(Text(kUninstallKey, "Publisher") == "Quillmark", "Add/Remove publisher");
  const DWORD size = Dword(kUninstallKey, "EstimatedSize");
  Check(size > 100 && size < 100000, "Add/Remove size " + std::to_string(size) + " KB");
  Check(Text(kUninstallKey, "UninstallString") == "\"" + dir + "\\uninstall.exe\"", "Add/Remove uninstaller, quoted");

  Check(KeyExists(settings::kKeyRoot), "settings key created");
  Check(DaclText(settings::kKeyRoot).find(kOldUsersEntry) == std::string::npos,
        "no Users grant on the settings key: " + DaclText(settings::kKeyRoot));
  for (const char* key : {settings::kKeyRoot, "SOFTWARE\\Quillmark", "SOFTWARE",
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"})
    Check((UsersAccess(key) & kWriteRights) == 0, std::string("no write right for Users on ") + key);
  const std::string run = Text(settings::kKeyRun, settings::kRunValueName);
  if (winStart) {
    Check(run == "\"" + dir + "\\tetherly.exe\"", "Run entry quoted: " + run);
    Check(Dword(settings::kKeySettings, "WinStart") == 1, "WinStart 1 with it");
  } else {
    Check(run == "<missing>", "no Run entry");
  }
}

// An install by an earlier version: its Users entry last, after one an
// administrator added of their own.
void GrantOld() {
  const std::string before = DaclText(settings::kKeyRoot);
  Check(!before.empty(), "the settings key's access list read");
  const std::string kept = before + kAdminsOwnEntry;
  Check(SetDaclText(settings::kKeyRoot, kept + kOldUsersEntry), "the old Users entry added");
  Check((UsersAccess(settings::kKeyRoot) & KEY_SET_VALUE) != 0, "Users may write now");
  FILE* f = std::fopen(kNotedDacl, "w");
  Check(f != nullptr, std::string("noted in ") + kNotedDacl);
  if (f) {
    std::fputs(kept.c_str(), f);
    std::fclose(f);
  }
}

void Upgraded() {
  char noted[4096] = {};
  FILE* f = std::fopen(kNotedDacl, "r");
  Check(f != nullptr, std::string("the noted access list in ") + kNotedDacl);
  if (f) {
    if (!std::fgets(noted, sizeof(noted), f)) noted[0] = '\0';
    std::fclose(f);
  }
  const std::string now = DaclText(settings::kKeyRoot);
  Check(now == noted, "the access list less the old Users entry: " + now);
  Check(now.find(kAdminsOwnEntry) != std::string::npos, "the administrator's own entry kept");
  Check((UsersAccess(settings::kKeyRoot) & kWriteRights) == 0, "no write right for Users");
}

void Uninstalled() {
  const std::string dir = ProgramFiles();
  Check(!FileExists(dir + "\\tetherly.exe"), "tetherly.exe removed");
  Check(!FileExists(dir + "\\uninstall.exe"), "uninstall.exe removed");
  Check(!FileExists(dir + "\\tetherly.chm"), "tetherly.chm removed");
  Check(!FileExists(dir), "install folder removed");
  Check(!FileExists(Shortcut()), "shortcut removed");
  Check(!KeyExists(kUninstallKey), "Add/Remove entry removed");
  Check(Text(settings::kKeyRun, settings::kRunValueName) == "<missing>", "Run entry removed");
  Check(Dword(settings::kKeyServices, "Hosts Added") == 1, "settings kept");
  Check(Dword(settings::kKeySettings, "WinStart") == 0, "kept settings no longer start with Windows");
  Check(ProgramWindow() == nullptr, "the running program was ended");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string step = argc > 1 ? argv[1] : "";
  if (step == "installed") {
    Installed(argc > 2 && std::string(argv[2]) == "1");
  } else if (step == "prepare") {
    SettingsStore store;
    testing_support::PointHostsAtLoopback(store);
    Check(store.Write(settings::kHostsAdded, 1), "first run marked done");
  } else if (step == "exit") {
    Check(WaitFor(true, 30000), "the installed program started");
    PostMessageA(ProgramWindow(), WM_COMMAND, 32771, 0);
    Check(WaitFor(false, 30000), "and ended on Exit");
  } else if (step == "wait-window") {
    Check(WaitFor(true, 30000), "the installed program runs");
  } else if (step == "grant-old") {
    GrantOld();
  } else if (step == "upgraded") {
    Upgraded();
  } else if (step == "uninstalled") {
    Uninstalled();
  } else {
    std::printf("usage: installer_check installed 0|1 | grant-old | upgraded | prepare | exit | wait-window | "
                "uninstalled\n");
    return 2;
  }
  return g_failures ? 1 : 0;
}

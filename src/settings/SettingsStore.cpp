#include "settings/SettingsStore.h"

#include <ctime>
#include <functional>
#include <initializer_list>

#include "app/Random15.h"
#include "settings/DefaultHosts.h"
#include "settings/ServiceKind.h"
#include "win/RegKey.h"

using namespace settings;

namespace {

// The machine's copy and the user's. Reads look at the user's first: a value
// there stands in front of the machine's.
enum class Hive { User, Machine };
constexpr Hive kReadOrder[] = {Hive::User, Hive::Machine};

HKEY RootOf(Hive hive) { return hive == Hive::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// What a write needs and no more.
const REGSAM kWriteAccess = KEY_READ | KEY_WRITE;

// A failed write leaves its reason where GetLastError finds it.
bool Succeeded(LONG rc) {
  if (rc != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(rc));
  return rc == ERROR_SUCCESS;
}
// A text that the store refuses to write (it would not read back whole).
bool RefusedText() {
  SetLastError(ERROR_INVALID_DATA);
  return false;
}

std::string ServiceKeyPath(int service) {
  return std::string(kKeyServices) + "\\" + ServiceKeyName(service);
}

std::string ProfileKeyPath(const std::string& profile) {
  return std::string(kKeyModemDialer) + "\\" + profile;
}

// Stores the text without terminator; refuses one longer than maxLength.
LONG SetText(win::RegKey& key, const char* name, const std::string& text, std::size_t maxLength) {
  const std::size_t length = TextLength(text);
  if (length > maxLength) return ERROR_INVALID_DATA;
  return key.SetString(name, text.c_str(), static_cast<DWORD>(length));
}

// Reads a REG_SZ text through a buffer of bufferSize bytes, as stored with or
// without its terminator. A text that fills the whole buffer with no room
// for its end does not fit and counts as missing, as does a longer one and
// a value of any other type.
bool GetText(const win::RegKey& key, const char* name, std::size_t bufferSize, std::string& out) {
  std::string buffer(bufferSize, '\0');
  DWORD type = 0, size = static_cast<DWORD>(bufferSize);
  LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
  if (size > bufferSize || (size == bufferSize && buffer[bufferSize - 1] != '\0')) return false;
  out.assign(buffer.c_str());  // zeros follow the data, or the check above found one
  return true;
}

// Fixed-size records: the whole field is stored, text, terminator and zeros.
LONG SetField(win::RegKey& key, const char* name, const std::string& text, std::size_t fieldSize) {
  std::string field(fieldSize, '\0');
  if (!CopyToField(text, field.data(), fieldSize)) return ERROR_INVALID_DATA;
  return key.SetString(name, field.data(), static_cast<DWORD>(fieldSize));
}

// ---- Reading ----

LONG OpenIn(win::RegKey& key, Hive hive, const char* path) {
  return key.Open(RootOf(hive), path, KEY_READ);
}

bool ReadDwordValue(const char* path, const char* name, DWORD& out) {
  for (Hive hive : kReadOrder) {
    win::RegKey key;
    if (OpenIn(key, hive, path) == ERROR_SUCCESS && key.QueryDword(name, out) == ERROR_SUCCESS)
      return true;
  }
  return false;
}

bool ReadTextValue(const char* path, const char* name, std::size_t bufferSize, std::string& out) {
  for (Hive hive : kReadOrder) {
    win::RegKey key;
    if (OpenIn(key, hive, path) == ERROR_SUCCESS && GetText(key, name, bufferSize, out)) return true;
  }
  return false;
}

// Whether the key exists in either copy.
bool KeyReadable(const char* path) {
  for (Hive hive : kReadOrder) {
    win::RegKey key;
    if (OpenIn(key, hive, path) == ERROR_SUCCESS) return true;
  }
  return false;
}

// A list is read whole from one copy: the user's when the user has the list
// key, else the machine's.
LONG OpenListForRead(win::RegKey& key, const char* path) {
  LONG rc = ERROR_FILE_NOT_FOUND;
  for (Hive hive : kReadOrder) {
    rc = OpenIn(key, hive, path);
    if (rc == ERROR_SUCCESS) return rc;
  }
  return rc;
}

// ---- Writing ----

// Fills an open key; returns the first registry error (ERROR_INVALID_DATA
// for a text it refused).
using KeyFill = std::function<LONG(win::RegKey&)>;

// Deletes the key with everything below it and makes it again, empty.
LONG RecreateIn(win::RegKey& key, HKEY root, const char* path) {
  const LONG rc = win::RegKey::DeleteTree(root, path);
  if (rc != ERROR_SUCCESS) return rc;
  return key.Create(root, path, kWriteAccess);
}

// The user's copy gives up values the machine's now holds.
void ClearUserValues(const char* path, std::initializer_list<const char*> names) {
  win::RegKey key;
  if (key.Open(HKEY_CURRENT_USER, path, KEY_SET_VALUE) != ERROR_SUCCESS) return;
  for (const char* name : names) key.DeleteValue(name);
}

// A write goes to the machine's copy first and, where the machine refuses,
// to the user's. The store's own flag stands in for a machine that refuses.
LONG WriteIn(bool machineWritable, HKEY root, const char* path, const KeyFill& fill) {
  if (root == HKEY_LOCAL_MACHINE && !machineWritable) return ERROR_ACCESS_DENIED;
  win::RegKey key;
  const LONG rc = key.OpenOrCreate(root, path, kWriteAccess);
  return rc == ERROR_SUCCESS ? fill(key) : rc;
}

// `names` are the values `fill` writes: after a machine write they are taken
// out of the user's copy, so the machine's values count again.
bool WriteValues(bool machineWritable, const char* path, std::initializer_list<const char*> names,
                 const KeyFill& fill) {
  const LONG rc = WriteIn(machineWritable, HKEY_LOCAL_MACHINE, path, fill);
  if (rc == ERROR_SUCCESS) {
    ClearUserValues(path, names);
    return true;
  }
  if (rc == ERROR_INVALID_DATA) return RefusedText();  // no copy would take it
  return Succeeded(WriteIn(machineWritable, HKEY_CURRENT_USER, path, fill));
}

// A list key is written whole: emptied first when `empty` (a list saved
// anew), else added to (seeding). After a machine write the user's copy of
// the list goes, so the machine's list is read again.
bool WriteList(bool machineWritable, const char* path, bool empty, const KeyFill& fill) {
  auto writeIn = [&](HKEY root) -> LONG {
    if (root == HKEY_LOCAL_MACHINE && !machineWritable) return ERROR_ACCESS_DENIED;
    win::RegKey key;
    const LONG rc = empty ? RecreateIn(key, root, path) : key.OpenOrCreate(root, path, kWriteAccess);
    return rc == ERROR_SUCCESS ? fill(key) : rc;
  };
  const LONG rc = writeIn(HKEY_LOCAL_MACHINE);
  if (rc == ERROR_SUCCESS) {
    win::RegKey::DeleteTree(HKEY_CURRENT_USER, path);
    return true;
  }
  if (rc == ERROR_INVALID_DATA) return RefusedText();
  return Succeeded(writeIn(HKEY_CURRENT_USER));
}

}  // namespace

SettingsStore SettingsStore::WithMachineReadOnly() {
  SettingsStore store;
  store.machineWritable_ = false;
  return store;
}

namespace {

struct ClientLayout {
  const char* optionsKey;
  const char* screenNamesKey;
  const DwordSetting* launchBrowser;
  const StringSetting* programPath;
  const DwordSetting* useScreenName;
};

const ClientLayout& LayoutOf(SignOnClient client) {
  static const ClientLayout aol{kKeyAolOptions, kKeyAolScreenNames, &kAolLaunchBrowser,
                                &kAolProgramPath, &kAolUseScreenName};
  static const ClientLayout cs{kKeyCsOptions, kKeyCsScreenNames, &kCsLaunchBrowser,
                               &kCsProgramPath, &kCsUseScreenName};
  return client == SignOnClient::Cs ? cs : aol;
}

struct SiteLayout {
  const char* listKey;
  const char* prefix;
  const DwordSetting* flag;
  const DwordSetting* marker;
  std::span<const char* const> (*defaults)();
};

const SiteLayout& LayoutOf(SiteList list) {
  static const SiteLayout aolSites{kKeyAolSites, kAolSitePrefix, &kAolUseSpecificSite,
                                   &kAolSpecificSiteSet, &DefaultAolSites};
  static const SiteLayout extSites{kKeyExtBrowserSites, kExtBrowserSitePrefix,
                                   &kAolLaunchExternalBrowser, &kAolExtBrowserSiteSet,
                                   &DefaultExtBrowserSites};
  return list == SiteList::ExtBrowserSites ? extSites : aolSites;
}

// Writes a fixed-field list into an emptied key: entries named prefix +
// index, then the default. Empty entries are skipped, over-long ones skipped
// and counted in `allKept`; the first registry error ends the write.
LONG FillFieldList(win::RegKey& key, const char* prefix, const char* defaultName,
                   std::size_t fieldSize, const std::string& defaultText,
                   const std::vector<std::string>& entries, bool& allKept) {
  allKept = true;
  std::size_t index = 0;
  for (const std::string& entry : entries) {
    const std::size_t length = TextLength(entry);
    if (length == 0) continue;
    if (length >= fieldSize) {
      allKept = false;
      continue;
    }
    const LONG rc = SetField(key, IndexedName(prefix, index).c_str(), entry, fieldSize);
    if (rc != ERROR_SUCCESS) return rc;
    ++index;
  }
  std::string storedDefault = defaultText;
  if (TextLength(storedDefault) >= fieldSize) {
    storedDefault.clear();
    allKept = false;
  }
  return SetField(key, defaultName, storedDefault, fieldSize);
}

// Appends entries prefix + 0, 1, ... up to the first missing (false) or
// empty (true) one.
bool ReadFieldEntries(const win::RegKey& key, const char* prefix, std::size_t fieldSize,
                      std::vector<std::string>& out) {
  for (std::size_t i = 0;; ++i) {
    std::string text;
    if (!GetText(key, IndexedName(prefix, i).c_str(), fieldSize, text)) return false;
    if (text.empty()) return true;
    out.push_back(std::move(text));
  }
}

}  // namespace

// ---- Single values --------------------------------------------------------------

DWORD SettingsStore::Read(const DwordSetting& setting) const {
  DWORD value = setting.defaultValue;
  ReadFlag(setting, value);
  return value;
}

bool SettingsStore::ReadFlag(const DwordSetting& setting, DWORD& out) const {
  return ReadDwordValue(setting.key, setting.name, out);
}

bool SettingsStore::Write(const DwordSetting& setting, DWORD value) {
  return WriteValues(machineWritable_, setting.key, {setting.name},
                     [&](win::RegKey& key) { return key.SetDword(setting.name, value); });
}

bool SettingsStore::Read(const StringSetting& setting, std::string& out) const {
  if (ReadTextValue(setting.key, setting.name, kStringReadBuffer, out)) return true;
  if (setting.defaultText) out = setting.defaultText;
  return false;
}

bool SettingsStore::Write(const StringSetting& setting, const std::string& text) {
  if (TextLength(text) > kMaxGeneralText) return RefusedText();
  return WriteValues(machineWritable_, setting.key, {setting.name}, [&](win::RegKey& key) {
    return SetText(key, setting.name, text, kMaxGeneralText);
  });
}

// ---- Services -----------------------------------------------------------------------

bool SettingsStore::ReadServiceFlags(DWORD out[6]) const {
  if (!KeyReadable(kKeyServices)) return false;
  for (int i = 0; i < kServiceCount; ++i) out[i] = Read(kServiceFlags[i]);
  return true;
}

bool SettingsStore::WriteServiceFlags(const DWORD flags[6]) {
  return WriteValues(machineWritable_, kKeyServices,
                     {kHttpOn.name, kFtpOn.name, kEchoOn.name, kDiscardOn.name, kTimeServerOn.name,
                      kUserPortOn.name},
                     [&](win::RegKey& key) {
                       for (int i = 0; i < kServiceCount; ++i) {
                         const LONG rc = key.SetDword(kServiceFlags[i].name, flags[i]);
                         if (rc != ERROR_SUCCESS) return rc;
                       }
                       return LONG{ERROR_SUCCESS};
                     });
}

int SettingsStore::ReadServiceType() {
  if (!KeyReadable(kKeyServices)) {
    SeedDefaultHosts();
    return -1;
  }
  DWORD value = 0;
  if (!ReadFlag(kServiceType, value)) return -1;
  const int service = static_cast<int>(value);
  return IsServiceIndex(service) ? service : -1;
}

// ---- Interval -----------------------------------------------------------------------

bool SettingsStore::ReadIntervalNumbers(DWORD& start, DWORD& end, DWORD& fixed) const {
  start = kRandomStart.defaultValue;
  end = kRandomEnd.defaultValue;
  fixed = kFixed.defaultValue;
  return ReadFlag(kRandomStart, start) && ReadFlag(kRandomEnd, end) && ReadFlag(kFixed, fixed);
}

bool SettingsStore::WriteIntervalNumbers(DWORD start, DWORD end, DWORD fixed) {
  return WriteValues(machineWritable_, kKeyInterval,
                     {kRandomStart.name, kRandomEnd.name, kFixed.name}, [&](win::RegKey& key) {
                       LONG rc = key.SetDword(kRandomStart.name, start);
                       if (rc == ERROR_SUCCESS) rc = key.SetDword(kRandomEnd.name, end);
                       if (rc == ERROR_SUCCESS) rc = key.SetDword(kFixed.name, fixed);
                       return rc;
                     });
}

// ---- Host lists ---------------------------------------------------------------------

bool SettingsStore::ReadHostList(int service, std::vector<std::string>& hosts) const {
  if (!IsServiceIndex(service)) return false;
  win::RegKey key;
  if (OpenListForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  for (std::size_t i = 0;; ++i) {
    std::string host;
    if (!GetText(key, IndexedName("", i).c_str(), kStringReadBuffer, host)) return false;
    if (host.empty()) return true;
    hosts.push_back(std::move(host));
  }
}

bool SettingsStore::WriteHostList(int service, const std::vector<std::string>& hosts) {
  if (!IsServiceIndex(service)) return false;
  bool allKept = true;
  const bool written =
      WriteList(machineWritable_, ServiceKeyPath(service).c_str(), true, [&](win::RegKey& key) {
        allKept = true;
        std::size_t index = 0;
        for (const std::string& host : hosts) {
          const std::size_t length = TextLength(host);
          if (length == 0) continue;
          if (length > kMaxGeneralText) {
            allKept = false;
            continue;
          }
          const LONG rc = SetText(key, IndexedName("", index).c_str(), host, kMaxGeneralText);
          if (rc != ERROR_SUCCESS) return rc;
          ++index;
        }
        return LONG{ERROR_SUCCESS};
      });
  return written && (allKept || RefusedText());
}

bool SettingsStore::ReadHost(int service, int index, std::string& host) const {
  host.clear();
  if (!IsServiceIndex(service) || index < 0) return false;
  win::RegKey key;
  if (OpenListForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  return GetText(key, IndexedName("", static_cast<std::size_t>(index)).c_str(), kStringReadBuffer,
                 host);
}

// "Dedicated" belongs to its list (a list written anew drops it), so it is
// read from the copy the list is read from.
bool SettingsStore::ReadDedicatedHost(int service, std::string& host) const {
  host.clear();
  if (!IsServiceIndex(service)) return false;
  win::RegKey key;
  if (OpenListForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  return GetText(key, kDedicatedValueName, kStringReadBuffer, host);
}

bool SettingsStore::WriteDedicatedHost(int service, const std::string& host) {
  if (!IsServiceIndex(service) || TextLength(host) > kMaxGeneralText) return false;
  const std::string path = ServiceKeyPath(service);
  return WriteValues(machineWritable_, path.c_str(), {kDedicatedValueName}, [&](win::RegKey& key) {
    return SetText(key, kDedicatedValueName, host, kMaxGeneralText);
  });
}

bool SettingsStore::SeedDefaultHosts() {
  return SeedDefaultHosts(static_cast<DWORD>(std::time(nullptr)));
}

bool SettingsStore::SeedDefaultHosts(DWORD nowSeconds) {
  bool allSeeded = true;
  for (int service = 0; service < kServiceCount; ++service) {
    const std::span<const char* const> hosts = DefaultHosts(service);
    Random15& random = Random15::Shared();
    random.Seed(nowSeconds);
    const std::size_t pick = static_cast<std::size_t>(random.Next()) % hosts.size();
    // Entries already there under the same names are overwritten, others stay.
    const bool seeded =
        WriteList(machineWritable_, ServiceKeyPath(service).c_str(), false, [&](win::RegKey& key) {
          for (std::size_t i = 0; i < hosts.size(); ++i) {
            const LONG rc = SetText(key, IndexedName("", i).c_str(), hosts[i], kMaxGeneralText);
            if (rc != ERROR_SUCCESS) return rc;
          }
          return SetText(key, kDedicatedValueName, hosts[pick], kMaxGeneralText);
        });
    allSeeded = seeded && allSeeded;
  }
  // Without every list in place the next start seeds again.
  if (!allSeeded) return false;
  return Write(kHostsAdded, 1);
}

// ---- Windows start-up entry -----------------------------------------------------------

namespace {

bool RunEntryIn(HKEY root) {
  win::RegKey key;
  std::string entry;
  return key.Open(root, kKeyRun, KEY_READ) == ERROR_SUCCESS &&
         GetText(key, kRunValueName, kRunEntryBuffer, entry);
}

}  // namespace

bool SettingsStore::WriteRunEntry(bool enabled) {
  if (!enabled) return DeleteRunEntries();
  char path[kRunPathBuffer] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  // A cut path would start some other file, or nothing, with Windows.
  if (length == 0 || length >= sizeof(path)) return Succeeded(length ? ERROR_FILENAME_EXCED_RANGE : GetLastError());
  // Quoted: under "Program Files" Windows would otherwise try "C:\Program.exe" first.
  const std::string entry = RunEntryText(std::string(path, length));
  return WriteValues(machineWritable_, kKeyRun, {kRunValueName}, [&](win::RegKey& key) {
    return key.SetString(kRunValueName, entry.c_str(), static_cast<DWORD>(entry.size()));
  });
}

// Both entries go; one that this account may not delete stays and fails the
// call, as does finding none at all.
bool SettingsStore::DeleteRunEntries() {
  bool deleted = false;
  LONG kept = ERROR_SUCCESS;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    win::RegKey key;
    LONG rc = root == HKEY_LOCAL_MACHINE && !machineWritable_
                  ? ERROR_ACCESS_DENIED
                  : key.Open(root, kKeyRun, KEY_SET_VALUE);
    if (rc == ERROR_SUCCESS) rc = key.DeleteValue(kRunValueName);
    if (rc == ERROR_SUCCESS) deleted = true;
    else if (rc != ERROR_FILE_NOT_FOUND && RunEntryIn(root)) kept = rc;
  }
  if (kept != ERROR_SUCCESS) return Succeeded(kept);
  return deleted || Succeeded(ERROR_FILE_NOT_FOUND);
}

bool SettingsStore::ReadRunEntry(std::string& path) const {
  std::string entry;
  if (!ReadTextValue(kKeyRun, kRunValueName, kRunEntryBuffer, entry)) return false;
  path = PathFromRunEntry(entry);
  return true;
}

DWORD SettingsStore::CheckWritable() const {
  win::RegKey key;
  if (machineWritable_ &&
      key.OpenOrCreate(HKEY_LOCAL_MACHINE, kKeyRoot, kWriteAccess) == ERROR_SUCCESS)
    return ERROR_SUCCESS;
  return static_cast<DWORD>(key.OpenOrCreate(HKEY_CURRENT_USER, kKeyRoot, kWriteAccess));
}

// ---- Dial-up profile credentials ------------------------------------------------------

bool SettingsStore::ReadProfileCredentials(const std::string& profile, std::string& login,
                                           std::string& password) const {
  if (TextLength(profile) == 0) return false;
  const std::string path = ProfileKeyPath(profile);
  std::string storedLogin, storedPassword;
  if (!ReadTextValue(path.c_str(), kProfileLoginName, kProfileReadBuffer, storedLogin) ||
      !ReadTextValue(path.c_str(), kProfilePasswordName, kProfileReadBuffer, storedPassword))
    return false;
  login = std::move(storedLogin);
  password = std::move(storedPassword);
  return true;
}

bool SettingsStore::WriteProfileCredentials(const std::string& profile, const std::string& login,
                                            const std::string& password) {
  // Without a name the values would land in "Modem Dialer" itself.
  if (TextLength(profile) == 0) return RefusedText();
  if (TextLength(login) > kMaxProfileText || TextLength(password) > kMaxProfileText) return RefusedText();
  const std::string path = ProfileKeyPath(profile);
  return WriteValues(machineWritable_, path.c_str(), {kProfileLoginName, kProfilePasswordName},
                     [&](win::RegKey& key) {
                       const LONG rc = SetText(key, kProfileLoginName, login, kMaxProfileText);
                       if (rc != ERROR_SUCCESS) return rc;
                       return SetText(key, kProfilePasswordName, password, kMaxProfileText);
                     });
}

// ---- Trace window rectangle -------------------------------------------------------------

bool SettingsStore::ReadTraceRect(LONG& left, LONG& top, LONG& right, LONG& bottom) const {
  DWORD edges[4] = {};
  const DwordSetting* names[4] = {&kTraceLeft, &kTraceTop, &kTraceRight, &kTraceBottom};
  for (int i = 0; i < 4; ++i) {
    if (!ReadFlag(*names[i], edges[i])) return false;
  }
  left = static_cast<LONG>(edges[0]);
  top = static_cast<LONG>(edges[1]);
  right = static_cast<LONG>(edges[2]);
  bottom = static_cast<LONG>(edges[3]);
  return true;
}

bool SettingsStore::WriteTraceRect(LONG left, LONG top, LONG right, LONG bottom) {
  const DWORD edges[4] = {static_cast<DWORD>(left), static_cast<DWORD>(top),
                          static_cast<DWORD>(right), static_cast<DWORD>(bottom)};
  const DwordSetting* names[4] = {&kTraceLeft, &kTraceTop, &kTraceRight, &kTraceBottom};
  return WriteValues(machineWritable_, kKeyTraceMessage,
                     {kTraceLeft.name, kTraceTop.name, kTraceRight.name, kTraceBottom.name},
                     [&](win::RegKey& key) {
                       for (int i = 0; i < 4; ++i) {
                         const LONG rc = key.SetDword(names[i]->name, edges[i]);
                         if (rc != ERROR_SUCCESS) return rc;
                       }
                       return LONG{ERROR_SUCCESS};
                     });
}

// ---- AOL / CS2000 client launch ----------------------------------------------------------

bool SettingsStore::ReadBrowserLaunch(SignOnClient client, DWORD& launch, std::string& path) const {
  const ClientLayout& layout = LayoutOf(client);
  launch = 0;
  path.clear();
  DWORD storedLaunch = 0;
  std::string storedPath;
  if (!ReadFlag(*layout.launchBrowser, storedLaunch) ||
      !ReadTextValue(layout.optionsKey, layout.programPath->name, kProgramPathBuffer, storedPath))
    return false;
  launch = storedLaunch;
  path = std::move(storedPath);
  return true;
}

bool SettingsStore::WriteBrowserLaunch(SignOnClient client, DWORD launch, const std::string& path) {
  const ClientLayout& layout = LayoutOf(client);
  if (TextLength(path) > kMaxProgramPath) return RefusedText();
  const char* launchName = layout.launchBrowser->name;
  auto fill = [&](win::RegKey& key) {
    const LONG rc = key.SetDword(launchName, launch);
    if (rc != ERROR_SUCCESS || TextLength(path) == 0) return rc;  // an empty path keeps the stored one
    return SetText(key, layout.programPath->name, path, kMaxProgramPath);
  };
  if (TextLength(path) == 0) return WriteValues(machineWritable_, layout.optionsKey, {launchName}, fill);
  return WriteValues(machineWritable_, layout.optionsKey, {launchName, layout.programPath->name}, fill);
}

// ---- Screen names -------------------------------------------------------------------------

bool SettingsStore::ReadScreenNames(SignOnClient client, DWORD& useScreenName,
                                    std::string& defaultName,
                                    std::vector<std::string>& names) const {
  const ClientLayout& layout = LayoutOf(client);
  useScreenName = Read(*layout.useScreenName);
  win::RegKey key;
  if (OpenListForRead(key, layout.screenNamesKey) != ERROR_SUCCESS) return false;
  std::string storedDefault;
  if (!GetText(key, kDefaultScreenNameName, kScreenNameField, storedDefault)) return false;
  defaultName = std::move(storedDefault);
  return ReadFieldEntries(key, kScreenNamePrefix, kScreenNameField, names);
}

bool SettingsStore::WriteScreenNames(SignOnClient client, DWORD useScreenName,
                                     const std::string& defaultName,
                                     const std::vector<std::string>& names) {
  const ClientLayout& layout = LayoutOf(client);
  const bool flagWritten = Write(*layout.useScreenName, useScreenName);
  bool allKept = true;
  const bool listWritten = WriteList(machineWritable_, layout.screenNamesKey, true, [&](win::RegKey& key) {
    return FillFieldList(key, kScreenNamePrefix, kDefaultScreenNameName, kScreenNameField,
                         defaultName, names, allKept);
  });
  return flagWritten && listWritten && (allKept || RefusedText());
}

// ---- AOL site lists ----------------------------------------------------------------------

bool SettingsStore::ReadSiteList(SiteList list, DWORD& flag, std::string& defaultSite,
                                 std::vector<std::string>& sites) const {
  const SiteLayout& layout = LayoutOf(list);
  flag = Read(*layout.flag);
  win::RegKey key;
  if (OpenListForRead(key, layout.listKey) != ERROR_SUCCESS) return false;
  std::string storedDefault;
  GetText(key, kDefaultSiteName, kSiteField, storedDefault);
  defaultSite = std::move(storedDefault);
  ReadFieldEntries(key, layout.prefix, kSiteField, sites);
  return true;
}

bool SettingsStore::WriteSiteList(SiteList list, DWORD flag, const std::string& defaultSite,
                                  const std::vector<std::string>& sites) {
  const SiteLayout& layout = LayoutOf(list);
  const bool flagWritten = Write(*layout.flag, flag);
  bool allKept = true;
  const bool listWritten = WriteList(machineWritable_, layout.listKey, true, [&](win::RegKey& key) {
    return FillFieldList(key, layout.prefix, kDefaultSiteName, kSiteField, defaultSite, sites,
                         allKept);
  });
  return flagWritten && listWritten && (allKept || RefusedText());
}

bool SettingsStore::SeedSiteList(SiteList list) {
  const SiteLayout& layout = LayoutOf(list);
  const std::span<const char* const> entries = layout.defaults();
  const bool seeded = WriteList(machineWritable_, layout.listKey, false, [&](win::RegKey& key) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const LONG rc = SetText(key, IndexedName(layout.prefix, i).c_str(), entries[i], kMaxSite);
      if (rc != ERROR_SUCCESS) return rc;
    }
    return LONG{ERROR_SUCCESS};
  });
  return seeded && Write(*layout.marker, 1);
}

bool SettingsStore::SeedSiteListIfUnset(SiteList list) {
  if (Read(*LayoutOf(list).marker) == 1) return false;
  return SeedSiteList(list);
}

// ---- MSN POP3 ---------------------------------------------------------------------------

namespace {

bool ReadPop3Text(const SettingsStore& store, const StringSetting& setting, std::string& text) {
  std::string stored;
  const bool found = store.Read(setting, stored);
  text = found ? Pop3TextFromStored(stored) : std::string();
  return found;
}

}  // namespace

bool SettingsStore::ReadPop3ServerName(std::string& text) const {
  return ReadPop3Text(*this, kPop3ServerName, text);
}
bool SettingsStore::ReadPop3Login(std::string& text) const {
  return ReadPop3Text(*this, kPop3Login, text);
}
bool SettingsStore::ReadPop3Password(std::string& text) const {
  return ReadPop3Text(*this, kPop3Password, text);
}

bool SettingsStore::WritePop3ServerName(const std::string& text) {
  return Write(kPop3ServerName, Pop3ServerToStore(text));
}
bool SettingsStore::WritePop3Login(const std::string& text) { return Write(kPop3Login, text); }
bool SettingsStore::WritePop3Password(const std::string& text) {
  return Write(kPop3Password, text);
}

DWORD SettingsStore::ReadPop3Interval() const {
  return Pop3IntervalFromStored(Read(kPop3TimerInterval));
}

bool SettingsStore::WritePop3Interval(long entry) {
  return Write(kPop3TimerInterval, Pop3IntervalToStore(entry));
}

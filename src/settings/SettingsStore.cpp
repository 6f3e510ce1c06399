#include "settings/SettingsStore.h"

#include <ctime>

#include "app/Random15.h"
#include "settings/DefaultHosts.h"
#include "settings/ServiceKind.h"
#include "win/RegKey.h"

using namespace settings;

namespace {

const HKEY kHive = HKEY_LOCAL_MACHINE;
// What a write needs and no more: a standard user granted modify rights on
// the program's key (the installer does that) gets exactly these.
const REGSAM kWriteAccess = KEY_READ | KEY_WRITE;

LONG OpenForRead(win::RegKey& key, const char* path) { return key.Open(kHive, path, KEY_READ); }

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

LONG OpenForWrite(win::RegKey& key, const char* path) {
  const LONG rc = key.OpenOrCreate(kHive, path, kWriteAccess);
  if (rc != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(rc));
  return rc;
}

std::string ServiceKeyPath(int service) {
  return std::string(kKeyServices) + "\\" + ServiceKeyName(service);
}

std::string ProfileKeyPath(const std::string& profile) {
  return std::string(kKeyModemDialer) + "\\" + profile;
}

// Stores the text without terminator; refuses one longer than maxLength.
bool SetText(win::RegKey& key, const char* name, const std::string& text, std::size_t maxLength) {
  const std::size_t length = TextLength(text);
  if (length > maxLength) return RefusedText();
  return Succeeded(key.SetString(name, text.c_str(), static_cast<DWORD>(length)));
}

// Reads a text through a buffer of bufferSize bytes, as stored with or
// without its terminator. A text that fills the whole buffer with no room
// for its end does not fit and counts as missing, as does a longer one.
bool GetText(const win::RegKey& key, const char* name, std::size_t bufferSize, std::string& out) {
  std::string buffer(bufferSize, '\0');
  DWORD type = 0, size = static_cast<DWORD>(bufferSize);
  LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  if (size > bufferSize || (size == bufferSize && buffer[bufferSize - 1] != '\0')) return false;
  out.assign(buffer.c_str());  // zeros follow the data, or the check above found one
  return true;
}

// Fixed-size records: the whole field is stored, text, terminator and zeros.
bool SetField(win::RegKey& key, const char* name, const std::string& text, std::size_t fieldSize) {
  std::string field(fieldSize, '\0');
  if (!CopyToField(text, field.data(), fieldSize)) return RefusedText();
  return Succeeded(key.SetString(name, field.data(), static_cast<DWORD>(fieldSize)));
}

// Empties a list key by deleting and creating it again.
bool RecreateKey(win::RegKey& key, const char* path) {
  if (!Succeeded(win::RegKey::DeleteTree(kHive, path))) return false;
  return Succeeded(key.Create(kHive, path, kWriteAccess));
}

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

// Writes a fixed-field list under a freshly emptied key: entries named
// prefix + index, then the default. Empty entries are skipped, over-long ones
// skipped and reported; the first registry error ends the write.
bool WriteFieldList(const char* listKey, const char* prefix, const char* defaultName,
                    std::size_t fieldSize, const std::string& defaultText,
                    const std::vector<std::string>& entries) {
  win::RegKey key;
  if (!RecreateKey(key, listKey)) return false;
  bool allKept = true;
  std::size_t index = 0;
  for (const std::string& entry : entries) {
    const std::size_t length = TextLength(entry);
    if (length == 0) continue;
    if (length >= fieldSize) {
      allKept = false;
      continue;
    }
    if (!SetField(key, IndexedName(prefix, index).c_str(), entry, fieldSize)) return false;
    ++index;
  }
  std::string storedDefault = defaultText;
  if (TextLength(storedDefault) >= fieldSize) {
    storedDefault.clear();
    allKept = false;
  }
  return SetField(key, defaultName, storedDefault, fieldSize) && (allKept || RefusedText());
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
  win::RegKey key;
  if (OpenForRead(key, setting.key) != ERROR_SUCCESS) return false;
  DWORD value = 0;
  if (key.QueryDword(setting.name, value) != ERROR_SUCCESS) return false;
  out = value;
  return true;
}

bool SettingsStore::Write(const DwordSetting& setting, DWORD value) {
  win::RegKey key;
  if (OpenForWrite(key, setting.key) != ERROR_SUCCESS) return false;
  return Succeeded(key.SetDword(setting.name, value));
}

bool SettingsStore::Read(const StringSetting& setting, std::string& out) const {
  win::RegKey key;
  std::string text;
  if (OpenForRead(key, setting.key) == ERROR_SUCCESS &&
      GetText(key, setting.name, kStringReadBuffer, text)) {
    out = std::move(text);
    return true;
  }
  if (setting.defaultText) out = setting.defaultText;
  return false;
}

bool SettingsStore::Write(const StringSetting& setting, const std::string& text) {
  if (TextLength(text) > kMaxGeneralText) return RefusedText();
  win::RegKey key;
  if (OpenForWrite(key, setting.key) != ERROR_SUCCESS) return false;
  return SetText(key, setting.name, text, kMaxGeneralText);
}

// ---- Services -----------------------------------------------------------------------

bool SettingsStore::ReadServiceFlags(DWORD out[6]) const {
  win::RegKey key;
  if (OpenForRead(key, kKeyServices) != ERROR_SUCCESS) return false;
  for (int i = 0; i < kServiceCount; ++i) {
    DWORD value = 0;
    out[i] = key.QueryDword(kServiceFlags[i].name, value) == ERROR_SUCCESS
                 ? value
                 : kServiceFlags[i].defaultValue;
  }
  return true;
}

bool SettingsStore::WriteServiceFlags(const DWORD flags[6]) {
  win::RegKey key;
  if (OpenForWrite(key, kKeyServices) != ERROR_SUCCESS) return false;
  for (int i = 0; i < kServiceCount; ++i) {
    if (key.SetDword(kServiceFlags[i].name, flags[i]) != ERROR_SUCCESS) return false;
  }
  return true;
}

int SettingsStore::ReadServiceType() {
  win::RegKey key;
  if (OpenForRead(key, kKeyServices) != ERROR_SUCCESS) {
    SeedDefaultHosts();
    return -1;
  }
  DWORD value = 0;
  if (key.QueryDword(kServiceType.name, value) != ERROR_SUCCESS) return -1;
  const int service = static_cast<int>(value);
  return IsServiceIndex(service) ? service : -1;
}

// ---- Interval -----------------------------------------------------------------------

bool SettingsStore::ReadIntervalNumbers(DWORD& start, DWORD& end, DWORD& fixed) const {
  start = kRandomStart.defaultValue;
  end = kRandomEnd.defaultValue;
  fixed = kFixed.defaultValue;
  win::RegKey key;
  if (OpenForRead(key, kKeyInterval) != ERROR_SUCCESS) return false;
  return key.QueryDword(kRandomStart.name, start) == ERROR_SUCCESS &&
         key.QueryDword(kRandomEnd.name, end) == ERROR_SUCCESS &&
         key.QueryDword(kFixed.name, fixed) == ERROR_SUCCESS;
}

bool SettingsStore::WriteIntervalNumbers(DWORD start, DWORD end, DWORD fixed) {
  win::RegKey key;
  if (OpenForWrite(key, kKeyInterval) != ERROR_SUCCESS) return false;
  return key.SetDword(kRandomStart.name, start) == ERROR_SUCCESS &&
         key.SetDword(kRandomEnd.name, end) == ERROR_SUCCESS &&
         key.SetDword(kFixed.name, fixed) == ERROR_SUCCESS;
}

// ---- Host lists ---------------------------------------------------------------------

bool SettingsStore::ReadHostList(int service, std::vector<std::string>& hosts) const {
  if (!IsServiceIndex(service)) return false;
  win::RegKey key;
  if (OpenForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  for (std::size_t i = 0;; ++i) {
    std::string host;
    if (!GetText(key, IndexedName("", i).c_str(), kStringReadBuffer, host)) return false;
    if (host.empty()) return true;
    hosts.push_back(std::move(host));
  }
}

bool SettingsStore::WriteHostList(int service, const std::vector<std::string>& hosts) {
  if (!IsServiceIndex(service)) return false;
  const std::string path = ServiceKeyPath(service);
  win::RegKey key;
  if (!RecreateKey(key, path.c_str())) return false;
  bool allKept = true;
  std::size_t index = 0;
  for (const std::string& host : hosts) {
    const std::size_t length = TextLength(host);
    if (length == 0) continue;
    if (length > kMaxGeneralText) {
      allKept = false;
      continue;
    }
    if (!SetText(key, IndexedName("", index).c_str(), host, kMaxGeneralText)) return false;
    ++index;
  }
  return allKept;
}

bool SettingsStore::ReadHost(int service, int index, std::string& host) const {
  host.clear();
  if (!IsServiceIndex(service) || index < 0) return false;
  win::RegKey key;
  if (OpenForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  return GetText(key, IndexedName("", static_cast<std::size_t>(index)).c_str(), kStringReadBuffer,
                 host);
}

bool SettingsStore::ReadDedicatedHost(int service, std::string& host) const {
  host.clear();
  if (!IsServiceIndex(service)) return false;
  win::RegKey key;
  if (OpenForRead(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  return GetText(key, kDedicatedValueName, kStringReadBuffer, host);
}

bool SettingsStore::WriteDedicatedHost(int service, const std::string& host) {
  if (!IsServiceIndex(service) || TextLength(host) > kMaxGeneralText) return false;
  win::RegKey key;
  if (OpenForWrite(key, ServiceKeyPath(service).c_str()) != ERROR_SUCCESS) return false;
  return SetText(key, kDedicatedValueName, host, kMaxGeneralText);
}

bool SettingsStore::SeedDefaultHosts() {
  return SeedDefaultHosts(static_cast<DWORD>(std::time(nullptr)));
}

bool SettingsStore::SeedDefaultHosts(DWORD nowSeconds) {
  bool allSeeded = true;
  for (int service = 0; service < kServiceCount; ++service) {
    const std::span<const char* const> hosts = DefaultHosts(service);
    win::RegKey key;
    if (key.Create(kHive, ServiceKeyPath(service).c_str(), kWriteAccess) != ERROR_SUCCESS) {
      allSeeded = false;
      continue;
    }
    Random15& random = Random15::Shared();
    random.Seed(nowSeconds);
    for (std::size_t i = 0; i < hosts.size(); ++i) {
      if (!SetText(key, IndexedName("", i).c_str(), hosts[i], kMaxGeneralText)) allSeeded = false;
    }
    const std::size_t pick = static_cast<std::size_t>(random.Next()) % hosts.size();
    if (!SetText(key, kDedicatedValueName, hosts[pick], kMaxGeneralText)) allSeeded = false;
  }
  // Without every list in place the next start seeds again.
  if (!allSeeded) return false;
  return Write(kHostsAdded, 1);
}

// ---- Windows start-up entry -----------------------------------------------------------

bool SettingsStore::WriteRunEntry(bool enabled) {
  win::RegKey key;
  if (!enabled) {
    if (!Succeeded(key.Open(kHive, kKeyRun, KEY_SET_VALUE))) return false;
    return Succeeded(key.DeleteValue(kRunValueName));
  }
  char path[kRunPathBuffer] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  // A cut path would start some other file, or nothing, with Windows.
  if (length == 0 || length >= sizeof(path)) return Succeeded(length ? ERROR_FILENAME_EXCED_RANGE : GetLastError());
  if (OpenForWrite(key, kKeyRun) != ERROR_SUCCESS) return false;
  // Quoted: under "Program Files" Windows would otherwise try "C:\Program.exe" first.
  const std::string entry = RunEntryText(std::string(path, length));
  return Succeeded(key.SetString(kRunValueName, entry.c_str(), static_cast<DWORD>(entry.size())));
}

bool SettingsStore::ReadRunEntry(std::string& path) const {
  win::RegKey key;
  if (OpenForRead(key, kKeyRun) != ERROR_SUCCESS) return false;
  std::string entry;
  if (!GetText(key, kRunValueName, kRunEntryBuffer, entry)) return false;
  path = PathFromRunEntry(entry);
  return true;
}

DWORD SettingsStore::CheckWritable() const {
  win::RegKey key;
  return static_cast<DWORD>(key.OpenOrCreate(kHive, kKeyRoot, kWriteAccess));
}

// ---- Dial-up profile credentials ------------------------------------------------------

bool SettingsStore::ReadProfileCredentials(const std::string& profile, std::string& login,
                                           std::string& password) const {
  if (TextLength(profile) == 0) return false;
  win::RegKey key;
  if (OpenForRead(key, ProfileKeyPath(profile).c_str()) != ERROR_SUCCESS) return false;
  std::string storedLogin, storedPassword;
  if (!GetText(key, kProfileLoginName, kProfileReadBuffer, storedLogin) ||
      !GetText(key, kProfilePasswordName, kProfileReadBuffer, storedPassword))
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
  win::RegKey key;
  if (OpenForWrite(key, ProfileKeyPath(profile).c_str()) != ERROR_SUCCESS) return false;
  return SetText(key, kProfileLoginName, login, kMaxProfileText) &&
         SetText(key, kProfilePasswordName, password, kMaxProfileText);
}

// ---- Trace window rectangle -------------------------------------------------------------

bool SettingsStore::ReadTraceRect(LONG& left, LONG& top, LONG& right, LONG& bottom) const {
  win::RegKey key;
  if (OpenForRead(key, kKeyTraceMessage) != ERROR_SUCCESS) return false;
  DWORD edges[4] = {};
  const DwordSetting* names[4] = {&kTraceLeft, &kTraceTop, &kTraceRight, &kTraceBottom};
  for (int i = 0; i < 4; ++i) {
    if (key.QueryDword(names[i]->name, edges[i]) != ERROR_SUCCESS) return false;
  }
  left = static_cast<LONG>(edges[0]);
  top = static_cast<LONG>(edges[1]);
  right = static_cast<LONG>(edges[2]);
  bottom = static_cast<LONG>(edges[3]);
  return true;
}

bool SettingsStore::WriteTraceRect(LONG left, LONG top, LONG right, LONG bottom) {
  win::RegKey key;
  if (OpenForWrite(key, kKeyTraceMessage) != ERROR_SUCCESS) return false;
  return key.SetDword(kTraceLeft.name, static_cast<DWORD>(left)) == ERROR_SUCCESS &&
         key.SetDword(kTraceTop.name, static_cast<DWORD>(top)) == ERROR_SUCCESS &&
         key.SetDword(kTraceRight.name, static_cast<DWORD>(right)) == ERROR_SUCCESS &&
         key.SetDword(kTraceBottom.name, static_cast<DWORD>(bottom)) == ERROR_SUCCESS;
}

// ---- AOL / CS2000 client launch ----------------------------------------------------------

bool SettingsStore::ReadBrowserLaunch(SignOnClient client, DWORD& launch, std::string& path) const {
  const ClientLayout& layout = LayoutOf(client);
  launch = 0;
  path.clear();
  win::RegKey key;
  if (OpenForRead(key, layout.optionsKey) != ERROR_SUCCESS) return false;
  DWORD storedLaunch = 0;
  std::string storedPath;
  if (key.QueryDword(layout.launchBrowser->name, storedLaunch) != ERROR_SUCCESS ||
      !GetText(key, layout.programPath->name, kProgramPathBuffer, storedPath))
    return false;
  launch = storedLaunch;
  path = std::move(storedPath);
  return true;
}

bool SettingsStore::WriteBrowserLaunch(SignOnClient client, DWORD launch, const std::string& path) {
  const ClientLayout& layout = LayoutOf(client);
  if (TextLength(path) > kMaxProgramPath) return RefusedText();
  win::RegKey key;
  if (OpenForWrite(key, layout.optionsKey) != ERROR_SUCCESS) return false;
  if (!Succeeded(key.SetDword(layout.launchBrowser->name, launch))) return false;
  if (TextLength(path) == 0) return true;  // keeps the stored path
  return SetText(key, layout.programPath->name, path, kMaxProgramPath);
}

// ---- Screen names -------------------------------------------------------------------------

bool SettingsStore::ReadScreenNames(SignOnClient client, DWORD& useScreenName,
                                    std::string& defaultName,
                                    std::vector<std::string>& names) const {
  const ClientLayout& layout = LayoutOf(client);
  useScreenName = Read(*layout.useScreenName);
  win::RegKey key;
  if (OpenForRead(key, layout.screenNamesKey) != ERROR_SUCCESS) return false;
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
  const bool listWritten = WriteFieldList(layout.screenNamesKey, kScreenNamePrefix,
                                          kDefaultScreenNameName, kScreenNameField, defaultName,
                                          names);
  return flagWritten && listWritten;
}

// ---- AOL site lists ----------------------------------------------------------------------

bool SettingsStore::ReadSiteList(SiteList list, DWORD& flag, std::string& defaultSite,
                                 std::vector<std::string>& sites) const {
  const SiteLayout& layout = LayoutOf(list);
  flag = Read(*layout.flag);
  win::RegKey key;
  if (OpenForRead(key, layout.listKey) != ERROR_SUCCESS) return false;
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
  const bool listWritten = WriteFieldList(layout.listKey, layout.prefix, kDefaultSiteName,
                                          kSiteField, defaultSite, sites);
  return flagWritten && listWritten;
}

bool SettingsStore::SeedSiteList(SiteList list) {
  const SiteLayout& layout = LayoutOf(list);
  const std::span<const char* const> entries = layout.defaults();
  win::RegKey key;
  if (OpenForWrite(key, layout.listKey) != ERROR_SUCCESS) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!SetText(key, IndexedName(layout.prefix, i).c_str(), entries[i], kMaxSite)) return false;
  }
  key.Close();
  return Write(*layout.marker, 1);
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

#pragma once
// The one way to read and write persistent settings. The store holds no
// state of its own: every operation opens its key, does its work and closes
// it again, so an instance may be created wherever one is needed. Reads and
// writes may run on any thread; seeding the host lists draws from the
// program's random generator and belongs on the user-interface thread.
//
// Every setting has two copies at the same path: the machine's, under
// HKEY_LOCAL_MACHINE (written by an administrator and the installer), and
// the user's own, under HKEY_CURRENT_USER. A read takes the user's value
// where there is one and the machine's otherwise, value by value; a list
// (hosts, screen names, sites) is read whole from one copy, the user's when
// the user has one. A write goes to the machine's copy when the machine
// takes it and removes the same values from the user's copy, so that they
// no longer hide the machine's; where the machine refuses, it goes to the
// user's copy. No other account can change what a user's copy holds.
//
// Writes open their key for reading and writing (nothing more), creating it
// (and its parents) when it does not exist; they return false when nothing
// could be written, with the reason (a Win32 error code) left for
// GetLastError. Reads open with read access and never create anything; a
// missing key, a missing value and a value of another type or size are alike
// and give the value's default. No operation shows a message.
#include <windows.h>

#include <string>
#include <vector>

#include "settings/SettingsSchema.h"

class SettingsStore {
 public:
  SettingsStore() = default;
  // A store that meets HKEY_LOCAL_MACHINE as a standard user does: every
  // write there is refused (ERROR_ACCESS_DENIED), so all of them go to the
  // user's copy. For tests of that view.
  static SettingsStore WithMachineReadOnly();

  // ---- Single values ----
  // The stored value, or the setting's default when it cannot be read.
  DWORD Read(const settings::DwordSetting& setting) const;
  bool Write(const settings::DwordSetting& setting, DWORD value);
  // Fills `out` with the stored value; false (and `out` untouched) when it
  // cannot be read. Used where the caller wants to know the value was there
  // ("Sign On" of AOL and CS, NetZero "Tray Dial").
  bool ReadFlag(const settings::DwordSetting& setting, DWORD& out) const;
  // On failure `out` becomes the setting's default text, or stays as it was
  // when the setting has none. Texts of more than 254 characters do not fit
  // the read buffer and count as missing.
  bool Read(const settings::StringSetting& setting, std::string& out) const;
  // Stored without terminator. A text longer than 254 characters is refused
  // (false, the stored value unchanged).
  bool Write(const settings::StringSetting& setting, const std::string& text);

  // ---- Services ----
  // Six flags in service order (HTTP, FTP, Echo, Discard, Time Server, User
  // Port); each missing flag gives its default. False and `out` untouched
  // when the "Services" key cannot be opened.
  bool ReadServiceFlags(DWORD out[6]) const;
  // Stops at the first failed write.
  bool WriteServiceFlags(const DWORD flags[6]);
  // "Service Type", -1 to 5; anything else stored reads as -1. When the
  // "Services" key cannot be opened the default host lists are seeded first.
  int ReadServiceType();

  // ---- Interval ----
  // Presets 30, 90, 60, then reads start, end, fixed in that order up to the
  // first missing one; true only when all three were read.
  bool ReadIntervalNumbers(DWORD& start, DWORD& end, DWORD& fixed) const;
  bool WriteIntervalNumbers(DWORD start, DWORD end, DWORD fixed);

  // ---- Host lists (service 0 HTTP .. 5 User Defined) ----
  // Appends the stored entries "0", "1", ... to `hosts`, up to the first
  // missing or empty one. True when an empty entry ended the list, false when
  // a missing one did (the usual end) or the key could not be opened; callers
  // use whatever was appended.
  bool ReadHostList(int service, std::vector<std::string>& hosts) const;
  // Replaces the whole list. The service key is deleted first, so its
  // "Dedicated" value goes too: write the lists before the dedicated hosts.
  // Empty entries are left out (one would end the list for every reader);
  // entries longer than 254 characters are left out and make the result false.
  bool WriteHostList(int service, const std::vector<std::string>& hosts);
  // Entry `index` of the list; `host` is empty when it cannot be read.
  bool ReadHost(int service, int index, std::string& host) const;
  // The "Dedicated" host, from the copy the list comes from; `host` is
  // empty when it cannot be read.
  bool ReadDedicatedHost(int service, std::string& host) const;
  bool WriteDedicatedHost(int service, const std::string& host);
  // First run: writes every built-in list, one "Dedicated" per service drawn
  // from its own list, then "Hosts Added" = 1 (only when every list was
  // written, so a failed seeding is tried again at the next start). Reseeds
  // the program's random generator with the time in seconds.
  bool SeedDefaultHosts();
  // The same with the time given, so the draw can be reproduced.
  bool SeedDefaultHosts(DWORD nowSeconds);

  // ---- Windows start-up entry ----
  // true writes the running executable's path, in double quotes, under the
  // "Run" key of the hive the settings go to (as for any value: the
  // machine's, else the user's). false deletes the entry from both; false
  // when there was none, or when one stays that this account cannot delete.
  bool WriteRunEntry(bool enabled);
  // The path the entry starts, quoted or not (the user's entry first).
  bool ReadRunEntry(std::string& path) const;

  // ---- Start-up ----
  // Whether settings can be kept: 0 when the program's key can be opened (or
  // made) for writing in either hive, else the Win32 error that keeps the
  // user's copy from being written.
  DWORD CheckWritable() const;

  // ---- Dial-up profile credentials ----
  // Both or nothing: false (outputs untouched) unless "Login" and "Password"
  // were both read. An empty profile name names no profile.
  bool ReadProfileCredentials(const std::string& profile, std::string& login,
                              std::string& password) const;
  bool WriteProfileCredentials(const std::string& profile, const std::string& login,
                               const std::string& password);

  // ---- Trace window rectangle ----
  // False (outputs untouched) when any edge is missing.
  bool ReadTraceRect(LONG& left, LONG& top, LONG& right, LONG& bottom) const;
  bool WriteTraceRect(LONG left, LONG top, LONG right, LONG bottom);

  // ---- AOL / CS2000 client launch ----
  // "Launch Browser" with "Program Path". Only when both are stored are they
  // returned (true); otherwise the flag is 0 and the path empty.
  bool ReadBrowserLaunch(settings::SignOnClient client, DWORD& launch, std::string& path) const;
  // An empty path keeps the stored one. A path over 1023 characters is
  // refused and nothing is written.
  bool WriteBrowserLaunch(settings::SignOnClient client, DWORD launch, const std::string& path);

  // ---- Screen names (AOL / CS2000) ----
  // `useScreenName` is always set (0 when missing). The default name and the
  // list are filled only when "Default Screen Name" exists; the list then
  // ends at the first missing (false) or empty (true) name.
  bool ReadScreenNames(settings::SignOnClient client, DWORD& useScreenName,
                       std::string& defaultName, std::vector<std::string>& names) const;
  // Rewrites the flag, the list and the default, each name in a zero-filled
  // 32-byte field. Empty names are left out; names over 31 characters are
  // left out (an over-long default is stored empty) and make the result false.
  bool WriteScreenNames(settings::SignOnClient client, DWORD useScreenName,
                        const std::string& defaultName, const std::vector<std::string>& names);

  // ---- AOL site lists ("AOL Sites" with "Use Specific Site", "Ext Browser
  // Sites" with "Launch External Browser") ----
  // `flag` is always set (0 when missing). A missing "Default Site" gives an
  // empty default; the entries are read up to the first missing or empty one.
  // False (list and default untouched) when the list key cannot be opened.
  bool ReadSiteList(settings::SiteList list, DWORD& flag, std::string& defaultSite,
                    std::vector<std::string>& sites) const;
  // Each entry in a zero-filled 256-byte field. Empty entries are left out;
  // entries over 255 characters are left out (an over-long default is stored
  // empty) and make the result false.
  bool WriteSiteList(settings::SiteList list, DWORD flag, const std::string& defaultSite,
                     const std::vector<std::string>& sites);
  // Writes the built-in entries and sets the list's marker ("Specific Site
  // Set" / "Ext Browser Site Set") to 1; "Default Site" is left alone.
  bool SeedSiteList(settings::SiteList list);
  // Seeds only while the marker is not 1. True when it seeded.
  bool SeedSiteListIfUnset(settings::SiteList list);

  // ---- MSN POP3 ----
  // A stored three-space placeholder and a missing value both read as empty.
  bool ReadPop3ServerName(std::string& text) const;
  bool ReadPop3Login(std::string& text) const;
  bool ReadPop3Password(std::string& text) const;
  // An empty server name is stored as the placeholder; login and password
  // are stored as given.
  bool WritePop3ServerName(const std::string& text);
  bool WritePop3Login(const std::string& text);
  bool WritePop3Password(const std::string& text);
  // Minutes between mail checks: 10 when missing or 0.
  DWORD ReadPop3Interval() const;
  // Stores `entry` when it is 1 to 60, else 60.
  bool WritePop3Interval(long entry);

 private:
  bool DeleteRunEntries();

  bool machineWritable_ = true;
};

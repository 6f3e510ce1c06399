#pragma once
// Every persistent setting of the program: its key, value name and the value
// a reader gets when it is missing. The keys are paths under
// HKEY_LOCAL_MACHINE and, for the user's own copy, HKEY_CURRENT_USER (see
// SettingsStore.h). Only REG_DWORD and REG_SZ values exist; flags are 0 or 1.
#include <cstdint>

namespace settings {

struct DwordSetting {
  const char* key;
  const char* name;
  std::uint32_t defaultValue;
};

struct StringSetting {
  const char* key;
  const char* name;
  // Text a failed read yields; nullptr: a failed read leaves the output alone.
  const char* defaultText;
};

// ---- Key paths ----------------------------------------------------------
inline constexpr const char* kKeyRoot = "SOFTWARE\\Quillmark\\Tetherly";
inline constexpr const char* kKeySettings = "SOFTWARE\\Quillmark\\Tetherly\\Settings";
inline constexpr const char* kKeyServices = "SOFTWARE\\Quillmark\\Tetherly\\Services";
inline constexpr const char* kKeyAccessMethod = "SOFTWARE\\Quillmark\\Tetherly\\Access Method";
inline constexpr const char* kKeyInterval = "SOFTWARE\\Quillmark\\Tetherly\\Interval";
inline constexpr const char* kKeyTraceMessage = "SOFTWARE\\Quillmark\\Tetherly\\Trace Message";
inline constexpr const char* kKeyModemDialer = "SOFTWARE\\Quillmark\\Tetherly\\Modem Dialer";
inline constexpr const char* kKeyAolOptions = "SOFTWARE\\Quillmark\\Tetherly\\AOL Options";
inline constexpr const char* kKeyAolScreenNames =
    "SOFTWARE\\Quillmark\\Tetherly\\AOL Options\\Screen Names";
inline constexpr const char* kKeyAolSites = "SOFTWARE\\Quillmark\\Tetherly\\AOL Options\\AOL Sites";
inline constexpr const char* kKeyExtBrowserSites =
    "SOFTWARE\\Quillmark\\Tetherly\\AOL Options\\Ext Browser Sites";
inline constexpr const char* kKeyCsOptions = "SOFTWARE\\Quillmark\\Tetherly\\CS Options";
inline constexpr const char* kKeyCsScreenNames =
    "SOFTWARE\\Quillmark\\Tetherly\\CS Options\\Screen Names";
inline constexpr const char* kKeyNetZero = "SOFTWARE\\Quillmark\\Tetherly\\NetZero";
inline constexpr const char* kKeyMsn = "SOFTWARE\\Quillmark\\Tetherly\\MSN";
inline constexpr const char* kKeyMsnPop3 = "SOFTWARE\\Quillmark\\Tetherly\\MSN\\POP3";
inline constexpr const char* kKeyAtt = "SOFTWARE\\Quillmark\\Tetherly\\ATT";
// Windows' own start-up list; the program's entry is a REG_SZ with its path.
inline constexpr const char* kKeyRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Tetherly";

// Per-service host lists: kKeyServices + "\\" + ServiceKeyName(n).
inline constexpr const char* kDedicatedValueName = "Dedicated";
// Per-profile credentials: kKeyModemDialer + "\\" + profile name.
inline constexpr const char* kProfileLoginName = "Login";
inline constexpr const char* kProfilePasswordName = "Password";
// Screen-name lists: "Screen Name 0", "Screen Name 1", ... and the default.
inline constexpr const char* kScreenNamePrefix = "Screen Name ";
inline constexpr const char* kDefaultScreenNameName = "Default Screen Name";
// Site lists: "Specific Site 0"... (AOL sites), "Site 0"... (outside browser).
inline constexpr const char* kAolSitePrefix = "Specific Site ";
inline constexpr const char* kExtBrowserSitePrefix = "Site ";
inline constexpr const char* kDefaultSiteName = "Default Site";

inline constexpr std::uint32_t kNone = 0xFFFFFFFFu;  // stored -1

// ---- Stored enumerations -------------------------------------------------
inline constexpr std::uint32_t kConnectionManual = 1;
inline constexpr std::uint32_t kConnectionAutoNetSense = 3;

enum class HostAccessMethod : std::uint32_t { Sequential = 1, Random = 2, Dedicated = 3 };
enum class IntervalMode : std::uint32_t { Random = 1, Fixed = 2 };

// ---- "Settings" ----------------------------------------------------------
inline constexpr DwordSetting kConnection{kKeySettings, "Connection", kConnectionManual};
inline constexpr DwordSetting kSimulateMouse{kKeySettings, "Simulate Mouse", 0};
// 0 means the callers' default of 4 minutes.
inline constexpr DwordSetting kMouseTimer{kKeySettings, "Mouse Timer", 0};
inline constexpr DwordSetting kWinStart{kKeySettings, "WinStart", 0};
inline constexpr DwordSetting kSplashScreen{kKeySettings, "Splash Screen", 1};
// 1 once the program's own web host has been visited successfully.
inline constexpr DwordSetting kVisited{kKeySettings, "Access", 0};

// ---- "Services" ----------------------------------------------------------
// On/off flags in service order (HTTP, FTP, Echo, Discard, Time Server, User Port).
inline constexpr DwordSetting kHttpOn{kKeyServices, "HTTP", 1};
inline constexpr DwordSetting kFtpOn{kKeyServices, "FTP", 0};
inline constexpr DwordSetting kEchoOn{kKeyServices, "Echo", 0};
inline constexpr DwordSetting kDiscardOn{kKeyServices, "Discard", 0};
inline constexpr DwordSetting kTimeServerOn{kKeyServices, "Time Server", 0};
inline constexpr DwordSetting kUserPortOn{kKeyServices, "User Port", 0};
inline constexpr DwordSetting kServiceFlags[6] = {kHttpOn,    kFtpOn,        kEchoOn,
                                                  kDiscardOn, kTimeServerOn, kUserPortOn};
inline constexpr DwordSetting kServiceType{kKeyServices, "Service Type", kNone};
inline constexpr DwordSetting kHostsAdded{kKeyServices, "Hosts Added", 0};

// ---- "Access Method", "Interval" ------------------------------------------
inline constexpr DwordSetting kAccessType{kKeyAccessMethod, "Type", 1};
inline constexpr DwordSetting kIntervalOption{kKeyInterval, "Option", 1};
inline constexpr DwordSetting kRandomStart{kKeyInterval, "Random Start", 30};
inline constexpr DwordSetting kRandomEnd{kKeyInterval, "Random End", 90};
inline constexpr DwordSetting kFixed{kKeyInterval, "Fixed", 60};

// ---- "Trace Message" (read as a group; a missing edge fails the read) ------
inline constexpr DwordSetting kTraceLeft{kKeyTraceMessage, "left", 0};
inline constexpr DwordSetting kTraceTop{kKeyTraceMessage, "top", 0};
inline constexpr DwordSetting kTraceRight{kKeyTraceMessage, "right", 0};
inline constexpr DwordSetting kTraceBottom{kKeyTraceMessage, "bottom", 0};

// ---- "Modem Dialer" --------------------------------------------------------
inline constexpr DwordSetting kModemUseDialer{kKeyModemDialer, "Use Dialer", 0};
inline constexpr StringSetting kModemProfile{kKeyModemDialer, "Profile", ""};
inline constexpr DwordSetting kModemDialAtStartup{kKeyModemDialer, "Dial At Startup", 0};
inline constexpr DwordSetting kModemOneStop{kKeyModemDialer, "One Stop Connection", 0};
inline constexpr DwordSetting kModemPromptToDial{kKeyModemDialer, "Prompt To Dial", 1};
inline constexpr DwordSetting kModemPromptToDisconnect{kKeyModemDialer, "Prompt To Disconnect", 1};
inline constexpr DwordSetting kModemReconnect{kKeyModemDialer, "Reconnect", 0};
inline constexpr DwordSetting kModemMinimizeDialog{kKeyModemDialer, "Minimize Dialog", 0};
inline constexpr DwordSetting kModemPrevRasHandle{kKeyModemDialer, "Prev RAS Handle", kNone};

// ---- "AOL Options" ---------------------------------------------------------
inline constexpr DwordSetting kAolStayOnline{kKeyAolOptions, "Stay Online", 0};
inline constexpr DwordSetting kAolLaunchBrowser{kKeyAolOptions, "Launch Browser", 0};
inline constexpr StringSetting kAolProgramPath{kKeyAolOptions, "Program Path", ""};
inline constexpr DwordSetting kAolDialAtStartup{kKeyAolOptions, "Dial At Startup", 0};
inline constexpr DwordSetting kAolSignOn{kKeyAolOptions, "Sign On", 0};
inline constexpr DwordSetting kAolUseScreenName{kKeyAolOptions, "Use Screen Name", 0};
inline constexpr DwordSetting kAolAutoRedial{kKeyAolOptions, "Auto Redial", 0};
// Seconds between scans, 1 to 300.
inline constexpr DwordSetting kAolScanInterval{kKeyAolOptions, "Scan Interval", 1};
inline constexpr StringSetting kAolTimerTitle{kKeyAolOptions, "Timer Title", "America Online"};
inline constexpr StringSetting kAolSignOnTitle{kKeyAolOptions, "SignOn Title", ""};
inline constexpr StringSetting kAolSignOnButton{kKeyAolOptions, "SignOn Button", ""};
inline constexpr StringSetting kAolDisconnectTitle{kKeyAolOptions, "Disconnect Title", ""};
inline constexpr StringSetting kAolReSignOnTitle{kKeyAolOptions, "ReSignOn Title", ""};
inline constexpr StringSetting kAolReSignOnButton{kKeyAolOptions, "ReSignOn Button", ""};
inline constexpr StringSetting kAolChildBuddyTitle{kKeyAolOptions, "Child Buddy Title", "Buddy List"};
inline constexpr StringSetting kAolChildChannelTitle{kKeyAolOptions, "Child Channel Title",
                                                     "AOL Channels"};
inline constexpr StringSetting kAolChildHotlineTitle{kKeyAolOptions, "Child Hotline Title",
                                                     "AOL Hotline"};
// The pages show the search title with a leading space; the gadget closer
// looks for the window without it. Same value, two reader defaults.
inline constexpr StringSetting kAolChildSearchTitle{kKeyAolOptions, "Child Search Title",
                                                    " AOL PLUS"};
inline constexpr StringSetting kAolChildSearchTitleForCloser{kKeyAolOptions, "Child Search Title",
                                                             "AOL PLUS"};
inline constexpr DwordSetting kAolKillBuddyList{kKeyAolOptions, "Kill Buddy List Window", 0};
inline constexpr DwordSetting kAolKillChannels{kKeyAolOptions, "Kill Channels Window", 0};
inline constexpr DwordSetting kAolKillHotline{kKeyAolOptions, "Kill Hotline Window", 0};
inline constexpr DwordSetting kAolKillSearchPreview{kKeyAolOptions, "Kill Search Preview Window", 0};
inline constexpr DwordSetting kAolMinimizeWelcome{kKeyAolOptions, "Minimize Welcome Window", 0};
inline constexpr DwordSetting kAolKillAdvertisement{kKeyAolOptions, "Kill Advertisement Window", 0};
inline constexpr DwordSetting kAolUseSpecificSite{kKeyAolOptions, "Use Specific Site", 0};
inline constexpr DwordSetting kAolSpecificSiteSet{kKeyAolOptions, "Specific Site Set", 0};
inline constexpr DwordSetting kAolLaunchExternalBrowser{kKeyAolOptions, "Launch External Browser", 0};
inline constexpr DwordSetting kAolExtBrowserSiteSet{kKeyAolOptions, "Ext Browser Site Set", 0};

// ---- "CS Options" (CompuServe 2000) ----------------------------------------
inline constexpr DwordSetting kCsStayOnline{kKeyCsOptions, "Stay Online", 0};
inline constexpr DwordSetting kCsLaunchBrowser{kKeyCsOptions, "Launch Browser", 0};
inline constexpr StringSetting kCsProgramPath{kKeyCsOptions, "Program Path", ""};
inline constexpr DwordSetting kCsDialAtStartup{kKeyCsOptions, "Dial At Startup", 0};
inline constexpr DwordSetting kCsSignOn{kKeyCsOptions, "Sign On", 0};
inline constexpr DwordSetting kCsUseScreenName{kKeyCsOptions, "Use Screen Name", 0};
inline constexpr DwordSetting kCsAutoRedial{kKeyCsOptions, "Auto Redial", 0};
inline constexpr StringSetting kCsTimerTitle{kKeyCsOptions, "Timer Title", "CompuServe 2000"};
inline constexpr StringSetting kCsChildOneTitle{kKeyCsOptions, "Child One Title", "Contacts"};
inline constexpr StringSetting kCsChildTwoTitle{kKeyCsOptions, "Child Two Title",
                                                "No Window Specified"};
inline constexpr StringSetting kCsChildThreeTitle{kKeyCsOptions, "Child Three Title",
                                                  "No Window Specified"};
inline constexpr StringSetting kCsChildFourTitle{kKeyCsOptions, "Child Four Title",
                                                 "No Window Specified"};
inline constexpr DwordSetting kCsKillChildOne{kKeyCsOptions, "Kill Child One Window", 0};
inline constexpr DwordSetting kCsKillChildTwo{kKeyCsOptions, "Kill Child Two Window", 0};
inline constexpr DwordSetting kCsKillChildThree{kKeyCsOptions, "Kill Child Three Window", 0};
inline constexpr DwordSetting kCsKillChildFour{kKeyCsOptions, "Kill Child Four Window", 0};
inline constexpr DwordSetting kCsKillAdvertisement{kKeyCsOptions, "Kill Advertisement Window", 0};

// ---- "NetZero" ---------------------------------------------------------------
inline constexpr DwordSetting kNetZeroStayOnline{kKeyNetZero, "Stay Online", 0};
inline constexpr DwordSetting kNetZeroUseDialer{kKeyNetZero, "Use Dialer", 0};
inline constexpr StringSetting kNetZeroProgramPath{kKeyNetZero, "Program Path", ""};
inline constexpr DwordSetting kNetZeroDialAtStartup{kKeyNetZero, "Dial At Startup", 0};
inline constexpr DwordSetting kNetZeroTrayDial{kKeyNetZero, "Tray Dial", 0};
inline constexpr StringSetting kNetZeroVersion{kKeyNetZero, "Version", ""};
inline constexpr DwordSetting kNetZeroAutoRedial{kKeyNetZero, "Auto Redial", 0};
// The dialer versions the user can choose; "Version" holds one of them.
inline constexpr const char* kNetZeroVersions[] = {"1.5", "1.6", "2.0", "2.2", "3.0", "4.0", "4.1"};

// ---- "MSN", "MSN\POP3", "ATT" -------------------------------------------------
inline constexpr DwordSetting kMsnStayOnline{kKeyMsn, "Stay Online", 0};
inline constexpr DwordSetting kPop3Enable{kKeyMsnPop3, "Enable POP3", 0};
inline constexpr StringSetting kPop3ServerName{kKeyMsnPop3, "Server Name", ""};
inline constexpr StringSetting kPop3Login{kKeyMsnPop3, "Login", ""};
inline constexpr StringSetting kPop3Password{kKeyMsnPop3, "Password", ""};
// Minutes between mail checks; a stored 0 also reads as 10 (ReadPop3Interval).
inline constexpr DwordSetting kPop3TimerInterval{kKeyMsnPop3, "Timer Interval", 10};
inline constexpr DwordSetting kAttStayOnline{kKeyAtt, "Stay Online", 0};

// Every DWORD value of the layout, for checks that must cover them all.
inline constexpr DwordSetting kAllDwordSettings[] = {
    kConnection, kSimulateMouse, kMouseTimer, kWinStart, kSplashScreen, kVisited,
    kHttpOn, kFtpOn, kEchoOn, kDiscardOn, kTimeServerOn, kUserPortOn, kServiceType, kHostsAdded,
    kAccessType, kIntervalOption, kRandomStart, kRandomEnd, kFixed,
    kTraceLeft, kTraceTop, kTraceRight, kTraceBottom,
    kModemUseDialer, kModemDialAtStartup, kModemOneStop, kModemPromptToDial,
    kModemPromptToDisconnect, kModemReconnect, kModemMinimizeDialog, kModemPrevRasHandle,
    kAolStayOnline, kAolLaunchBrowser, kAolDialAtStartup, kAolSignOn, kAolUseScreenName,
    kAolAutoRedial, kAolScanInterval, kAolKillBuddyList, kAolKillChannels, kAolKillHotline,
    kAolKillSearchPreview, kAolMinimizeWelcome, kAolKillAdvertisement, kAolUseSpecificSite,
    kAolSpecificSiteSet, kAolLaunchExternalBrowser, kAolExtBrowserSiteSet,
    kCsStayOnline, kCsLaunchBrowser, kCsDialAtStartup, kCsSignOn, kCsUseScreenName,
    kCsAutoRedial, kCsKillChildOne, kCsKillChildTwo, kCsKillChildThree, kCsKillChildFour,
    kCsKillAdvertisement,
    kNetZeroStayOnline, kNetZeroUseDialer, kNetZeroDialAtStartup, kNetZeroTrayDial,
    kNetZeroAutoRedial,
    kMsnStayOnline, kPop3Enable, kPop3TimerInterval, kAttStayOnline,
};

// Every REG_SZ value with a fixed name (lists and credentials excluded).
inline constexpr StringSetting kAllStringSettings[] = {
    kModemProfile, kAolProgramPath, kAolTimerTitle, kAolSignOnTitle, kAolSignOnButton,
    kAolDisconnectTitle, kAolReSignOnTitle, kAolReSignOnButton, kAolChildBuddyTitle,
    kAolChildChannelTitle, kAolChildHotlineTitle, kAolChildSearchTitle,
    kCsProgramPath, kCsTimerTitle, kCsChildOneTitle, kCsChildTwoTitle, kCsChildThreeTitle,
    kCsChildFourTitle, kNetZeroProgramPath, kNetZeroVersion,
    kPop3ServerName, kPop3Login, kPop3Password,
};

// ---- Grouped lists -------------------------------------------------------------
// The two clients that sign on with screen names and that the program can launch.
enum class SignOnClient { Aol, Cs };
// The two site lists of the AOL browser options.
enum class SiteList { AolSites, ExtBrowserSites };

}  // namespace settings

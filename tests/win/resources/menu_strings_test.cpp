// The tray menu is edited by position and its commands are fixed numbers;
// string-table texts are shown, sent on the wire (the probe) or looked up by
// error code, so each must load exactly.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "res/resource.h"

namespace {

constexpr UINT kSeparator = 0;
constexpr UINT kPopup = 0xFFFFFFFF;

struct MenuRow {
  UINT id;
  const char* caption;
};

const MenuRow kTrayMenu[] = {
    {32776, "Online Status Report"},
    {kSeparator, ""},
    {32803, "Configuration Wizard"},
    {32773, "Advanced Configurations"},
    {kSeparator, ""},
    {32804, "Activate Auto NetSense"},
    {32780, "Dial"},
    {32781, "Hang Up"},
    {kPopup, "SignOn Using ..."},
    {kSeparator, ""},
    {32772, "About Tetherly! ..."},
    {32775, "Online Help"},
    {kSeparator, ""},
    {32771, "Exit"},
};

struct Item {
  UINT type = 0, id = 0;
  HMENU sub = nullptr;
  std::string text;
};

Item ItemAt(HMENU menu, int pos) {
  char buf[128] = "";
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  mi.dwTypeData = buf;
  mi.cch = sizeof buf;
  Item item;
  if (!GetMenuItemInfoA(menu, pos, TRUE, &mi)) return item;
  item.type = mi.fType;
  item.id = mi.wID;
  item.sub = mi.hSubMenu;
  item.text = buf;
  return item;
}

struct MenuHolder {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  ~MenuHolder() {
    if (menu) DestroyMenu(menu);
  }
};

TEST(TrayMenu, FirstPopupHasTheFixedPositionsIdsAndCaptions) {
  MenuHolder holder;
  ASSERT_NE(holder.menu, nullptr);
  HMENU popup = GetSubMenu(holder.menu, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(kTrayMenu)));
  for (int pos = 0; pos < static_cast<int>(std::size(kTrayMenu)); ++pos) {
    SCOPED_TRACE(pos);
    const MenuRow& want = kTrayMenu[pos];
    const Item got = ItemAt(popup, pos);
    if (want.id == kSeparator) {
      EXPECT_NE(got.type & MFT_SEPARATOR, 0u);
      continue;
    }
    EXPECT_EQ(got.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(got.text, want.caption);
    EXPECT_EQ(GetMenuState(popup, pos, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u);
    if (want.id == kPopup)
      EXPECT_NE(got.sub, nullptr);
    else
      EXPECT_EQ(got.id, want.id);
  }
}

TEST(TrayMenu, SignOnPopupHoldsSevenScreenNames) {
  MenuHolder holder;
  ASSERT_NE(holder.menu, nullptr);
  HMENU signOn = GetSubMenu(GetSubMenu(holder.menu, 0), 8);
  ASSERT_NE(signOn, nullptr);
  ASSERT_EQ(GetMenuItemCount(signOn), 7);
  for (int k = 0; k < 7; ++k) {
    const Item got = ItemAt(signOn, k);
    EXPECT_EQ(got.id, static_cast<UINT>(IDM_SCREEN_NAME_FIRST + k));
    EXPECT_EQ(got.text, "Screen Name " + std::to_string(k + 1));
  }
  EXPECT_EQ(IDM_SCREEN_NAME_LAST, IDM_SCREEN_NAME_FIRST + 6);
}

struct StringRow {
  UINT id;
  const char* text;
};

const StringRow kStrings[] = {
    {102, "AOL Browser not present"},
    {103, "CS2000 Browser not present"},
    {104, "Windows sockets initialization failed."},
    {32901, "All timers are used up for the system. Please try again later."},
    {32903, "abcdefghijklmnopqrstuvwxyz0123456789"},
    {32904, "Left click to start service. Right click for menu."},
    {32905, "Tetherly! - click once to stop service"},
    {32906, "Service Active"},
    {32907, "Sevice not Active"},
    {32915, "Left click to dial. Right click for menu."},
    {32916, "Tetherly - Awaiting Connection..."},
    {32917, "Tetherly with AOL"},
    {32918, "Tetherly with NetZero"},
    {32919, "Tetherly with CS2000"},
    {32920, "Tetherly with ATT"},
    {32922, "Tetherly with MSN"},
    {32923, "Connection to POP3 fail. Please check your POP3 setting"},
    {IDS_WINSOCK_UNDEFINED, "Winsock error not defined"},
    {IDS_NO_HOST_ENTERED, "No host entered. Please enter a valid host."},
    // Socket errors, by code
    {10004, "Blocking call cancelled"},
    {10022, "Connection rejected"},
    {10024, "No file descriptors available"},
    {10035, "Socket marked as non-blocking and SO_LINGER set not 0"},
    {10036, "Blocking operation in progress"},
    {10038, "Descriptor is not a socket"},
    {10039, "Destination address required"},
    {10040, "Message size error"},
    {10041, "Protocol wrong type for this socket"},
    {10043, "Specified protocol not supported"},
    {10045, "Operation not supported"},
    {10046, "PF address not supported"},
    {10047, "Address family not supported"},
    {10048, "Address already in use"},
    {10049, "Address not available"},
    {10050, "Network subsystem failed"},
    {10051, "Network unreachable"},
    {10052, "Network reset"},
    {10053, "Connection aborted"},
    {10054, "Connection reset"},
    {10055, "No buffer space available"},
    {10057, "Not connected"},
    {10060, "Connection timed out"},
    {10061, "Connection refused"},
    {10064, "Host down"},
    {10065, "Host unreachable"},
    {10070, "Stale file handle"},
    {10091, "Winsock not present or not responding"},
    {10092, "Version of Winsock not supported"},
    {10093, "WSA Startup not initialized"},
    {11001, "Authoritive: Host not found"},
    {11002, "Non-authoritive: host not found or server failure"},
    {11003, "Non-recoverable: refused or not implemented"},
    {11004, "Valid name, no data record for type"},
    {10009, "Winsock Error"}, {10013, "Winsock Error"}, {10014, "Winsock Error"},
    {10037, "Winsock Error"}, {10042, "Winsock Error"}, {10044, "Winsock Error"},
    {10056, "Winsock Error"}, {10058, "Winsock Error"}, {10059, "Winsock Error"},
    {10062, "Winsock Error"}, {10063, "Winsock Error"}, {10066, "Winsock Error"},
    {10067, "Winsock Error"}, {10068, "Winsock Error"}, {10069, "Winsock Error"},
    {10071, "Winsock Error"}, {10101, "Winsock Error"},
    // Shell-launch errors, by ShellExecute result
    {IDS_SHELL_ERROR_FIRST + 0, "The operating system is out of memory or resources."},
    {IDS_SHELL_ERROR_FIRST + 2, "The specified file was not found."},
    {IDS_SHELL_ERROR_FIRST + 3, "The specified path was not found."},
    {IDS_SHELL_ERROR_FIRST + 5, "The operating system denied access to the specified file. "},
    {IDS_SHELL_ERROR_FIRST + 8, "There was not enough memory to complete the operation."},
    {IDS_SHELL_ERROR_FIRST + 11, "The .exe file is invalid (non-Win32\xAE .exe or error in .exe image)."},
    {IDS_SHELL_ERROR_FIRST + 26, "A sharing violation occurred."},
    {IDS_SHELL_ERROR_FIRST + 27, "The file name association is incomplete or invalid."},
    {IDS_SHELL_ERROR_FIRST + 28, "The DDE transaction could not be completed because the request timed out."},
    {IDS_SHELL_ERROR_FIRST + 29, "The DDE transaction failed."},
    {IDS_SHELL_ERROR_FIRST + 30,
     "The DDE transaction could not be completed because other DDE transactions were being processed."},
    {IDS_SHELL_ERROR_FIRST + 31,
     "There is no application associated with the given file name extension. This error will also be "
     "returned if you attempt to print a file that is not printable."},
    {IDS_SHELL_ERROR_FIRST + 32, "The specified dynamic-link library was not found. "},
    {IDS_SHELL_ERROR_UNDEFINED, "Shell error not defined."},
};

std::string LoadText(UINT id) {
  char buf[512] = "";
  int n = LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

TEST(StringTable, EveryTextLoadsExactly) {
  for (const StringRow& row : kStrings) EXPECT_EQ(LoadText(row.id), row.text) << row.id;
}

TEST(StringTable, ProbeIsThirtySixBytes) { EXPECT_EQ(LoadText(IDS_PROBE).size(), 36u); }

// The error lookups fall back to their "not defined" text when a code has no
// string, so codes outside the tables must have none.
TEST(StringTable, CodesWithoutATextHaveNoString) {
  for (UINT id : {10000u, 10005u, 10010u, 10090u, 10102u, 11000u, 11005u, IDS_SHELL_ERROR_FIRST + 1u,
                  IDS_SHELL_ERROR_FIRST + 4u, IDS_SHELL_ERROR_FIRST + 33u})
    EXPECT_EQ(LoadText(id), "") << id;
}

TEST(VersionResource, CarriesTheProductVersion) {
  char path[MAX_PATH] = "";
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(TETHERLY_VERSION_MINOR, TETHERLY_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, TETHERLY_VERSION_PATCH)));
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\ProductVersion",
                             reinterpret_cast<void**>(&text), &len));
  EXPECT_STREQ(text, TETHERLY_VERSION_TEXT);
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\ProductName",
                             reinterpret_cast<void**>(&text), &len));
  EXPECT_STREQ(text, "Tetherly!");
}

}  // namespace

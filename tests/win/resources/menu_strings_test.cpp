// The tray menu is edited by position and its commands are fixed numbers;
// string-table texts are shown or sent on the wire (the probe), so each must
// load exactly.
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

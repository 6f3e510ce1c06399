// Every icon the status window and the tray load by number must exist with
// real pictures at the sizes it is shown at (the tray shows 16x16, a
// scaled-down 32x32 is unreadable; the windows and dialogs show 32x32), and
// no more: each extra size only makes the program larger. No two looks may
// share a picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "res/resource_wizard.h"

namespace {

struct IconCase {
  int id;
  const char* meaning;
  std::set<int> shownAt;
};

const std::set<int> kTray = {16}, kWindow = {32}, kBoth = {16, 32};

const IconCase kIcons[] = {
    // Status window rows (32), most of them tray looks too (16)
    {IDI_MAIN, "service active / program", {16, 32, 48}},
    {IDI_NOT_ACTIVE, "service not active", kWindow},
    {IDI_CONNECTED, "connected", kBoth},
    {IDI_CONNECTING, "connecting", kWindow},
    {IDI_ERROR_STATE, "error", kBoth},
    {IDI_AOL, "AOL scanning", kBoth},
    {IDI_CS2000, "CS2000 scanning", kBoth},
    {IDI_NETZERO, "NetZero scanning", kBoth},
    {IDI_ATT, "ATT scanning", kBoth},
    {IDI_MSN, "MSN scanning", kBoth},
    // Tray looks not listed above
    {IDI_SENDING, "sending", kTray},
    {IDI_RECEIVING, "receiving", kTray},
    {IDI_STOPPED, "stopped", kTray},
    {IDI_RUNNING, "running", kTray},
    {IDI_AOL_ABSENT, "AOL absent", kTray},
    {IDI_DIAL_FRAME_FIRST + 0, "dial frame 0", kBoth},
    {IDI_DIAL_FRAME_FIRST + 1, "dial frame 1", kTray},
    {IDI_DIAL_FRAME_FIRST + 2, "dial frame 2", kTray},
    {IDI_DIAL_FRAME_FIRST + 3, "dial frame 3", kTray},
    {IDI_DIAL_FRAME_FIRST + 4, "dial frame 4", kTray},
    {IDI_DIAL_FRAME_FIRST + 5, "dial frame 5", kTray},
    {IDI_DIAL_FRAME_FIRST + 6, "dial frame 6", kTray},
    {IDI_DIAL_FRAME_FIRST + 7, "dial frame 7", kTray},
    {IDI_DIAL_FRAME_FIRST + 8, "dial frame 8", kTray},
    {IDI_DIAL_FRAME_FIRST + 9, "dial frame 9", kTray},
    {IDI_DIAL_CONNECTED, "dial connected", kTray},
    {IDI_DIAL_ERROR, "dial error", kTray},
    {IDI_CS2000_ABSENT, "CS2000 absent", kTray},
    {IDI_POP3_FAILED, "POP3 failed", kBoth},
    {IDI_AWAITING, "awaiting connection", kTray},
    // Dial dialog and the dial-up notice
    {IDI_NOTICE_EXCLAMATION, "notice: exclamation / dial failed", kWindow},
    {IDI_NOTICE_INFORMATION, "notice: information", kWindow},
    {IDI_NOTICE_QUESTION, "notice: question", kWindow},
    {IDI_NOTICE_STOP, "notice: stop", kWindow},
    {IDI_DIALER_IDLE, "dialer idle", kBoth},
    {IDI_DIALER_FRAME_FIRST + 0, "dialer frame 1", kWindow},
    {IDI_DIALER_FRAME_FIRST + 1, "dialer frame 2", kWindow},
    {IDI_DIALER_FRAME_FIRST + 2, "dialer frame 3", kWindow},
    {IDI_DIALER_FRAME_FIRST + 3, "dialer frame 4", kWindow},
    {IDI_DIALER_FRAME_FIRST + 4, "dialer frame 5", kWindow},
    {IDI_DIALER_FRAME_FIRST + 5, "dialer frame 6", kWindow},
    {IDI_DIALER_FRAME_FIRST + 6, "dialer frame 7", kWindow},
    {IDI_DIALER_FRAME_FIRST + 7, "dialer frame 8", kWindow},
    {IDI_DIALER_FRAME_FIRST + 8, "dialer frame 9", kWindow},
    {IDI_DIALER_CONNECTED, "dialer connected", kWindow},
};

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD iconId;
};
struct GroupIconDir {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

HMODULE Self() { return GetModuleHandleA(nullptr); }

const void* ResourceBytes(LPCSTR name, LPCSTR type, DWORD* size) {
  HRSRC info = FindResourceA(Self(), name, type);
  if (!info) return nullptr;
  *size = SizeofResource(Self(), info);
  return LockResource(LoadResource(Self(), info));
}

// The images of one icon group: width -> raw RT_ICON bytes.
std::vector<std::pair<int, std::string>> IconImages(int id) {
  std::vector<std::pair<int, std::string>> images;
  DWORD size = 0;
  auto* dir = static_cast<const GroupIconDir*>(ResourceBytes(MAKEINTRESOURCEA(id), RT_GROUP_ICON, &size));
  if (!dir || size < 6) return images;
  for (WORD i = 0; i < dir->count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
    const GroupIconEntry& e = dir->entries[i];
    DWORD imageSize = 0;
    auto* image = static_cast<const char*>(ResourceBytes(MAKEINTRESOURCEA(e.iconId), RT_ICON, &imageSize));
    if (!image || imageSize < sizeof(BITMAPINFOHEADER)) continue;
    int width = 0;
    if (std::memcmp(image, "\x89PNG", 4) == 0) {
      // PNG-compressed: the width is the big-endian number after the IHDR tag.
      const auto* b = reinterpret_cast<const unsigned char*>(image) + 16;
      width = (b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    } else {
      auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
      width = header->biWidth;
      EXPECT_EQ(header->biHeight, 2 * header->biWidth) << "icon " << id;  // picture + mask
      EXPECT_EQ(header->biBitCount, 32) << "icon " << id;
    }
    EXPECT_EQ(width, e.width ? e.width : 256) << "icon " << id;
    images.emplace_back(width, std::string(image, imageSize));
  }
  return images;
}

TEST(Icons, EachLoadsAtTrayAndWindowSize) {
  for (const IconCase& c : kIcons) {
    for (int px : {16, 32}) {
      HICON icon = static_cast<HICON>(LoadImageA(Self(), MAKEINTRESOURCEA(c.id), IMAGE_ICON, px, px, 0));
      ASSERT_NE(icon, nullptr) << c.id << " " << c.meaning << " at " << px;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP bm{};
      GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
      EXPECT_EQ(bm.bmWidth, px) << c.id << " " << c.meaning;
      if (info.hbmColor) DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

TEST(Icons, EachHoldsThePicturesOfWhereItIsShown) {
  for (const IconCase& c : kIcons) {
    std::set<int> widths;
    for (const auto& image : IconImages(c.id)) widths.insert(image.first);
    EXPECT_EQ(widths, c.shownAt) << c.id << " " << c.meaning;
  }
}

TEST(Icons, NoTwoLooksShareAPicture) {
  std::set<std::pair<int, std::string>> seen;
  size_t images = 0;
  for (const IconCase& c : kIcons) {
    for (const auto& image : IconImages(c.id)) {
      ++images;
      EXPECT_TRUE(seen.insert(image).second) << c.id << " " << c.meaning << " repeats a picture";
    }
  }
  EXPECT_EQ(seen.size(), images);
}

// The splash and wizard pictures load, and are palette pictures: a third of
// the bytes of 24-bit ones.
TEST(Bitmaps, SplashAndWizardPicturesLoadAsPalettePictures) {
  for (int id : {IDB_SPLASH_LEFT, IDB_SPLASH_RIGHT, IDB_WIZ_MAIN, IDB_WIZ_ISP, IDB_WIZ_AOL,
                 IDB_WIZ_CS2000, IDB_WIZ_NETZERO, IDB_WIZ_ATT, IDB_WIZ_MSN, IDB_WIZ_FINISH}) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bmp, nullptr) << id;
    BITMAP bm{};
    GetObjectA(bmp, sizeof bm, &bm);
    EXPECT_GT(bm.bmWidth, 32) << id;
    EXPECT_GT(bm.bmHeight, 32) << id;
    DeleteObject(bmp);
    DWORD size = 0;
    auto* header = static_cast<const BITMAPINFOHEADER*>(ResourceBytes(MAKEINTRESOURCEA(id), RT_BITMAP, &size));
    ASSERT_NE(header, nullptr) << id;
    EXPECT_EQ(header->biBitCount, 8) << id;
  }
}

}  // namespace

// Every icon the status window and the tray load by number must exist with
// real 16x16 and 32x32 pictures (the tray shows the 16x16 one; a scaled-down
// 32x32 is unreadable), and no two looks may share a picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct IconCase {
  int id;
  const char* meaning;
};

const IconCase kIcons[] = {
    // Status window rows
    {IDI_MAIN, "service active / program"},
    {IDI_NOT_ACTIVE, "service not active"},
    {IDI_CONNECTED, "connected"},
    {IDI_CONNECTING, "connecting"},
    {IDI_ERROR_STATE, "error"},
    {IDI_AOL, "AOL scanning"},
    {IDI_CS2000, "CS2000 scanning"},
    {IDI_NETZERO, "NetZero scanning"},
    {IDI_ATT, "ATT scanning"},
    {IDI_MSN, "MSN scanning"},
    // Tray looks not listed above
    {IDI_SENDING, "sending"},
    {IDI_RECEIVING, "receiving"},
    {IDI_STOPPED, "stopped"},
    {IDI_RUNNING, "running"},
    {IDI_AOL_ABSENT, "AOL absent"},
    {IDI_DIAL_FRAME_FIRST + 0, "dial frame 0"},
    {IDI_DIAL_FRAME_FIRST + 1, "dial frame 1"},
    {IDI_DIAL_FRAME_FIRST + 2, "dial frame 2"},
    {IDI_DIAL_FRAME_FIRST + 3, "dial frame 3"},
    {IDI_DIAL_FRAME_FIRST + 4, "dial frame 4"},
    {IDI_DIAL_FRAME_FIRST + 5, "dial frame 5"},
    {IDI_DIAL_FRAME_FIRST + 6, "dial frame 6"},
    {IDI_DIAL_FRAME_FIRST + 7, "dial frame 7"},
    {IDI_DIAL_FRAME_FIRST + 8, "dial frame 8"},
    {IDI_DIAL_FRAME_FIRST + 9, "dial frame 9"},
    {IDI_DIAL_CONNECTED, "dial connected"},
    {IDI_DIAL_ERROR, "dial error"},
    {IDI_CS2000_ABSENT, "CS2000 absent"},
    {IDI_POP3_FAILED, "POP3 failed"},
    {IDI_AWAITING, "awaiting connection"},
    // Dial dialog and the dial-up notice
    {IDI_NOTICE_EXCLAMATION, "notice: exclamation / dial failed"},
    {IDI_NOTICE_INFORMATION, "notice: information"},
    {IDI_NOTICE_QUESTION, "notice: question"},
    {IDI_NOTICE_STOP, "notice: stop"},
    {IDI_DIALER_IDLE, "dialer idle"},
    {IDI_DIALER_FRAME_FIRST + 0, "dialer frame 1"},
    {IDI_DIALER_FRAME_FIRST + 1, "dialer frame 2"},
    {IDI_DIALER_FRAME_FIRST + 2, "dialer frame 3"},
    {IDI_DIALER_FRAME_FIRST + 3, "dialer frame 4"},
    {IDI_DIALER_FRAME_FIRST + 4, "dialer frame 5"},
    {IDI_DIALER_FRAME_FIRST + 5, "dialer frame 6"},
    {IDI_DIALER_FRAME_FIRST + 6, "dialer frame 7"},
    {IDI_DIALER_FRAME_FIRST + 7, "dialer frame 8"},
    {IDI_DIALER_FRAME_FIRST + 8, "dialer frame 9"},
    {IDI_DIALER_CONNECTED, "dialer connected"},
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
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    EXPECT_EQ(header->biWidth, e.width ? e.width : 256) << "icon " << id;
    EXPECT_EQ(header->biHeight, 2 * header->biWidth) << "icon " << id;  // picture + mask
    images.emplace_back(header->biWidth, std::string(image, imageSize));
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

TEST(Icons, EachHoldsNativeSmallAndLargePictures) {
  for (const IconCase& c : kIcons) {
    std::set<int> widths;
    for (const auto& image : IconImages(c.id)) widths.insert(image.first);
    std::set<int> expected = {16, 32};
    if (c.id == IDI_MAIN) expected.insert(48);  // the program's own icon
    EXPECT_EQ(widths, expected) << c.id << " " << c.meaning;
  }
}

TEST(Icons, NoTwoLooksShareASmallPicture) {
  std::set<std::string> seen;
  for (const IconCase& c : kIcons) {
    for (const auto& image : IconImages(c.id)) {
      if (image.first != 16) continue;
      EXPECT_TRUE(seen.insert(image.second).second) << c.id << " " << c.meaning << " repeats a picture";
    }
  }
  EXPECT_EQ(seen.size(), std::size(kIcons));
}

TEST(Bitmaps, SplashPicturesLoad) {
  for (int id : {IDB_SPLASH_LEFT, IDB_SPLASH_RIGHT}) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bmp, nullptr) << id;
    BITMAP bm{};
    GetObjectA(bmp, sizeof bm, &bm);
    EXPECT_GT(bm.bmWidth, 32) << id;
    EXPECT_GT(bm.bmHeight, 32) << id;
    DeleteObject(bmp);
  }
}

}  // namespace

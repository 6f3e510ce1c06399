#include "win/TransparentBitmap.h"

namespace win {
namespace {

// Owns a memory DC with one bitmap selected into it.
class MemoryDc {
 public:
  MemoryDc(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~MemoryDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

bool DrawTransparentBitmap(HDC dc, const RECT& area, int id, COLORREF key) {
  HBITMAP picture = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  if (!picture) return false;
  BITMAP info = {};
  GetObjectA(picture, sizeof(info), &info);
  const int w = info.bmWidth, h = info.bmHeight;
  const int x = area.left + ((area.right - area.left) - w) / 2, y = area.top;

  // The mask is white where the key colour is, black where the picture is.
  HBITMAP maskBits = CreateBitmap(w, h, 1, 1, nullptr);
  bool drawn = false;
  {
    MemoryDc image(dc, picture), mask(dc, maskBits);
    if (image.get() && mask.get() && maskBits) {
      SetBkColor(image.get(), key);
      BitBlt(mask.get(), 0, 0, w, h, image.get(), 0, 0, SRCCOPY);
      // Key pixels of the picture become black, so OR-ing leaves the background
      // (a monochrome source gives white for its set bits, black for the rest).
      SetBkColor(image.get(), RGB(255, 255, 255));
      SetTextColor(image.get(), RGB(0, 0, 0));
      BitBlt(image.get(), 0, 0, w, h, mask.get(), 0, 0, 0x00220326);  // DSna
      // The background keeps only what the key covers, then takes the picture.
      const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
      const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
      BitBlt(dc, x, y, w, h, mask.get(), 0, 0, SRCAND);
      BitBlt(dc, x, y, w, h, image.get(), 0, 0, SRCPAINT);
      SetBkColor(dc, oldBk);
      SetTextColor(dc, oldText);
      drawn = true;
    }
  }
  if (maskBits) DeleteObject(maskBits);
  DeleteObject(picture);
  return drawn;
}

}  // namespace win

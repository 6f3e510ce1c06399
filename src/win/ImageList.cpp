#include "win/ImageList.h"

namespace win {

bool ImageList::Create(int cx, int cy, int initial, int grow) {
  Reset();
  list_ = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, initial, grow);
  cx_ = cx;
  cy_ = cy;
  return list_ != nullptr;
}

bool ImageList::LoadStrip(int bitmapId, int cx, int grow, COLORREF mask) {
  Reset();
  list_ = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), cx, grow, mask,
                               IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (list_) ImageList_GetIconSize(list_, &cx_, &cy_);
  return list_ != nullptr;
}

int ImageList::AddIcon(int iconId) {
  if (!list_) return -1;
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                             IMAGE_ICON, cx_, cy_, 0));
  if (!icon) return -1;
  const int index = ImageList_AddIcon(list_, icon);
  DestroyIcon(icon);
  return index;
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

void ImageList::Reset() {
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
}

}  // namespace win

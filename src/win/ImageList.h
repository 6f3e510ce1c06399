#pragma once
// Owner of one image list; destroys it with itself. Controls that show it
// must not own it too (list views: LVS_SHAREIMAGELISTS).
#include <windows.h>
#include <commctrl.h>

namespace win {

class ImageList {
 public:
  ImageList() = default;
  ~ImageList() { Reset(); }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // An empty list of `cx` x `cy` colour images with a mask.
  bool Create(int cx, int cy, int initial, int grow);
  // Cuts a bitmap resource into images `cx` pixels wide. `mask` is the
  // transparent colour, or CLR_NONE for opaque images.
  bool LoadStrip(int bitmapId, int cx, int grow, COLORREF mask);
  // Adds an icon resource at the list's size; returns its index or -1.
  int AddIcon(int iconId);
  int Count() const;
  void Reset();
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
  int cx_ = 0, cy_ = 0;
};

}  // namespace win

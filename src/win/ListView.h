#pragma once
// A list view control of a dialog: the few operations the program needs,
// with item indexes counted from 0 and -1 for "none".
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace win {

class ListView {
 public:
  ListView() = default;
  explicit ListView(HWND control) : hwnd_(control) {}
  void Attach(HWND control) { hwnd_ = control; }
  HWND hwnd() const { return hwnd_; }

  int Count() const;
  int InsertColumn(int index, const char* text, int width);
  // Inserts at `index` (Count() appends); returns the new index or -1.
  int InsertItem(int index, const char* text, int image);
  bool SetText(int item, int column, const char* text);
  std::string Text(int item, int column = 0) const;
  bool Delete(int item);
  void DeleteAll();
  // The selected item, or -1.
  int Selected() const;
  // Selects and focuses `item` and scrolls it into view; -1 clears the selection.
  void Select(int item);
  // The item at a point of the control's client area, or -1.
  int HitTest(POINT client) const;
  // `which` is LVSIL_NORMAL or LVSIL_SMALL. The control does not own the
  // list when it has LVS_SHAREIMAGELISTS.
  void SetImageList(HIMAGELIST list, int which);
  int ClientWidth() const;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace win

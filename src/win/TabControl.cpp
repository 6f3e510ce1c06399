#include "win/TabControl.h"

namespace win {

int TabControl::Count() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0)); }

int TabControl::Insert(int index, const char* text) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<char*>(text ? text : "");
  item.iImage = -1;
  return static_cast<int>(SendMessageA(hwnd_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}

void TabControl::DeleteAll() { SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0); }

int TabControl::Current() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)); }

void TabControl::SetCurrent(int index) { SendMessageA(hwnd_, TCM_SETCURSEL, index, 0); }

RECT TabControl::ItemRect(int index) const {
  RECT rc = {};
  SendMessageA(hwnd_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
  return rc;
}

}  // namespace win

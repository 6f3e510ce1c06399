#include "win/ListView.h"

#include <vector>

namespace win {

int ListView::Count() const {
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::InsertColumn(int index, const char* text, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(text);
  column.cx = width;
  column.iSubItem = index;
  return static_cast<int>(
      SendMessageA(hwnd_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const char* text, int image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<char*>(text ? text : "");
  item.iImage = image;
  return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetText(int item, int column, const char* text) {
  LVITEMA change = {};
  change.iSubItem = column;
  change.pszText = const_cast<char*>(text ? text : "");
  return SendMessageA(hwnd_, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&change)) != 0;
}

std::string ListView::Text(int item, int column) const {
  // The control copies at most the buffer; grow until the text fits.
  for (int size = 256; size <= 65536; size *= 4) {
    std::vector<char> buf(static_cast<size_t>(size), '\0');
    LVITEMA query = {};
    query.iSubItem = column;
    query.pszText = buf.data();
    query.cchTextMax = size;
    const int length = static_cast<int>(
        SendMessageA(hwnd_, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&query)));
    if (length < size - 1) return std::string(buf.data(), static_cast<size_t>(length > 0 ? length : 0));
  }
  return {};
}

bool ListView::Delete(int item) { return SendMessageA(hwnd_, LVM_DELETEITEM, item, 0) != 0; }

void ListView::DeleteAll() { SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0); }

int ListView::Selected() const {
  return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
}

void ListView::Select(int item) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (item < 0) {
    state.state = 0;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    return;
  }
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
  SendMessageA(hwnd_, LVM_ENSUREVISIBLE, item, FALSE);
}

int ListView::HitTest(POINT client) const {
  LVHITTESTINFO hit = {};
  hit.pt = client;
  const int item = static_cast<int>(SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) ? item : -1;
}

void ListView::SetImageList(HIMAGELIST list, int which) {
  SendMessageA(hwnd_, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list));
}

int ListView::ClientWidth() const {
  RECT rc = {};
  GetClientRect(hwnd_, &rc);
  return rc.right - rc.left;
}

}  // namespace win

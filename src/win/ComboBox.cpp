#include "win/ComboBox.h"

namespace win {
namespace {

std::string ItemText(HWND combo, int index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == CB_ERR || copied < 0 ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) items.push_back(ItemText(combo, i));
  return items;
}

std::string ComboSelection(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? std::string() : ItemText(combo, static_cast<int>(index));
}

void ComboFill(HWND combo, const std::vector<std::string>& items) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

bool ComboSelectExact(HWND combo, const std::string& text) {
  const std::vector<std::string> items = ComboItems(combo);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) {
      SendMessageA(combo, CB_SETCURSEL, i, 0);
      return true;
    }
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

}  // namespace win

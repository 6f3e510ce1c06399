#pragma once
// Drop-down lists of a dialog: their entries as texts.
#include <windows.h>

#include <string>
#include <vector>

namespace win {

// Every entry, in list order.
std::vector<std::string> ComboItems(HWND combo);
// The selected entry's text, or "" when none is selected.
std::string ComboSelection(HWND combo);
// Empties the list and adds `items` (a sorted list sorts them itself).
void ComboFill(HWND combo, const std::vector<std::string>& items);
// Selects the entry equal to `text`, letter for letter; false and no
// selection when there is none.
bool ComboSelectExact(HWND combo, const std::string& text);

}  // namespace win

#pragma once
// Pictures drawn transparently: every pixel of the key colour lets the
// background show through (the wizard pages' pictures sit on whatever face
// colour the system gives dialogs).
#include <windows.h>

namespace win {

inline constexpr COLORREF kPictureKey = RGB(255, 0, 255);

// Draws bitmap resource `id` of this module centred at the top of `area`.
// False when there is no such bitmap.
bool DrawTransparentBitmap(HDC dc, const RECT& area, int id, COLORREF key = kPictureKey);

}  // namespace win

#pragma once
// An up-down control used as two buttons: the program moves things itself
// and keeps the control's position where it is.
#include <windows.h>
#include <commctrl.h>

namespace win {

// The arrow an UDN_DELTAPOS notification reports: -1 the upper arrow, +1 the
// lower one (the control's default range runs from 100 down to 0), 0 neither.
inline int UpDownStep(LPARAM notify) {
  const auto* change = reinterpret_cast<const NMUPDOWN*>(notify);
  if (!change) return 0;
  return change->iDelta < 0 ? -1 : (change->iDelta > 0 ? 1 : 0);
}

// The answer to UDN_DELTAPOS that leaves the control's position unchanged.
constexpr INT_PTR kUpDownKeepPosition = TRUE;

}  // namespace win

#include "win/ModalChain.h"

namespace win {
namespace {

constexpr const char* kEndingProperty = "Tetherly.ModalChainEnding";

bool IsOwnedBy(HWND window, HWND owner) {
  for (HWND w = GetWindow(window, GW_OWNER); w; w = GetWindow(w, GW_OWNER)) {
    if (w == owner) return true;
  }
  return false;
}

bool IsDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  return lstrcmpA(name, "#32770") == 0;
}

struct OwnedSearch {
  HWND owner;
};

BOOL CALLBACK EndIfOwned(HWND window, LPARAM lp) {
  const auto* search = reinterpret_cast<const OwnedSearch*>(lp);
  if (IsDialogClass(window) && IsOwnedBy(window, search->owner)) EndDialog(window, IDCANCEL);
  return TRUE;
}

}  // namespace

void EndOwnedDialogs(HWND owner) {
  if (!owner || !IsWindow(owner)) return;
  SetPropA(owner, kEndingProperty, reinterpret_cast<HANDLE>(1));
  OwnedSearch search{owner};
  EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), &EndIfOwned,
                    reinterpret_cast<LPARAM>(&search));
}

void EndModalChain(HWND dialog, INT_PTR result) {
  if (!dialog || !IsWindow(dialog)) return;
  EndOwnedDialogs(dialog);
  EndDialog(dialog, result);
}

bool IsModalChainEnding(HWND window) {
  for (HWND w = window; w; ) {
    if (GetPropA(w, kEndingProperty)) return true;
    w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetAncestor(w, GA_PARENT) : GetWindow(w, GW_OWNER);
  }
  return false;
}

void ForgetModalChainEnding(HWND dialog) {
  if (dialog) RemovePropA(dialog, kEndingProperty);
}

}  // namespace win

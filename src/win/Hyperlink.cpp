#include "win/Hyperlink.h"

#include <commctrl.h>
#include <shellapi.h>

namespace win {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C494E4B;  // "LINK"
LinkOpener g_opener;

}  // namespace

bool OpenLinkTarget(HWND owner, const std::string& target) {
  if (g_opener) return g_opener(owner, target);
  const INT_PTR rc = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return rc > 32;
}

LinkOpener SetLinkOpener(LinkOpener opener) {
  LinkOpener previous = std::move(g_opener);
  g_opener = std::move(opener);
  return previous;
}

Hyperlink::~Hyperlink() { Detach(); }

bool Hyperlink::Attach(HWND control, std::string target) {
  Detach();
  if (!control) return false;
  if (!SetWindowSubclass(control, &Hyperlink::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  control_ = control;
  target_ = std::move(target);
  InvalidateRect(control_, nullptr, TRUE);
  return true;
}

void Hyperlink::Detach() {
  if (control_) RemoveWindowSubclass(control_, &Hyperlink::Proc, kSubclassId);
  control_ = nullptr;
  if (underlined_) DeleteObject(underlined_);
  underlined_ = nullptr;
}

void Hyperlink::Open() { OpenLinkTarget(GetAncestor(control_, GA_ROOT), target_); }

void Hyperlink::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(control_, &ps);
  RECT rc;
  GetClientRect(control_, &rc);
  // The parent's own background, as a plain static would get it.
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control_), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control_)));
  FillRect(dc, &rc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (!underlined_) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control_, WM_GETFONT, 0, 0));
    LOGFONTA lf = {};
    GetObjectA(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectA(&lf);
  }
  HGDIOBJ old = SelectObject(dc, underlined_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(control_) ? RGB(0, 0, 255) : GetSysColor(COLOR_GRAYTEXT));
  char text[512] = {};
  GetWindowTextA(control_, text, sizeof(text));
  RECT textRect = rc;
  DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (GetFocus() == control_) DrawFocusRect(dc, &textRect);
  SelectObject(dc, old);
  EndPaint(control_, &ps);
}

LRESULT CALLBACK Hyperlink::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Hyperlink*>(data);
  switch (msg) {
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
      return TRUE;
    case WM_LBUTTONUP:
      self->Open();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_CHAR:
      if (wp == ' ') self->Open();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &Hyperlink::Proc, kSubclassId);
      self->control_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace win

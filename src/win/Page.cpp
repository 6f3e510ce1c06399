#include "win/Page.h"

namespace win {

bool Page::Create(HWND parent, HWND container) {
  container_ = container;
  inSheet_ = false;
  modified_ = false;
  initialised_ = false;
  return CreateModeless(templateId_, parent);
}

PROPSHEETPAGEA Page::SheetPage(DWORD flags) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof(page);
  page.dwFlags = flags;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = &Page::SheetThunk;
  page.lParam = reinterpret_cast<LPARAM>(this);
  inSheet_ = true;
  modified_ = false;
  initialised_ = false;
  return page;
}

INT_PTR CALLBACK Page::SheetThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Page* self = nullptr;
  if (msg == WM_INITDIALOG) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lp);
    self = sheetPage ? reinterpret_cast<Page*>(sheetPage->lParam) : nullptr;
    if (self) self->container_ = GetParent(hwnd);
  }
  return Dispatch(self, hwnd, msg, wp, lp);
}

BOOL Page::OnInitDialog() {
  Quiet quiet(*this);
  initialised_ = OnLoad();
  return TRUE;
}

Page::SaveResult Page::Save() {
  refusedControl_ = 0;
  const SaveResult result = OnSave();
  if (result == SaveResult::Saved) modified_ = false;
  return result;
}

Page::SaveResult Page::Refuse(int controlId) {
  refusedControl_ = controlId;
  return SaveResult::Refused;
}

void Page::Changed() {
  if (quiet_) return;
  modified_ = true;
  if (!container_) return;
  if (inSheet_) SendMessageA(container_, PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
  else SendMessageA(container_, kPageChangedMessage, 0, reinterpret_cast<LPARAM>(hwnd()));
}

}  // namespace win

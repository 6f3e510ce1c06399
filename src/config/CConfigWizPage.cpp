#include "config/CConfigWizPage.h"

#include "config/CConfigWizPSheet.h"
#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"
#include "win/TransparentBitmap.h"

config::WizardAnswers& CConfigWizPage::answers() { return sheet_.answers(); }
SettingsStore& CConfigWizPage::store() { return sheet_.store(); }

bool CConfigWizPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_NOTIFY && lp) return OnNotify(*reinterpret_cast<const NMHDR*>(lp), result);
  if (msg == WM_DRAWITEM && wp == IDC_WIZ_PICTURE && lp) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    win::DrawTransparentBitmap(item->hDC, item->rcItem, PictureId());
    result = TRUE;
    return true;
  }
  return false;
}

bool CConfigWizPage::OnNotify(const NMHDR& header, INT_PTR& result) {
  switch (header.code) {
    case PSN_SETACTIVE:
      PropSheet_SetWizButtons(GetParent(hwnd()), Buttons());
      OnSetActive();
      result = 0;
      return true;
    case PSN_WIZNEXT:
      result = OnNext() ? 0 : -1;
      return true;
    case PSN_WIZFINISH:
      result = OnFinish() ? FALSE : TRUE;
      return true;
    default:
      return false;
  }
}

bool CConfigWizPage::Refuse(int controlId, const char* text, UINT type) {
  config::ShowMessage(hwnd(), text, type);
  HWND control = Item(controlId);
  if (control && IsWindow(control)) {
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
  }
  return false;
}

bool CConfigWizPage::Fits(int controlId, std::size_t maxChars) {
  const std::string message = config::LengthMessage(ItemText(controlId), maxChars);
  return message.empty() || Refuse(controlId, message);
}

void CConfigWizPage::SetYes(int yesId, int noId, bool yes) {
  SetChecked(yesId, yes);
  SetChecked(noId, !yes);
}

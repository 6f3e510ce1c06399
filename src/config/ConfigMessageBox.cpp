#include "config/ConfigMessageBox.h"

#include "config/ConfigTexts.h"
#include "win/MessageBox.h"
#include "win/ModalChain.h"

namespace config {

int ShowMessage(HWND from, const char* text, UINT type) {
  HWND owner = from ? GetAncestor(from, GA_ROOT) : nullptr;
  if (win::IsModalChainEnding(owner)) return IDCANCEL;
  return win::ShowMessageBox(owner, text, kBoxTitle, type);
}

int ShowMessage(HWND from, const std::string& text, UINT type) {
  return ShowMessage(from, text.c_str(), type);
}

}  // namespace config

#include "support/ProductionController.h"

#include "app/ProductionSeams.h"

namespace testing_support {

ControllerOptions ProductionOptionsRecordingLooks(std::vector<int>* looks) {
  ControllerOptions options = MakeProductionControllerOptions();
  options.showSplash = false;
  auto forward = options.seams.tray.setLook;
  options.seams.tray.setLook = [looks, forward](int look, const char* text) {
    looks->push_back(look);
    if (forward) forward(look, text);
  };
  return options;
}

std::vector<int> DialLooks(const std::vector<int>& looks) {
  std::vector<int> out;
  for (int look : looks)
    if (look == tray_look::kDialing || look == tray_look::kConnecting || look == tray_look::kConnected ||
        look == tray_look::kRunning)
      out.push_back(look);
  return out;
}

}  // namespace testing_support

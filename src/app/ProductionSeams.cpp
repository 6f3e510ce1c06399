#include "app/ProductionSeams.h"

ControllerOptions MakeProductionControllerOptions() {
  ControllerOptions options;
  return options;
}

#pragma once
// Carries out the writes of Finish (WizardFinishPlan.h) through the settings
// store, every one of them even after a failure, and reports each that
// failed with the system's text for why.
#include <vector>

#include "config/WizardFinishPlan.h"
#include "settings/SettingsStore.h"

namespace config {

std::vector<FinishFailure> WriteFinishPlan(SettingsStore& store, const std::vector<FinishStep>& plan);

}  // namespace config

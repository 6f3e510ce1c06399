// Production wiring of the configuration wizard and the Advanced Configurations dialog.
#include "app/ProductionParts.h"
#include "config/CConfigWizPSheet.h"
#include "config/ConfigDialogRunner.h"
#include "dialup/DialUpEntries.h"

namespace {

// The phonebook entries of the dialer pages (configuration and wizard), fresh at every call.
DWORD ListDialUpProfiles(std::vector<std::string>& names) {
  names.clear();
  return dialup::ListEntryNames(names);
}

}  // namespace

void WireConfig(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  auto runner = std::make_shared<ConfigDialogRunner>(parts->store, &ListDialUpProfiles);
  seams.config.runConfigDialog = [parts, runner] { return runner->Run(parts->controller); };
  seams.config.endConfigDialog = [runner](INT_PTR result) { runner->End(result); };

  // The wizard that is running, for Exit to cancel.
  auto openWizard = std::make_shared<CConfigWizPSheet*>(nullptr);
  seams.config.runWizard = [parts, openWizard](bool firstRun) -> INT_PTR {
    if (*openWizard) return IDCANCEL;
    CConfigWizPSheet wizard(parts->store, &ListDialUpProfiles, firstRun);
    *openWizard = &wizard;
    const INT_PTR result = wizard.Run(parts->controller);
    *openWizard = nullptr;
    return result == CConfigWizPSheet::kFinished ? kWizardFinished : IDCANCEL;
  };
  seams.config.cancelWizard = [openWizard] {
    if (*openWizard) (*openWizard)->CancelFromOutside();
  };
}

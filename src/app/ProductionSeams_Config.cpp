// Production wiring of the configuration wizard and the Advanced Configurations dialog.
#include "app/ProductionParts.h"
#include "config/ConfigDialogRunner.h"
#include "dialup/DialUpEntries.h"

namespace {

// The ISP dialer page's phonebook entries, fresh at every call.
DWORD ListDialUpProfiles(std::vector<std::string>& names) {
  names.clear();
  return dialup::ListEntryNames(names);
}

}  // namespace

void WireConfig(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  auto runner = std::make_shared<ConfigDialogRunner>(parts->store, &ListDialUpProfiles);
  seams.config.runConfigDialog = [parts, runner] { return runner->Run(parts->controller); };
  seams.config.endConfigDialog = [runner](INT_PTR result) { runner->End(result); };
}

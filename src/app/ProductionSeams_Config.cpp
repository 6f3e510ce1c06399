// Production wiring of the configuration wizard and the Advanced Configurations dialog.
#include "app/ProductionParts.h"
#include "config/ConfigDialogRunner.h"

namespace {

// The ISP dialer page's phonebook entries. The lead binds this to the
// dial-up wrapper, dialup::ListEntryNames (src/dialup/DialUpEntries.h), once
// it has landed; until then the page offers no entries.
DWORD ListDialUpProfiles(std::vector<std::string>& names) {
  names.clear();
  return 0;
}

}  // namespace

void WireConfig(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  auto runner = std::make_shared<ConfigDialogRunner>(parts->store, &ListDialUpProfiles);
  seams.config.runConfigDialog = [parts, runner] { return runner->Run(parts->controller); };
  seams.config.endConfigDialog = [runner](INT_PTR result) { runner->End(result); };
}

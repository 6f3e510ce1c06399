#include "support/RegistrySandbox.h"

#include <initializer_list>

#include "win/RegKey.h"

namespace testing_support {

void ClearProgramSettings() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    win::RegKey::DeleteTree(root, kProgramRoot);
    win::RegKey run;
    if (run.Open(root, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS) run.DeleteValue("Tetherly");
  }
}

}  // namespace testing_support

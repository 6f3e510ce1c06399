#include "support/RegistrySandbox.h"

#include "win/RegKey.h"

namespace testing_support {

void ClearProgramSettings() {
  win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kProgramRoot);
  win::RegKey run;
  if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
    run.DeleteValue("Tetherly");
}

}  // namespace testing_support

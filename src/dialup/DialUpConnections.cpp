#include "dialup/DialUpConnections.h"

#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <memory>

namespace {
// Not every SDK names this dial-up error.
constexpr DWORD kOutOfBuffers = 614;
}  // namespace

bool AnyDialUpConnection() {
  // One entry first; if the library wants a bigger buffer it says how big.
  RASCONNA one = {};
  one.dwSize = sizeof(RASCONNA);
  DWORD bytes = sizeof(RASCONNA), count = 0;
  DWORD rc = RasEnumConnectionsA(&one, &bytes, &count);
  if (rc == ERROR_BUFFER_TOO_SMALL || rc == ERROR_BUFFER_INVALID || rc == kOutOfBuffers) {
    if (bytes < sizeof(RASCONNA) || bytes > 64 * sizeof(RASCONNA)) return false;
    const DWORD entries = bytes / sizeof(RASCONNA);
    std::unique_ptr<RASCONNA[]> many(new RASCONNA[entries]());
    for (DWORD i = 0; i < entries; ++i) many[i].dwSize = sizeof(RASCONNA);
    count = 0;
    rc = RasEnumConnectionsA(many.get(), &bytes, &count);
  }
  return rc == ERROR_SUCCESS && count > 0;
}

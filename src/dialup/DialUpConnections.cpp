#include "dialup/DialUpConnections.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "dialup/RasApi.h"
#include "win/SystemLibrary.h"

namespace {

// Loaded once found and kept for the rest of the run: the monitors ask every
// few seconds. A library that is missing is looked for again at the next ask.
HMODULE QueryModule() {
  static std::atomic<HMODULE> kept{nullptr};
  if (HMODULE m = kept.load()) return m;
  HMODULE loaded = win::LoadSystemLibrary(dialup::kRasLibraryName);
  if (!loaded) return nullptr;
  HMODULE expected = nullptr;
  if (!kept.compare_exchange_strong(expected, loaded)) {
    FreeLibrary(loaded);
    return expected;
  }
  return loaded;
}

}  // namespace

bool AnyDialUpConnection() {
  auto enumerate =
      dialup::FindEntry<dialup::RasEnumConnectionsFn>(QueryModule(), "RasEnumConnectionsA");
  std::vector<dialup::RasHandle> connections;
  return enumerate && dialup::EnumerateConnections(enumerate, connections) == ERROR_SUCCESS &&
         !connections.empty();
}

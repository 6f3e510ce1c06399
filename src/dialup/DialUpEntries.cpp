#include "dialup/DialUpEntries.h"

#include "dialup/RasLibrary.h"

namespace dialup {

DWORD ListEntryNames(std::vector<std::string>& names) {
  RasLibrary library;
  // The page asking is the active window; the notice belongs over it.
  library.SetOwner(GetActiveWindow());
  return library.ListEntries(names);
}

}  // namespace dialup

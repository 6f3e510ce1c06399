#include "win/ResolveHost.h"

#include <cstring>

namespace win {

bool ResolveHost(const char* host, in_addr& address) {
  if (!host || !*host) return false;
  unsigned long dotted = inet_addr(host);
  if (dotted != INADDR_NONE) {
    address.s_addr = dotted;
    return true;
  }
  const hostent* entry = gethostbyname(host);
  if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
      !entry->h_addr_list[0])
    return false;
  std::memcpy(&address, entry->h_addr_list[0], 4);
  return true;
}

}  // namespace win

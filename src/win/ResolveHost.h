#pragma once
// A dotted address or a host name to an IPv4 address. Name look-ups block
// the calling thread (workers only, never the user-interface thread).
#include <winsock2.h>

namespace win {

bool ResolveHost(const char* host, in_addr& address);

}  // namespace win

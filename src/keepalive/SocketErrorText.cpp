#include "keepalive/SocketErrorText.h"

namespace {

struct ErrorWords {
  int code;
  const char* text;
};

constexpr const char kGeneric[] = "Winsock Error";

constexpr ErrorWords kTable[] = {
    {10004, "Blocking call cancelled"},
    {10009, kGeneric},
    {10013, kGeneric},
    {10014, kGeneric},
    {10022, "Connection rejected"},
    {10024, "No file descriptors available"},
    {10035, "Socket marked as non-blocking and SO_LINGER set not 0"},
    {10036, "Blocking operation in progress"},
    {10037, kGeneric},
    {10038, "Descriptor is not a socket"},
    {10039, "Destination address required"},
    {10040, "Message size error"},
    {10041, "Protocol wrong type for this socket"},
    {10042, kGeneric},
    {10043, "Specified protocol not supported"},
    {10044, kGeneric},
    {10045, "Operation not supported"},
    {10046, "PF address not supported"},
    {10047, "Address family not supported"},
    {10048, "Address already in use"},
    {10049, "Address not available"},
    {10050, "Network subsystem failed"},
    {10051, "Network unreachable"},
    {10052, "Network reset"},
    {10053, "Connection aborted"},
    {10054, "Connection reset"},
    {10055, "No buffer space available"},
    {10056, kGeneric},
    {10057, "Not connected"},
    {10058, kGeneric},
    {10059, kGeneric},
    {10060, "Connection timed out"},
    {10061, "Connection refused"},
    {10062, kGeneric},
    {10063, kGeneric},
    {10064, "Host down"},
    {10065, "Host unreachable"},
    {10066, kGeneric},
    {10067, kGeneric},
    {10068, kGeneric},
    {10069, kGeneric},
    {10070, "Stale file handle"},
    {10071, kGeneric},
    {10091, "Winsock not present or not responding"},
    {10092, "Version of Winsock not supported"},
    {10093, "WSA Startup not initialized"},
    {10101, kGeneric},
    {11001, "Authoritive: Host not found"},
    {11002, "Non-authoritive: host not found or server failure"},
    {11003, "Non-recoverable: refused or not implemented"},
    {11004, "Valid name, no data record for type"},
};

}  // namespace

const char* SocketErrorText(int code) {
  for (const ErrorWords& e : kTable)
    if (e.code == code) return e.text;
  return "Winsock error not defined";
}

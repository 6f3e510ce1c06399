// The words of the status rows for socket errors come from the program's
// string table, looked up by code.
#include <gtest/gtest.h>

#include "keepalive/SocketErrorText.h"

namespace {

TEST(SocketErrorText, EveryListedCodeLoadsItsWords) {
  struct Case {
    int code;
    const char* text;
  } cases[] = {
      {10004, "Blocking call cancelled"},
      {10022, "Connection rejected"},
      {10024, "No file descriptors available"},
      {10035, "Socket marked as non-blocking and SO_LINGER set not 0"},
      {10036, "Blocking operation in progress"},
      {10038, "Descriptor is not a socket"},
      {10039, "Destination address required"},
      {10040, "Message size error"},
      {10041, "Protocol wrong type for this socket"},
      {10043, "Specified protocol not supported"},
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
      {10057, "Not connected"},
      {10060, "Connection timed out"},
      {10061, "Connection refused"},
      {10064, "Host down"},
      {10065, "Host unreachable"},
      {10070, "Stale file handle"},
      {10091, "Winsock not present or not responding"},
      {10092, "Version of Winsock not supported"},
      {10093, "WSA Startup not initialized"},
      {11001, "Authoritive: Host not found"},
      {11002, "Non-authoritive: host not found or server failure"},
      {11003, "Non-recoverable: refused or not implemented"},
      {11004, "Valid name, no data record for type"},
  };
  for (const Case& c : cases) EXPECT_EQ(SocketErrorText(c.code), c.text) << c.code;
  for (int code : {10009, 10013, 10014, 10037, 10042, 10044, 10056, 10058, 10059, 10062, 10063,
                   10066, 10067, 10068, 10069, 10071, 10101})
    EXPECT_EQ(SocketErrorText(code), "Winsock Error") << code;
}

TEST(SocketErrorText, UnknownCodesAndMissingStringsGiveTheFallback) {
  for (int code : {0, -1, 10000, 10090, 12345, 65535})
    EXPECT_EQ(SocketErrorText(code), "Winsock error not defined") << code;
  // A module without the program's string table: listed codes fall back too.
  HMODULE other = GetModuleHandleA("ntdll.dll");
  ASSERT_NE(other, nullptr);
  char probe[8];
  ASSERT_EQ(LoadStringA(other, 10061, probe, sizeof(probe)), 0) << "ntdll has such a string";
  EXPECT_EQ(SocketErrorText(10061, other), "Winsock error not defined");
  EXPECT_EQ(SocketErrorText(10004, other), "Winsock error not defined");
}

}  // namespace

// Loopback servers for trying the program on one machine: HTTP (80), FTP
// (21), Echo (7), Discard (9), Daytime (13), a user port and POP3 (110),
// each taking one connection at a time and answering like a small real
// server. Runs until killed.
//
//   loopback_servers.exe [address ...] [--user-port N]
//
// Every service listens on each address given (127.0.0.1 when none); only
// loopback addresses are accepted.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/LoopbackServer.h"
#include "support/TestHarness.h"

namespace {

using namespace testing_support;

bool IsLoopback(const char* address) {
  const unsigned long a = inet_addr(address);
  return a != INADDR_NONE && (ntohl(a) >> 24) == 127;
}

struct Service {
  const char* name;
  unsigned short port;
  Script script;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> addresses;
  unsigned short userPort = 4000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--user-port") == 0 && i + 1 < argc) {
      const long port = std::strtol(argv[++i], nullptr, 10);
      if (port <= 0 || port > 65535) {
        std::fprintf(stderr, "bad port %s\n", argv[i]);
        return 2;
      }
      userPort = static_cast<unsigned short>(port);
    } else if (IsLoopback(argv[i])) {
      addresses.push_back(argv[i]);
    } else {
      std::fprintf(stderr, "not a loopback address: %s\n", argv[i]);
      return 2;
    }
  }
  if (addresses.empty()) addresses.push_back("127.0.0.1");

  WinsockSession winsock;
  if (!winsock.ok()) {
    std::fprintf(stderr, "Windows Sockets did not start\n");
    return 1;
  }
  const Service services[] = {
      {"HTTP", 80, HttpScript("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<html>ok</html>")},
      {"FTP", 21, FtpScript("220 Tetherly loopback FTP ready\r\n")},
      {"Echo", 7, EchoScript()},
      {"Discard", 9, DiscardScript()},
      {"Daytime", 13, DaytimeScript()},
      {"User port", userPort, DiscardScript()},
      {"POP3", 110, Pop3Script()},
  };
  std::vector<std::unique_ptr<LoopbackServer>> running;
  for (const std::string& address : addresses) {
    for (const Service& s : services) {
      auto server = std::make_unique<LoopbackServer>();
      const int rc = server->Start(address.c_str(), s.port, s.script);
      if (rc != 0) {
        std::fprintf(stderr, "%s on %s:%u: error %d\n", s.name, address.c_str(), s.port, rc);
        continue;
      }
      std::printf("%s on %s:%u\n", s.name, address.c_str(), s.port);
      running.push_back(std::move(server));
    }
  }
  std::fflush(stdout);
  if (running.empty()) return 1;
  for (;;) Sleep(60000);
}

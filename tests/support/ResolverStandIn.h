#pragma once
// A name resolver for tests, in place of the system's: names ending in
// ".test" map to the loopback address given to Map(); "stuck.test" never
// answers until the stand-in goes away; anything else cannot be resolved.
// No test resolves a real name.
#include <winsock2.h>

#include <string>

namespace testing_support {

class ResolverStandIn {
 public:
  ResolverStandIn();
  ~ResolverStandIn();  // releases every look-up still held
  ResolverStandIn(const ResolverStandIn&) = delete;
  ResolverStandIn& operator=(const ResolverStandIn&) = delete;

  static void Map(const std::string& name, const char* address);
  // Look-ups asked for so far.
  static int Asked();
};

}  // namespace testing_support

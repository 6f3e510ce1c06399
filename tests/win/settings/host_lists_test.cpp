#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "RawRegistry.h"
#include "app/Random15.h"
#include "settings/DefaultHosts.h"
#include "settings/ServiceKind.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"

using namespace settings;

namespace {

std::string KeyOf(int service) {
  return std::string(kKeyServices) + "\\" + ServiceKeyName(service);
}

class HostLists : public ::testing::Test {
 protected:
  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
};

TEST_F(HostLists, RewritingWithAShorterListLeavesOnlyTheNewEntries) {
  const std::string key = KeyOf(ServiceIndex(ServiceKind::Ftp));
  ASSERT_TRUE(store_.WriteHostList(1, {"a", "b", "c", "d", "e"}));
  ASSERT_TRUE(store_.WriteDedicatedHost(1, "c"));
  ASSERT_TRUE(store_.WriteHostList(1, {"x.example", "y.example", "z.example"}));

  EXPECT_EQ(raw::ValueNames(key.c_str()), (std::set<std::string>{"0", "1", "2"}));
  std::string dedicated = "-";
  EXPECT_FALSE(store_.ReadDedicatedHost(1, dedicated));
  EXPECT_EQ(dedicated, "");

  // Entries are stored as bare text with their own length.
  raw::Value v = raw::Get(key.c_str(), "1");
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.Text(), "y.example");

  std::vector<std::string> hosts;
  EXPECT_FALSE(store_.ReadHostList(1, hosts)) << "a missing value is the normal end";
  EXPECT_EQ(hosts, (std::vector<std::string>{"x.example", "y.example", "z.example"}));
}

TEST_F(HostLists, AnEmptyValueEndsTheList) {
  const std::string key = KeyOf(0);
  raw::PutText(key.c_str(), "0", "one");
  raw::PutText(key.c_str(), "1", "two");
  raw::PutText(key.c_str(), "2", "");
  raw::PutText(key.c_str(), "3", "four");
  std::vector<std::string> hosts{"kept"};
  EXPECT_TRUE(store_.ReadHostList(0, hosts));
  EXPECT_EQ(hosts, (std::vector<std::string>{"kept", "one", "two"}));
}

TEST_F(HostLists, MissingListAndBadServiceReadAsNothing) {
  std::vector<std::string> hosts;
  EXPECT_FALSE(store_.ReadHostList(2, hosts));
  EXPECT_FALSE(store_.ReadHostList(-1, hosts));
  EXPECT_FALSE(store_.ReadHostList(6, hosts));
  EXPECT_TRUE(hosts.empty());
  EXPECT_FALSE(store_.WriteHostList(-1, {"a"}));
  EXPECT_FALSE(store_.WriteDedicatedHost(6, "a"));
  EXPECT_FALSE(raw::KeyExists((std::string(kKeyServices) + "\\Service Error").c_str()));
}

// An empty entry would hide every later one from the readers; an over-long
// one would not fit their buffer.
TEST_F(HostLists, EmptyAndOverlongEntriesAreLeftOut) {
  const std::string tooLong(255, 'h');
  const std::string longest(254, 'h');
  EXPECT_FALSE(store_.WriteHostList(5, {"a:7", "", tooLong, "b:9", longest}));
  std::vector<std::string> hosts;
  store_.ReadHostList(5, hosts);
  EXPECT_EQ(hosts, (std::vector<std::string>{"a:7", "b:9", longest}));
  EXPECT_TRUE(store_.WriteHostList(5, {"a:7", "", "b:9"}));
  EXPECT_FALSE(store_.WriteDedicatedHost(5, tooLong));
}

TEST_F(HostLists, SingleHostByIndex) {
  ASSERT_TRUE(store_.WriteHostList(4, {"t0", "t1", "t2"}));
  std::string host;
  EXPECT_TRUE(store_.ReadHost(4, 2, host));
  EXPECT_EQ(host, "t2");
  host = "stale";
  EXPECT_FALSE(store_.ReadHost(4, 3, host));
  EXPECT_EQ(host, "");
  EXPECT_FALSE(store_.ReadHost(4, -1, host));
}

TEST_F(HostLists, SeedingWritesEveryListOneDedicatedEachAndTheMarker) {
  const DWORD seed = 987654321u;
  Random15 reference;
  reference.Seed(seed);
  const int draw = reference.Next();

  ASSERT_TRUE(store_.SeedDefaultHosts(seed));
  const std::size_t counts[6] = {25, 18, 4, 4, 13, 4};
  for (int service = 0; service < kServiceCount; ++service) {
    std::vector<std::string> hosts;
    store_.ReadHostList(service, hosts);
    ASSERT_EQ(hosts.size(), counts[service]) << ServiceKeyName(service);
    const auto builtIn = DefaultHosts(service);
    EXPECT_TRUE(std::equal(hosts.begin(), hosts.end(), builtIn.begin(), builtIn.end()));

    const std::string key = KeyOf(service);
    EXPECT_EQ(raw::ValueNames(key.c_str()).size(), counts[service] + 1) << "list + Dedicated";
    EXPECT_EQ(raw::Get(key.c_str(), "0").Text(), builtIn[0]);

    // Reseeded before each service's draw, so each takes the same draw.
    std::string dedicated;
    ASSERT_TRUE(store_.ReadDedicatedHost(service, dedicated));
    EXPECT_EQ(dedicated, builtIn[static_cast<std::size_t>(draw) % counts[service]]);
  }
  EXPECT_EQ(store_.Read(kHostsAdded), 1u);
  EXPECT_EQ(Random15::Shared().state(), reference.state());
}

TEST_F(HostLists, SeedingWithTheClockPicksADedicatedHostFromTheServicesOwnList) {
  ASSERT_TRUE(store_.SeedDefaultHosts());
  for (int service = 0; service < kServiceCount; ++service) {
    std::string dedicated;
    ASSERT_TRUE(store_.ReadDedicatedHost(service, dedicated));
    const auto own = DefaultHosts(service);
    EXPECT_NE(std::find(own.begin(), own.end(), dedicated), own.end()) << dedicated;
  }
}

}  // namespace

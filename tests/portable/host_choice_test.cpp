#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/HostChoice.h"

namespace {

class FakeHosts : public HostSource {
 public:
  std::map<int, std::vector<std::string>> lists;
  std::map<int, std::string> dedicated;
  std::vector<std::pair<int, int>> directReads;

  std::vector<std::string> HostList(int service) override { return lists[service]; }
  std::string Host(int service, int index) override {
    directReads.push_back({service, index});
    const auto& l = lists[service];
    return index >= 0 && index < static_cast<int>(l.size()) ? l[index] : std::string();
  }
  std::string DedicatedHost(int service) override { return dedicated[service]; }
};

// HTTP with three hosts and FTP with two, both sequential: the one shared
// position gives h0 f1, then h2 f0, then h1 f0 for ever.
TEST(HostChooser, SharedSequentialPosition) {
  Random15 random;
  HostChooser chooser(random);
  FakeHosts hosts;
  hosts.lists[0] = {"h0", "h1", "h2"};
  hosts.lists[1] = {"f0", "f1"};
  const std::vector<std::pair<std::string, std::string>> want = {
      {"h0", "f1"}, {"h2", "f0"}, {"h1", "f0"}, {"h1", "f0"}, {"h1", "f0"}};
  for (const auto& [http, ftp] : want) {
    EXPECT_EQ(chooser.SelectHost(0, kAccessSequential, hosts), http);
    EXPECT_EQ(chooser.SelectHost(1, kAccessSequential, hosts), ftp);
  }
  EXPECT_EQ(random.state(), 1u) << "sequential access must not draw";
}

TEST(HostChooser, SingleServiceWalksItsListAndStartsAgain) {
  Random15 random;
  HostChooser chooser(random);
  FakeHosts hosts;
  hosts.lists[2] = {"a", "b", "c"};
  std::vector<std::string> got;
  for (int i = 0; i < 7; ++i) got.push_back(chooser.SelectHost(2, kAccessSequential, hosts));
  EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "a", "b", "c", "a"}));
}

TEST(HostChooser, RandomTakesTheDrawModuloTheListLengthByName) {
  Random15 random;
  Random15 reference;
  HostChooser chooser(random);
  FakeHosts hosts;
  hosts.lists[4] = {"t0", "t1", "t2", "t3", "t4"};
  for (int i = 0; i < 50; ++i) {
    const int index = reference.Next() % 5;
    EXPECT_EQ(chooser.SelectHost(4, kAccessRandom, hosts), hosts.lists[4][index]);
    ASSERT_EQ(hosts.directReads.back(), std::make_pair(4, index));
  }
  // From state 1 the draws are 41, 18467, 6334: entries 1, 2, 4.
  Random15 fresh;
  HostChooser again(fresh);
  EXPECT_EQ(again.SelectHost(4, kAccessRandom, hosts), "t1");
  EXPECT_EQ(again.SelectHost(4, kAccessRandom, hosts), "t2");
  EXPECT_EQ(again.SelectHost(4, kAccessRandom, hosts), "t4");
}

TEST(HostChooser, EmptyListsDedicatedAndUnknownMethods) {
  Random15 random;
  HostChooser chooser(random);
  FakeHosts hosts;
  hosts.dedicated[5] = "127.0.0.1:99";
  EXPECT_EQ(chooser.SelectHost(3, kAccessSequential, hosts), "");
  EXPECT_EQ(chooser.SelectHost(3, kAccessRandom, hosts), "");
  EXPECT_EQ(random.state(), 1u) << "an empty list must not draw";
  EXPECT_EQ(chooser.SelectHost(5, kAccessDedicated, hosts), "127.0.0.1:99");
  EXPECT_EQ(chooser.SelectHost(3, kAccessDedicated, hosts), "");
  hosts.lists[3] = {"x"};
  EXPECT_EQ(chooser.SelectHost(3, 0, hosts), "");
  EXPECT_EQ(chooser.SelectHost(3, 4, hosts), "");
  EXPECT_EQ(chooser.position(), 0u);
}

TEST(KeepAlivePeriod, RandomRangesFollowTheDrawNotTheEndValue) {
  for (std::uint32_t end : {90u, 300u}) {
    Random15 random;
    Random15 reference;
    std::uint32_t lowest = ~0u, highest = 0;
    for (int i = 0; i < 40000; ++i) {
      auto p = KeepAlivePeriodMs(kIntervalRandom, 30, end, 0, random);
      ASSERT_TRUE(p.has_value());
      const std::uint32_t want = 30000u + static_cast<std::uint32_t>(reference.Next()) %
                                              ((end - 30u) * 1000u + 1u);
      ASSERT_EQ(*p, want);
      lowest = std::min(lowest, *p);
      highest = std::max(highest, *p);
    }
    EXPECT_GE(lowest, 30000u);
    EXPECT_LE(highest, 62767u);
    EXPECT_GT(highest, 62000u) << "the whole draw range should be reachable";
  }
}

TEST(KeepAlivePeriod, EdgeValues) {
  Random15 random;
  EXPECT_EQ(KeepAlivePeriodMs(kIntervalFixed, 30, 90, 0, random), 0u);
  EXPECT_EQ(KeepAlivePeriodMs(kIntervalFixed, 30, 90, 45, random), 45000u);
  EXPECT_EQ(random.state(), 1u) << "fixed intervals do not draw";
  EXPECT_EQ(KeepAlivePeriodMs(kIntervalFixed, 0, 0, 0xFFFFFFFFu, random), kLongestPeriodMs);
  EXPECT_FALSE(KeepAlivePeriodMs(0, 30, 90, 10, random).has_value());
  EXPECT_FALSE(KeepAlivePeriodMs(3, 30, 90, 10, random).has_value());
  EXPECT_EQ(random.state(), 1u);
  // Equal bounds: the random part is always 0.
  EXPECT_EQ(KeepAlivePeriodMs(kIntervalRandom, 10, 10, 0, random), 10000u);
  // End below start: the remainder keeps the draw's sign, never negative.
  Random15 reference;
  reference.Next();
  for (int i = 0; i < 1000; ++i) {
    auto p = KeepAlivePeriodMs(kIntervalRandom, 60, 20, 0, random);
    ASSERT_TRUE(p.has_value());
    ASSERT_EQ(*p, 60000u + static_cast<std::uint32_t>(reference.Next()) % 40001u);
  }
  EXPECT_EQ(KeepAlivePeriodMs(kIntervalRandom, 0xFFFFFFFFu, 0, 0, random), kLongestPeriodMs);
}

// First run: configured host, then (after it was shown) the own web host once;
// the visit is recorded only when the visit reports back.
TEST(VisitRule, FirstRunSequence) {
  VisitRule rule(false);
  EXPECT_FALSE(rule.TakeVisitTurn()) << "nothing shown yet";
  auto shown = rule.OnHostShown(false);
  EXPECT_TRUE(shown.showText);
  EXPECT_FALSE(shown.recordVisit);
  EXPECT_TRUE(rule.TakeVisitTurn());
  EXPECT_FALSE(rule.TakeVisitTurn()) << "at most once per run";
  shown = rule.OnHostShown(true);
  EXPECT_TRUE(shown.recordVisit);
  EXPECT_FALSE(shown.showText);
  EXPECT_FALSE(rule.TakeVisitTurn());
}

TEST(VisitRule, AVisitedInstallNeverVisitsAgain) {
  VisitRule rule(true);
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(rule.TakeVisitTurn());
    EXPECT_FALSE(rule.OnHostShown(false).recordVisit);
  }
}

}  // namespace

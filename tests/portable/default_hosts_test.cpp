#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "settings/DefaultHosts.h"
#include "settings/ServiceKind.h"
#include "settings/SettingsSchema.h"

using namespace settings;

namespace {

bool IsHostName(const std::string& host) {
  if (host.empty() || host.front() == '.' || host.back() == '.') return false;
  for (char c : host) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-')) return false;
  }
  return host.find('.') != std::string::npos;
}

TEST(DefaultHosts, EveryServiceHasItsCountOfDistinctUsableHosts) {
  const std::size_t counts[kServiceCount] = {25, 18, 4, 4, 13, 4};
  for (int service = 0; service < kServiceCount; ++service) {
    const auto hosts = DefaultHosts(service);
    ASSERT_EQ(hosts.size(), counts[service]) << ServiceKeyName(service);
    std::set<std::string> seen;
    for (const char* entry : hosts) {
      const std::string text = entry;
      // The worker hand-over buffer takes 127 characters.
      EXPECT_LT(text.size(), 127u) << text;
      EXPECT_TRUE(seen.insert(text).second) << "duplicate " << text;
      const std::string host = service == 5 ? text.substr(0, text.find(':')) : text;
      EXPECT_TRUE(IsHostName(host)) << text;
    }
  }
  EXPECT_TRUE(DefaultHosts(-1).empty());
  EXPECT_TRUE(DefaultHosts(kServiceCount).empty());
}

TEST(DefaultHosts, UserDefinedEntriesCarryPortsSevenNineThirteenAndNewsInOrder) {
  const auto entries = DefaultHosts(ServiceIndex(ServiceKind::UserPort));
  const char* ports[] = {"7", "9", "13", "119"};
  ASSERT_EQ(entries.size(), 4u);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string entry = entries[i];
    const std::size_t colon = entry.find(':');
    ASSERT_NE(colon, std::string::npos) << entry;
    EXPECT_EQ(entry.find(':', colon + 1), std::string::npos) << entry;
    EXPECT_EQ(entry.substr(colon + 1), ports[i]);
  }
}

TEST(DefaultHosts, SiteListsStartWithTheAolKeywordsAndEndWithWebAddresses) {
  const char* keywords[] = {"aol://1722:Computing", "aol://1722:Entertainment",
                            "aol://1722:Influence", "aol://1722:International",
                            "aol://1722:Personal Finance", "aol://1722:Sports",
                            "aol://1722:Travel", "aol://1722:News", "aol://1722:WorkPlace"};
  const auto aol = DefaultAolSites();
  ASSERT_EQ(aol.size(), 13u);
  for (std::size_t i = 0; i < 9; ++i) EXPECT_STREQ(aol[i], keywords[i]);
  for (std::size_t i = 9; i < 13; ++i) EXPECT_EQ(std::strncmp(aol[i], "http://", 7), 0) << aol[i];
  const auto ext = DefaultExtBrowserSites();
  ASSERT_EQ(ext.size(), 3u);
  for (const char* site : ext) EXPECT_EQ(std::strncmp(site, "http://", 7), 0) << site;
}

TEST(SettingsHelpers, IndexedNamesHaveNoLeadingZeros) {
  EXPECT_EQ(IndexedName("", 0), "0");
  EXPECT_EQ(IndexedName("", 10), "10");
  EXPECT_EQ(IndexedName("Screen Name ", 3), "Screen Name 3");
  EXPECT_EQ(IndexedName("Specific Site ", 12), "Specific Site 12");
  EXPECT_EQ(IndexedName(nullptr, 7), "7");
}

TEST(SettingsHelpers, CopyToFieldNeverWritesPastTheField) {
  struct Case {
    std::size_t length;
    bool fits;
  } cases[] = {{0, true}, {5, true}, {31, true}, {32, false}, {33, false}, {400, false}};
  for (const Case& c : cases) {
    char buffer[32 + 8];
    std::memset(buffer, '#', sizeof(buffer));
    const std::string text(c.length, 'n');
    EXPECT_EQ(CopyToField(text, buffer, 32), c.fits) << c.length;
    for (std::size_t i = 32; i < sizeof(buffer); ++i) ASSERT_EQ(buffer[i], '#') << c.length;
    EXPECT_EQ(buffer[31], '\0');
    if (c.fits) {
      EXPECT_EQ(std::string(buffer), text);
      for (std::size_t i = c.length; i < 32; ++i) EXPECT_EQ(buffer[i], '\0') << "filler";
    } else {
      for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(buffer[i], '\0') << "refused text leaks";
    }
  }
  EXPECT_FALSE(CopyToField("x", nullptr, 32));
}

TEST(SettingsSchema, EveryDwordHasOneDescriptorUnderTheProgramKey) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const DwordSetting& s : kAllDwordSettings) {
    EXPECT_TRUE(seen.insert({s.key, s.name}).second) << s.key << " / " << s.name;
    EXPECT_EQ(std::strncmp(s.key, kKeyRoot, std::strlen(kKeyRoot)), 0) << s.key;
  }
  EXPECT_EQ(seen.size(), 68u);
  for (const StringSetting& s : kAllStringSettings) {
    EXPECT_EQ(seen.count({s.key, s.name}), 0u) << "both DWORD and text: " << s.name;
  }
}

TEST(SettingsSchema, ServiceFlagsFollowTheServiceNumbering) {
  for (int i = 0; i < kServiceCount; ++i) {
    EXPECT_STREQ(kServiceFlags[i].name, ServiceFlagName(i));
    EXPECT_STREQ(kServiceFlags[i].key, kKeyServices);
    EXPECT_EQ(kServiceFlags[i].defaultValue, i == 0 ? 1u : 0u);
  }
}

}  // namespace

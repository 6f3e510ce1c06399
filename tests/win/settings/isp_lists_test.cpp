#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "RawRegistry.h"
#include "settings/DefaultHosts.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"

using namespace settings;

namespace {

class IspLists : public ::testing::Test {
 protected:
  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
};

// A fixed-size record: the text, its terminator, then zeros up to `size`.
std::string Field(const std::string& text, std::size_t size) {
  std::string field(size, '\0');
  field.replace(0, text.size(), text);
  return field;
}

struct ClientCase {
  SignOnClient client;
  const char* optionsKey;
  const char* namesKey;
};
const ClientCase kClients[] = {
    {SignOnClient::Aol, kKeyAolOptions, kKeyAolScreenNames},
    {SignOnClient::Cs, kKeyCsOptions, kKeyCsScreenNames},
};

TEST_F(IspLists, ScreenNamesAreStoredAsThirtyTwoByteFieldsAndReadBack) {
  for (const ClientCase& c : kClients) {
    ASSERT_TRUE(store_.WriteScreenNames(c.client, 1, "Second", {"First", "Second"}));
    EXPECT_EQ(raw::ValueNames(c.namesKey),
              (std::set<std::string>{"Screen Name 0", "Screen Name 1", "Default Screen Name"}));
    const struct {
      const char* name;
      const char* text;
    } stored[] = {{"Screen Name 0", "First"},
                  {"Screen Name 1", "Second"},
                  {"Default Screen Name", "Second"}};
    for (const auto& s : stored) {
      raw::Value v = raw::Get(c.namesKey, s.name);
      EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
      EXPECT_EQ(v.data, Field(s.text, 32)) << s.name;
    }
    EXPECT_EQ(raw::Get(c.optionsKey, "Use Screen Name").data.size(), 4u);

    DWORD use = 0;
    std::string defaultName;
    std::vector<std::string> names;
    store_.ReadScreenNames(c.client, use, defaultName, names);
    EXPECT_EQ(use, 1u);
    EXPECT_EQ(defaultName, "Second");
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
  }
}

TEST_F(IspLists, ScreenNamesRewriteDropsOldEntries) {
  ASSERT_TRUE(store_.WriteScreenNames(SignOnClient::Aol, 1, "a", {"a", "b", "c"}));
  ASSERT_TRUE(store_.WriteScreenNames(SignOnClient::Aol, 0, "", {"z"}));
  EXPECT_EQ(raw::ValueNames(kKeyAolScreenNames),
            (std::set<std::string>{"Screen Name 0", "Default Screen Name"}));
  DWORD use = 9;
  std::string defaultName = "-";
  std::vector<std::string> names;
  store_.ReadScreenNames(SignOnClient::Aol, use, defaultName, names);
  EXPECT_EQ(use, 0u);
  EXPECT_EQ(defaultName, "");
  EXPECT_EQ(names, (std::vector<std::string>{"z"}));
}

TEST_F(IspLists, WithoutADefaultScreenNameNoNamesAreRead) {
  raw::PutText(kKeyCsScreenNames, "Screen Name 0", Field("Orphan", 32));
  raw::PutDword(kKeyCsOptions, "Use Screen Name", 1);
  DWORD use = 0;
  std::string defaultName = "caller";
  std::vector<std::string> names;
  EXPECT_FALSE(store_.ReadScreenNames(SignOnClient::Cs, use, defaultName, names));
  EXPECT_EQ(use, 1u);
  EXPECT_EQ(defaultName, "caller");
  EXPECT_TRUE(names.empty());

  // Missing key: the flag still reads, as 0.
  use = 5;
  EXPECT_FALSE(store_.ReadScreenNames(SignOnClient::Aol, use, defaultName, names));
  EXPECT_EQ(use, 0u);
}

TEST_F(IspLists, ScreenNamesThatDoNotFitTheFieldAreLeftOut) {
  const std::string longest(31, 'n');
  const std::string tooLong(32, 'n');
  EXPECT_FALSE(store_.WriteScreenNames(SignOnClient::Aol, 1, tooLong,
                                       {"ok", tooLong, "", longest, std::string(500, 'x')}));
  EXPECT_EQ(raw::Get(kKeyAolScreenNames, "Screen Name 1").data, longest + '\0');
  EXPECT_EQ(raw::Get(kKeyAolScreenNames, "Default Screen Name").data, Field("", 32));
  DWORD use = 0;
  std::string defaultName = "-";
  std::vector<std::string> names;
  store_.ReadScreenNames(SignOnClient::Aol, use, defaultName, names);
  EXPECT_EQ(names, (std::vector<std::string>{"ok", longest}));
  EXPECT_EQ(defaultName, "");

  // A stored field of 32 characters with no room for its end does not fit
  // and ends the list there.
  raw::PutUnterminated(kKeyAolScreenNames, "Screen Name 1", tooLong);
  EXPECT_EQ(raw::Get(kKeyAolScreenNames, "Screen Name 1").data.size(), 32u);
  names.clear();
  EXPECT_FALSE(store_.ReadScreenNames(SignOnClient::Aol, use, defaultName, names));
  EXPECT_EQ(names, (std::vector<std::string>{"ok"}));
}

TEST_F(IspLists, BrowserLaunchNeedsBothValues) {
  for (const ClientCase& c : kClients) {
    raw::PutDword(c.optionsKey, "Launch Browser", 1);
    DWORD launch = 7;
    std::string path = "-";
    EXPECT_FALSE(store_.ReadBrowserLaunch(c.client, launch, path));
    EXPECT_EQ(launch, 0u);
    EXPECT_EQ(path, "");

    ASSERT_TRUE(store_.WriteBrowserLaunch(c.client, 1, "C:\\Client\\client.exe"));
    EXPECT_EQ(raw::Get(c.optionsKey, "Program Path").Text(), "C:\\Client\\client.exe");
    ASSERT_TRUE(store_.WriteBrowserLaunch(c.client, 0, ""));
    EXPECT_TRUE(store_.ReadBrowserLaunch(c.client, launch, path));
    EXPECT_EQ(launch, 0u);
    EXPECT_EQ(path, "C:\\Client\\client.exe") << "an empty path keeps the stored one";
  }
}

TEST_F(IspLists, BrowserLaunchPathIsBoundedByItsBuffer) {
  const std::string longest(1023, 'p');
  ASSERT_TRUE(store_.WriteBrowserLaunch(SignOnClient::Aol, 1, longest));
  DWORD launch = 0;
  std::string path;
  EXPECT_TRUE(store_.ReadBrowserLaunch(SignOnClient::Aol, launch, path));
  EXPECT_EQ(path, longest);
  EXPECT_FALSE(store_.WriteBrowserLaunch(SignOnClient::Aol, 0, std::string(1024, 'q')));
  EXPECT_TRUE(store_.ReadBrowserLaunch(SignOnClient::Aol, launch, path));
  EXPECT_EQ(launch, 1u) << "a refused write changes nothing";
  EXPECT_EQ(path, longest);
}

struct SiteCase {
  SiteList list;
  const char* key;
  const char* prefix;
  const DwordSetting* flag;
  const DwordSetting* marker;
  std::size_t seeded;
};
const SiteCase kSiteLists[] = {
    {SiteList::AolSites, kKeyAolSites, "Specific Site ", &kAolUseSpecificSite,
     &kAolSpecificSiteSet, 13},
    {SiteList::ExtBrowserSites, kKeyExtBrowserSites, "Site ", &kAolLaunchExternalBrowser,
     &kAolExtBrowserSiteSet, 3},
};

TEST_F(IspLists, SiteListsAreStoredAsTwoHundredFiftySixByteFields) {
  for (const SiteCase& c : kSiteLists) {
    ASSERT_TRUE(store_.WriteSiteList(c.list, 1, "aol://b", {"aol://a", "aol://b"}));
    const std::string first = std::string(c.prefix) + "0";
    const std::string second = std::string(c.prefix) + "1";
    EXPECT_EQ(raw::ValueNames(c.key), (std::set<std::string>{first, second, "Default Site"}));
    EXPECT_EQ(raw::Get(c.key, first.c_str()).data, Field("aol://a", 256));
    EXPECT_EQ(raw::Get(c.key, "Default Site").data, Field("aol://b", 256));
    EXPECT_EQ(store_.Read(*c.flag), 1u);

    DWORD flag = 0;
    std::string defaultSite;
    std::vector<std::string> sites;
    EXPECT_TRUE(store_.ReadSiteList(c.list, flag, defaultSite, sites));
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(defaultSite, "aol://b");
    EXPECT_EQ(sites, (std::vector<std::string>{"aol://a", "aol://b"}));
  }
}

TEST_F(IspLists, SiteListWithoutDefaultIsStillRead) {
  raw::PutText(kKeyExtBrowserSites, "Site 0", "http://a.example/");
  raw::PutText(kKeyExtBrowserSites, "Site 1", Field("http://b.example/", 256));
  DWORD flag = 9;
  std::string defaultSite = "stale";
  std::vector<std::string> sites;
  EXPECT_TRUE(store_.ReadSiteList(SiteList::ExtBrowserSites, flag, defaultSite, sites));
  EXPECT_EQ(flag, 0u);
  EXPECT_EQ(defaultSite, "");
  EXPECT_EQ(sites, (std::vector<std::string>{"http://a.example/", "http://b.example/"}));

  defaultSite = "untouched";
  EXPECT_FALSE(store_.ReadSiteList(SiteList::AolSites, flag, defaultSite, sites));
  EXPECT_EQ(defaultSite, "untouched");
}

TEST_F(IspLists, OverlongSitesAreLeftOut) {
  const std::string longest(255, 's');
  EXPECT_FALSE(store_.WriteSiteList(SiteList::AolSites, 1, std::string(256, 'd'),
                                    {longest, std::string(256, 't'), "aol://x"}));
  DWORD flag = 0;
  std::string defaultSite = "-";
  std::vector<std::string> sites;
  store_.ReadSiteList(SiteList::AolSites, flag, defaultSite, sites);
  EXPECT_EQ(sites, (std::vector<std::string>{longest, "aol://x"}));
  EXPECT_EQ(defaultSite, "");
}

TEST_F(IspLists, SiteListsAreSeededOnceWithTheirMarkers) {
  raw::PutText(kKeyAolSites, "Default Site", Field("aol://mine", 256));
  for (const SiteCase& c : kSiteLists) {
    EXPECT_TRUE(store_.SeedSiteListIfUnset(c.list));
    EXPECT_EQ(store_.Read(*c.marker), 1u);
    DWORD flag = 0;
    std::string defaultSite;
    std::vector<std::string> sites;
    store_.ReadSiteList(c.list, flag, defaultSite, sites);
    ASSERT_EQ(sites.size(), c.seeded);
    const std::string first = std::string(c.prefix) + "0";
    EXPECT_EQ(raw::Get(c.key, first.c_str()).Text(), sites[0]) << "seeded without padding";
  }
  std::string defaultSite;
  DWORD flag = 0;
  std::vector<std::string> sites;
  store_.ReadSiteList(SiteList::AolSites, flag, defaultSite, sites);
  EXPECT_EQ(defaultSite, "aol://mine") << "seeding leaves the default alone";
  EXPECT_EQ(sites[0], "aol://1722:Computing");

  // Second opening of the page: the user's edits stay.
  ASSERT_TRUE(store_.WriteSiteList(SiteList::AolSites, 0, "", {"aol://only"}));
  for (const SiteCase& c : kSiteLists) EXPECT_FALSE(store_.SeedSiteListIfUnset(c.list));
  EXPECT_EQ(raw::ValueNames(kKeyAolSites),
            (std::set<std::string>{"Specific Site 0", "Default Site"}));
}

}  // namespace

// The configuration UI's number check and texts, without a window.
#include <gtest/gtest.h>

#include "config/ConfigTexts.h"

namespace {

using settings::HostAccessMethod;

struct NumberCase {
  const char* text;
  long low, high;
  bool ok;
  long value;
  const char* message;
};

TEST(ConfigTexts, NumbersAreReadAsTheFrameworkReadsThem) {
  const NumberCase cases[] = {
      {"4", 1, 999, true, 4, ""},
      {" 12 ", 1, 999, true, 12, ""},
      {"+7", 1, 60, true, 7, ""},
      {"0", 1, 999, false, 0, "Please enter an integer between 1 and 999."},
      {"1000", 1, 999, false, 1000, "Please enter an integer between 1 and 999."},
      {"-1", 1, 60, false, -1, "Please enter an integer between 1 and 60."},
      {"", 1, 300, false, 0, "Please enter an integer."},
      {"   ", 1, 300, false, 0, "Please enter an integer."},
      {"12a", 1, 300, false, 0, "Please enter an integer."},
      {"8080x", 1, 65535, false, 0, "Please enter an integer."},
      {"1 2", 1, 300, false, 0, "Please enter an integer."},
      {"-", 1, 300, false, 0, "Please enter an integer."},
      {"99999999999", 1, 65535, false, 0, "Please enter an integer."},
      {"65535", 1, 65535, true, 65535, ""},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text);
    const config::NumberCheck check = config::CheckInteger(c.text, c.low, c.high);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.message, c.message);
    if (c.ok) {
      EXPECT_EQ(check.value, c.value);
    }
  }
}

TEST(ConfigTexts, EntriesCaptionsAndPlaceholders) {
  EXPECT_EQ(config::HostEntry(5, "mail.example.com", 8080), "mail.example.com:8080");
  EXPECT_EQ(config::HostEntry(0, "www.example.com", 8080), "www.example.com");
  EXPECT_EQ(config::TrimBlanks("  a b\t"), "a b");
  EXPECT_EQ(config::GadgetCaption("Buddy List"), "Kills the \"Buddy List\" window");
  EXPECT_EQ(config::NetZeroPathFromField(config::kNetZeroPathPlaceholder), "");
  EXPECT_EQ(config::NetZeroPathFromField("C:\\nz\\nzStart.exe"), "C:\\nz\\nzStart.exe");
  EXPECT_EQ(config::LengthMessage(std::string(31, 'a'), 31), "");
  EXPECT_EQ(config::LengthMessage(std::string(32, 'a'), 31), "Please enter no more than 31 characters.");

  struct PriorityCase {
    HostAccessMethod method;
    int position;
    bool dedicated;
    const char* text;
  };
  const PriorityCase priorities[] = {
      {HostAccessMethod::Sequential, 0, true, "1"},  {HostAccessMethod::Sequential, 9, false, "10"},
      {HostAccessMethod::Random, 3, true, "Random"}, {HostAccessMethod::Dedicated, 2, true, "Dedicated"},
      {HostAccessMethod::Dedicated, 0, false, "--"},
  };
  for (const PriorityCase& c : priorities)
    EXPECT_EQ(config::PriorityText(c.method, c.position, c.dedicated), c.text) << c.text;

  struct EntryCase {
    const config::ListEditUse* use;
    std::string text;
    const char* message;
  };
  const std::string quotes = "Please enter no double quotes (\") or control characters.";
  const EntryCase entries[] = {
      {&config::kScreenNameUse, "Ann", ""},
      {&config::kScreenNameUse, "", "Nothing to add! Please enter a Screen Name you wish to add."},
      {&config::kScreenNameUse, "Me -u\"http://x\"", quotes.c_str()},
      {&config::kScreenNameUse, "Ann\tLee", quotes.c_str()},
      {&config::kScreenNameUse, std::string(32, 'n'), "Please enter no more than 31 characters."},
      {&config::kAolSiteUse, "http://127.0.0.3/\" -nEvil -u\"x", quotes.c_str()},
      {&config::kWebsiteUse, "http://127.0.0.1/\x7F", quotes.c_str()},
      {&config::kWebsiteUse, "http://127.0.0.1/a b", ""},
  };
  for (const EntryCase& e : entries) EXPECT_EQ(config::ListEntryMessage(*e.use, e.text), e.message) << e.text;

  EXPECT_STREQ(config::EmptyAddMessage(config::kScreenNameUse.title),
               "Nothing to add! Please enter a Screen Name you wish to add.");
  EXPECT_STREQ(config::EmptyAddMessage(config::kAolSiteUse.title),
               "Nothing to add! Please enter an AOL site you wish to add.");
  EXPECT_STREQ(config::EmptyAddMessage(config::kWebsiteUse.title),
               "Nothing to add! Please enter an URL you wish to add.");
}

}  // namespace

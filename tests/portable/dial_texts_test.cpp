// The dial-up wrapper's pure rules: state texts, raised error codes, what
// fits the dial parameters and the stored handle, entry names and the
// library's requested buffer sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialup/DialTexts.h"

using namespace dialup;

TEST(DialTexts, StatesThatShareATextAndStatesWithoutOne) {
  struct Case {
    std::uint32_t state;
    const char* text;
  };
  const Case cases[] = {
      {7, "Retrying authentication"}, {4097, "Retrying authentication"},
      {10, "Logging on to network"},  {21, "Logging on to network"},
      {24, "Undefined error"},        {4100, "Undefined error"},
      {8191, "Undefined error"},      {8192, "Connected"},
      {8193, "Disconnected"},         {0xFFFFFFFFu, "Undefined error"},
  };
  for (const Case& c : cases) EXPECT_STREQ(ConnectionStateText(c.state), c.text) << c.state;
}

TEST(DialTexts, SystemErrorsAreRaisedIntoTheLibraryRange) {
  EXPECT_EQ(RaisedErrorCode(6, 600), 606u);
  EXPECT_EQ(RaisedErrorCode(5, 599), 604u);
  EXPECT_EQ(RaisedErrorCode(599, 600), 1199u);
  EXPECT_EQ(RaisedErrorCode(600, 600), 600u);
  EXPECT_EQ(RaisedErrorCode(691, 599), 691u);
}

// A text that does not fit its field is refused whole, never cut; the
// record is then all zeros (no half-filled password left in it).
TEST(DialTexts, DialParametersRefuseWhatDoesNotFit) {
  const std::string fits(256, 'a'), tooLong(257, 'a');
  struct Case {
    const char* what;
    std::string profile, login, password;
    bool ok;
  };
  const Case cases[] = {
      {"all at their longest", fits, fits, fits, true},
      {"profile", tooLong, "u", "p", false},
      {"login", "Loopback ISP", tooLong, "p", false},
      {"password", "Loopback ISP", "u", tooLong, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RasDialParams p;
    std::memset(&p, 0x5A, sizeof(p));
    EXPECT_EQ(FillDialParams(p, c.profile, c.login, c.password), c.ok);
    if (!c.ok) {
      const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&p);
      for (size_t i = 0; i < sizeof(p); ++i) ASSERT_EQ(bytes[i], 0) << i;
      continue;
    }
    EXPECT_EQ(p.dwSize, 1052u);
    EXPECT_EQ(std::string(p.szEntryName), c.profile);
    EXPECT_EQ(std::string(p.szUserName), c.login);
    EXPECT_EQ(std::string(p.szPassword), c.password);
    EXPECT_STREQ(p.szDomain, "*");
    EXPECT_STREQ(p.szPhoneNumber, "");
    EXPECT_STREQ(p.szCallbackNumber, "");
  }
}

TEST(DialTexts, WipingLeavesNoPassword) {
  RasDialParams p;
  ASSERT_TRUE(FillDialParams(p, "Loopback ISP", "alice", "s3cret"));
  WipeDialParams(p);
  for (char c : p.szPassword) ASSERT_EQ(c, '\0');
  EXPECT_STREQ(p.szUserName, "alice");
}

TEST(DialTexts, OnlyHandlesThatFitAreStored) {
  EXPECT_EQ(StorableHandle(0), 0u);
  EXPECT_EQ(StorableHandle(0x1010), 0x1010u);
  EXPECT_EQ(StorableHandle(0xFFFFFFFEull), 0xFFFFFFFEu);
  EXPECT_EQ(StorableHandle(0xFFFFFFFFull), 0u);  // would read back as "never set"
  EXPECT_EQ(StorableHandle(0x100000001ull), 0u);
}

TEST(DialTexts, EntryNamesAreReadUpTo256CharactersEvenUnterminated) {
  RasEntryName r{};
  std::memset(r.szEntryName, 'x', sizeof(r.szEntryName));
  EXPECT_EQ(EntryNameOf(r), std::string(256, 'x'));
  std::strcpy(r.szEntryName, "Loopback ISP");
  EXPECT_EQ(EntryNameOf(r), "Loopback ISP");
}

TEST(DialTexts, RequestedSizesBecomeWholeRecordsWithinBounds) {
  EXPECT_EQ(RecordsFor(792, 264, 100), 3u);
  EXPECT_EQ(RecordsFor(800, 264, 100), 4u);  // a part of a record needs a whole one
  EXPECT_EQ(RecordsFor(0, 264, 100), 0u);
  EXPECT_EQ(RecordsFor(264 * 101, 264, 100), 0u);
  EXPECT_EQ(RecordsFor(0xFFFFFFFFu, 416, 1024), 0u);
}

TEST(DialTexts, TheDotsStopAtTheBuffer) {
  std::string text = "Opening port";
  for (int i = 0; i < 1000; ++i) text = WithDot(text, 256);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(CountdownText(1), "Reconnecting in 1 seconds.\n");
}

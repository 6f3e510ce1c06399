#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/TrayLooks.h"

namespace {

using tray::Tip;

struct ExpectedLook {
  int number;
  int iconId;
  int stringId;
  const char* text;
  Tip tip;
};

// Every look but the dialing frames, with its picture and text.
const ExpectedLook kTable[] = {
    {1, 133, 0, "Sending Data", Tip::kText},
    {2, 134, 0, "Receiving Data", Tip::kText},
    {4, 135, 0, "Tetherly! Disconnect Protection Enabled", Tip::kText},
    {5, 131, 0, "No service available", Tip::kText},
    {7, 138, 0, nullptr, Tip::kIdlePrompt},
    {8, 139, 32905, "Tetherly! - click once to stop service", Tip::kText},
    {9, 188, 32917, "Tetherly with AOL", Tip::kText},
    {10, 209, 102, "AOL Browser not present", Tip::kText},
    {11, 0, 0, nullptr, Tip::kUnchanged},
    {22, 262, 0, nullptr, Tip::kConnecting},
    {23, 262, 0, nullptr, Tip::kConnected},
    {24, 262, 0, nullptr, Tip::kConnecting},
    {26, 138, 0, nullptr, Tip::kIdlePrompt},
    {27, 263, 0, nullptr, Tip::kGiven},
    {28, 282, 32918, "Tetherly with NetZero", Tip::kText},
    {29, 318, 32919, "Tetherly with CS2000", Tip::kText},
    {30, 321, 103, "CS2000 Browser not present", Tip::kText},
    {31, 324, 32920, "Tetherly with ATT", Tip::kText},
    {32, 361, 32922, "Tetherly with MSN", Tip::kText},
    {33, 362, 32923, "Connection to POP3 fail. Please check your POP3 setting", Tip::kText},
    {34, 365, 32916, "Tetherly - Awaiting Connection...", Tip::kText},
};

TEST(TrayLooks, EveryLookShowsItsPictureAndText) {
  for (const ExpectedLook& want : kTable) {
    SCOPED_TRACE(want.number);
    const tray::Look* look = tray::FindLook(want.number);
    ASSERT_NE(look, nullptr);
    EXPECT_EQ(look->number, want.number);
    EXPECT_EQ(look->iconId, want.iconId);
    EXPECT_EQ(look->stringId, want.stringId);
    EXPECT_EQ(look->tip, want.tip);
    if (want.text) {
      ASSERT_NE(look->text, nullptr);
      EXPECT_STREQ(look->text, want.text);
    }
  }
  for (int frame = 0; frame < tray::kDialFrames; ++frame) {
    const tray::Look* look = tray::FindLook(12 + frame);
    ASSERT_NE(look, nullptr);
    EXPECT_EQ(look->iconId, 252 + frame);
    EXPECT_STREQ(look->text, "Dialing ....");
    EXPECT_EQ(look->timers, tray::kNoTimerEffect) << "a frame must not touch the timers";
  }
}

TEST(TrayLooks, EveryPictureOfEveryLookIsLoaded) {
  std::set<int> loaded;
  for (int i = 0; i < tray::IconIdCount(); ++i) loaded.insert(tray::IconIdAt(i));
  EXPECT_EQ(static_cast<int>(loaded.size()), tray::IconIdCount()) << "duplicates";
  for (int n = 0; n < 40; ++n) {
    const tray::Look* look = tray::FindLook(n);
    if (look && look->iconId != 0) {
      EXPECT_TRUE(loaded.count(look->iconId)) << "look " << n;
    }
  }
  EXPECT_EQ(tray::IconIdAt(-1), 0);
  EXPECT_EQ(tray::IconIdAt(tray::IconIdCount()), 0);
}

bool HighBitLeads(unsigned char c) { return c >= 0x80; }

TEST(TrayLooks, TooltipIsCutToSixtyThreeCharacters) {
  const std::string exact(63, 'x');
  EXPECT_EQ(tray::CutTip(exact), exact);
  EXPECT_EQ(tray::CutTip(exact + "y"), exact);
  EXPECT_EQ(tray::CutTip(std::string(500, 'z')).size(), 63u);
  EXPECT_EQ(tray::CutTip(""), "");
  EXPECT_EQ(tray::CutTip("short"), "short");

  // A double-byte character across the cut is dropped whole.
  std::string dbcs(62, 'a');
  dbcs += "\x82\xa0tail";
  EXPECT_EQ(tray::CutTip(dbcs, &HighBitLeads), std::string(62, 'a'));
  EXPECT_EQ(tray::CutTip(dbcs).size(), 63u);  // single-byte code page: plain cut
  std::string fits(61, 'a');
  fits += "\x82\xa0tail";
  EXPECT_EQ(tray::CutTip(fits, &HighBitLeads), std::string(61, 'a') + "\x82\xa0");
}

}  // namespace

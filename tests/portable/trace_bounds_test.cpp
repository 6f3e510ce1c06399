#include <gtest/gtest.h>

#include <string>

#include "base/TraceBounds.h"

namespace {

bool HighBitLeads(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

TEST(TraceBounds, LinesAreCutWithAMarkAndKeepTheirFirstBytes) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string want;
  } cases[] = {
      {"", 10, ""},
      {"0123456789", 10, "0123456789"},
      {"0123456789A", 10, "012345 ..."},
      {std::string(70000, 'r'), 4096, std::string(4092, 'r') + " ..."},
      {"abcdef", 3, " .."},
      {"abcdef", 0, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(trace::BoundedLine(c.text, c.max), c.want) << c.text.substr(0, 20) << " " << c.max;
}

TEST(TraceBounds, ADoubleByteCharacterIsNeverSplit) {
  // Lead byte at the last place that fits: it goes with its trail byte.
  const std::string text = "abcde\x82\xA0xyz...";
  EXPECT_EQ(trace::BoundedLine(text, 10, &HighBitLeads), "abcde ...");
  EXPECT_EQ(trace::BoundedLine(text, 11, &HighBitLeads), "abcde\x82\xA0 ...");
  EXPECT_EQ(trace::BoundedLine(text, 10, nullptr), "abcde\x82 ...");
}

}  // namespace

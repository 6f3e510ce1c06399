#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "keepalive/Pop3Protocol.h"

namespace {

using pop3::ReplyReader;

// Feeds `data` in chunks no larger than what the reader offers; returns the
// state after the last byte that was taken.
ReplyReader::State Feed(ReplyReader& r, const std::string& data, std::mt19937& rng,
                        std::size_t maxChunk, std::size_t* taken = nullptr) {
  std::size_t at = 0;
  ReplyReader::State s = r.state();
  while (at < data.size() && s == ReplyReader::State::More) {
    std::size_t room = r.RoomSize();
    if (room == 0) break;
    std::size_t n = std::uniform_int_distribution<std::size_t>(1, maxChunk)(rng);
    n = std::min({n, room, data.size() - at});
    std::memcpy(r.Room(), data.data() + at, n);
    s = r.Commit(n);
    at += n;
  }
  if (taken) *taken = at;
  return s;
}

TEST(Pop3Command, FormatsAndRefusesWhatWouldNotFit) {
  std::string out;
  ASSERT_TRUE(pop3::FormatCommand("USER", "joe", out));
  EXPECT_EQ(out, "USER joe\r\n");
  ASSERT_TRUE(pop3::FormatCommand("STAT", "", out));
  EXPECT_EQ(out, "STAT\r\n");
  ASSERT_TRUE(pop3::FormatCommand("PASS", std::string(120, 'p'), out));
  EXPECT_EQ(out.size(), 5u + 120u + 2u);
  EXPECT_FALSE(pop3::FormatCommand("PASS", std::string(121, 'p'), out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(pop3::FormatCommand("USER", std::string(100000, 'u'), out));
  EXPECT_FALSE(pop3::FormatCommand("USER", "joe\r\nDELE 1", out));
  EXPECT_FALSE(pop3::FormatCommand("USER", "joe\nx", out));
  EXPECT_FALSE(pop3::FormatCommand("USER", std::string("jo\0e", 4), out));
}

TEST(Pop3Reply, PositiveInAnyCase) {
  for (const char* yes : {"+OK", "+ok ready", "+Ok", "+oK x"}) EXPECT_TRUE(pop3::IsPositive(yes));
  for (const char* no : {"", "+O", "-ERR", " +OK", "OK", "+OX"}) EXPECT_FALSE(pop3::IsPositive(no));
}

TEST(Pop3Stat, Table) {
  struct Case {
    const char* reply;
    bool ok;
    unsigned long mails, size;
  } cases[] = {
      {"+OK 3 4512", true, 3, 4512},
      {"+OK\t0\t0", true, 0, 0},
      {"+OK 3 4512 extra words", true, 3, 4512},
      {"+OK 3", false, 0, 0},
      {"+OK", false, 0, 0},
      {"+ok 3 4512", false, 0, 0},
      {"-ERR 3 4512", false, 0, 0},
      {"+OK x 4512", false, 0, 0},
      {"+OK 3 y", false, 0, 0},
      {"+OK 3  4512", false, 0, 0},
      {"+OK 99999999999 1", false, 0, 0},
      {"+OK 4294967295 1", true, 4294967295ul, 1},
  };
  for (const Case& c : cases) {
    unsigned long m = 77, s = 77;
    EXPECT_EQ(pop3::ParseStat(c.reply, m, s), c.ok) << c.reply;
    if (c.ok) {
      EXPECT_EQ(m, c.mails) << c.reply;
      EXPECT_EQ(s, c.size) << c.reply;
    } else {
      EXPECT_EQ(m, 77u);
      EXPECT_EQ(s, 77u);
    }
  }
}

TEST(Pop3Reader, LongGreetingArrivesWholeAndTheBufferGrowsBySteps) {
  std::mt19937 rng(1);
  const std::string greeting = "+OK " + std::string(5000, 'g');
  ReplyReader r(1000, 4096);
  ASSERT_EQ(Feed(r, greeting + "\r\n", rng, 1500), ReplyReader::State::Positive);
  EXPECT_EQ(r.Text(), greeting);
  EXPECT_EQ((r.Capacity() - 1000) % 4096, 0u);
  EXPECT_GT(r.Capacity(), greeting.size());
}

TEST(Pop3Reader, LineEndSplitAcrossReceives) {
  ReplyReader r(100, 4096);
  std::memcpy(r.Room(), "-ERR no\r", 8);
  EXPECT_EQ(r.Commit(8), ReplyReader::State::More);
  std::memcpy(r.Room(), "\n", 1);
  EXPECT_EQ(r.Commit(1), ReplyReader::State::Negative);
  EXPECT_EQ(r.Text(), "-ERR no");
  EXPECT_TRUE(r.Rest().empty());
}

TEST(Pop3Reader, TwoRepliesInOnePacketKeepTheSecond) {
  ReplyReader r(100, 4096);
  const char data[] = "+OK hi\r\n+OK next\r\n";
  std::memcpy(r.Room(), data, sizeof(data) - 1);
  EXPECT_EQ(r.Commit(sizeof(data) - 1), ReplyReader::State::Positive);
  EXPECT_EQ(r.Text(), "+OK hi");
  EXPECT_EQ(r.Rest(), "+OK next\r\n");
}

TEST(Pop3Reader, NeverEndingLineStopsAtTheLimit) {
  ReplyReader r(1000, 4096, 20000);
  std::size_t total = 0;
  while (r.state() == ReplyReader::State::More) {
    const std::size_t n = r.RoomSize();
    ASSERT_GT(n, 0u);
    std::memset(r.Room(), 'x', n);
    r.Commit(n);
    total += n;
    ASSERT_LE(total, 20000u);
  }
  EXPECT_EQ(r.state(), ReplyReader::State::TooLong);
  EXPECT_LE(r.Capacity(), 20000u);
  EXPECT_EQ(r.RoomSize(), 0u);
}

// Random replies in random chunks: the reader must agree with a plain
// search for the first line end, never write past its room, and stop at
// the limit.
TEST(Pop3Reader, FuzzAgainstReference) {
  std::mt19937 rng(20240607);
  const char alphabet[] = {'+', 'O', 'K', 'o', 'k', '-', ' ', '\r', '\n', '\0', 'x', '\xff'};
  for (int round = 0; round < 3000; ++round) {
    const std::size_t len = std::uniform_int_distribution<std::size_t>(0, 3000)(rng);
    std::string data;
    if (round % 3 == 0) data = "+OK ";
    for (std::size_t i = 0; i < len; ++i)
      data += alphabet[std::uniform_int_distribution<int>(0, sizeof(alphabet) - 1)(rng)];
    const std::size_t initial = std::uniform_int_distribution<std::size_t>(2, 200)(rng);
    const std::size_t growth = std::uniform_int_distribution<std::size_t>(1, 300)(rng);
    const std::size_t limit = std::uniform_int_distribution<std::size_t>(initial, 2500)(rng);
    ReplyReader r(initial, growth, limit);
    std::size_t taken = 0;
    const ReplyReader::State s = Feed(r, data, rng, 64, &taken);
    ASSERT_LE(r.Capacity(), std::max(limit, initial));

    const std::size_t end = data.find("\r\n");
    if (end != std::string::npos && end + 2 <= limit - 1) {
      ASSERT_NE(s, ReplyReader::State::More);
      ASSERT_NE(s, ReplyReader::State::TooLong);
      const std::string line = data.substr(0, end);
      ASSERT_EQ(std::string(r.Text()), line);
      ASSERT_EQ(s == ReplyReader::State::Positive, pop3::IsPositive(line));
      ASSERT_EQ(std::string(r.Text()) + "\r\n" + std::string(r.Rest()), data.substr(0, taken));
    } else if (end == std::string::npos && data.size() < limit - 1) {
      ASSERT_EQ(s, ReplyReader::State::More);
      ASSERT_EQ(std::string(r.Text()), data);
    } else if (end == std::string::npos) {
      ASSERT_EQ(s, ReplyReader::State::TooLong);
    }
  }
}

}  // namespace

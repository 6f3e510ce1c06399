// When the program's dialer tries again by itself: the pauses after drops and
// failed dials, and the stop after refused logins.
#include <gtest/gtest.h>

#include <vector>

#include "dialup/RedialSequence.h"

using dialup::RedialSequence;

namespace {

// One event of a run: 'c' connected, 'd' dropped, 'e' the user ended it, or
// a dial that failed with `code`.
struct Event {
  char kind;
  std::uint32_t code = 0;
};

std::vector<int> Pauses(const std::vector<Event>& events) {
  RedialSequence sequence;
  std::vector<int> pauses;
  for (const Event& e : events) {
    if (e.kind == 'c') sequence.Connected();
    else if (e.kind == 'e') sequence.End();
    else if (e.kind == 'd') pauses.push_back(sequence.Dropped());
    else pauses.push_back(sequence.Failed(e.code));
  }
  return pauses;
}

const Event kConnected{'c'}, kDropped{'d'}, kUserEnded{'e'};
Event Failed(std::uint32_t code) { return {'f', code}; }

// 0 is "stop trying".
TEST(RedialSequence, PausesGrowAndStartAgainAfterAConnectionOrTheUser) {
  struct Case {
    const char* what;
    std::vector<Event> events;
    std::vector<int> pauses;
  };
  const Case cases[] = {
      {"failures: 10 s, 30 s, 1 min, 2 min, then 5 min every time",
       {Failed(678), Failed(678), Failed(678), Failed(678), Failed(678), Failed(678), Failed(678)},
       {10, 30, 60, 120, 300, 300, 300}},
      {"a drop, then failed redials", {kConnected, kDropped, Failed(678), Failed(680)}, {10, 30, 60}},
      {"a connection starts the pauses again", {Failed(678), Failed(678), kConnected, kDropped}, {10, 30, 10}},
      {"the user's own action starts them again", {Failed(678), Failed(678), kUserEnded, Failed(678)}, {10, 30, 10}},
      {"the line that never came up", {Failed(0), Failed(0)}, {10, 30}},
      {"three refused logins stop it", {Failed(691), Failed(691), Failed(691)}, {10, 30, 0}},
      {"... after a drop too", {kConnected, kDropped, Failed(691), Failed(691), Failed(691)}, {10, 30, 60, 0}},
      {"refusals not in a row do not", {Failed(691), Failed(691), Failed(678), Failed(691), Failed(691)},
       {10, 30, 60, 120, 300}},
      {"a connection between refusals", {Failed(691), Failed(691), kConnected, kDropped, Failed(691)}, {10, 30, 10, 30}},
      {"the user's Dial after a stop tries again", {Failed(691), Failed(691), Failed(691), kUserEnded, Failed(691)},
       {10, 30, 0, 10}},
      {"after a stop the next sequence starts at the first pause", {Failed(691), Failed(691), Failed(691), Failed(678)},
       {10, 30, 0, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(Pauses(c.events), c.pauses) << c.what;
}

// A refused user name or password, and the accounts that may not dial in
// now; not the line's own failures.
TEST(RedialSequence, RefusedLogins) {
  for (std::uint32_t code : {646u, 647u, 648u, 649u, 691u, 708u, 709u})
    EXPECT_TRUE(dialup::IsLoginRefusal(code)) << code;
  for (std::uint32_t code : {0u, 5u, 604u, 629u, 633u, 676u, 678u, 680u, 692u, 718u, 797u})
    EXPECT_FALSE(dialup::IsLoginRefusal(code)) << code;
}

}  // namespace

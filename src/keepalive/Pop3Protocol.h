#pragma once
// The POP3 dialogue as text: commands, the reply reader and the STAT reply.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pop3 {

// A command is formatted into this many bytes, terminator included.
inline constexpr std::size_t kCommandCapacity = 128;
// The longest login or password that fits.
inline constexpr std::size_t kMaxArgument = 120;

// "VERB arg\r\n", or "VERB\r\n" without an argument. False (and `out`
// empty) when it would not fit the command buffer or the argument holds a
// line break or a zero byte, which would smuggle in a second command.
bool FormatCommand(const char* verb, std::string_view argument, std::string& out);

// "+OK" in any letter case.
bool IsPositive(std::string_view reply);

// "+OK <mails> <size>": upper-case "+OK", the numbers after the first and the
// second blank or tab. False unless both are decimal numbers.
bool ParseStat(std::string_view reply, unsigned long& mails, unsigned long& size);

// Gathers one reply line. The caller receives into Room() (at most
// RoomSize() bytes) and reports what arrived with Commit(). The buffer
// starts at `initial` bytes and grows by `growth` each time a receive fills
// it, up to `limit`: a server that never ends its line cannot take more.
class ReplyReader {
 public:
  enum class State { More, Positive, Negative, TooLong };

  static constexpr std::size_t kDefaultLimit = 64 * 1024;

  ReplyReader(std::size_t initial, std::size_t growth, std::size_t limit = kDefaultLimit);

  char* Room();
  // Free room less the byte kept for the terminating zero.
  std::size_t RoomSize() const;
  State Commit(std::size_t received);

  // The reply without its line end once complete; what arrived so far before.
  std::string_view Text() const;
  // Bytes that arrived after the line end (a server that sent two replies in
  // one packet); the next reply starts with them.
  std::string_view Rest() const;
  std::size_t Capacity() const { return buffer_.size(); }
  State state() const { return state_; }

 private:
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::size_t growth_;
  std::size_t limit_;
  std::size_t lineEnd_ = 0;  // length of the reply once complete
  State state_ = State::More;
};

}  // namespace pop3

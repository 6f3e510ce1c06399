#include "keepalive/Pop3Protocol.h"

#include <cstring>

namespace pop3 {

bool FormatCommand(const char* verb, std::string_view argument, std::string& out) {
  out.clear();
  if (!verb) return false;
  if (argument.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  std::string text = verb;
  if (!argument.empty()) {
    if (argument.size() > kMaxArgument) return false;
    text += ' ';
    text.append(argument);
  }
  text += "\r\n";
  if (text.size() + 1 > kCommandCapacity) return false;
  out = std::move(text);
  return true;
}

bool IsPositive(std::string_view reply) {
  if (reply.size() < 3 || reply[0] != '+') return false;
  return (reply[1] == 'O' || reply[1] == 'o') && (reply[2] == 'K' || reply[2] == 'k');
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The decimal number right after position `at`; false when there is none.
bool NumberAt(std::string_view text, std::size_t at, unsigned long& value) {
  std::size_t i = at;
  unsigned long v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    const unsigned long digit = static_cast<unsigned long>(text[i] - '0');
    if (v > (0xFFFFFFFFul - digit) / 10) return false;
    v = v * 10 + digit;
    ++i;
  }
  if (i == at) return false;
  value = v;
  return true;
}

std::size_t NextBlank(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i)
    if (IsBlank(text[i])) return i;
  return std::string_view::npos;
}

}  // namespace

bool ParseStat(std::string_view reply, unsigned long& mails, unsigned long& size) {
  if (reply.substr(0, 3) != "+OK") return false;
  const std::size_t first = NextBlank(reply, 0);
  if (first == std::string_view::npos) return false;
  const std::size_t second = NextBlank(reply, first + 1);
  if (second == std::string_view::npos) return false;
  unsigned long m = 0, s = 0;
  if (!NumberAt(reply, first + 1, m) || !NumberAt(reply, second + 1, s)) return false;
  mails = m;
  size = s;
  return true;
}

ReplyReader::ReplyReader(std::size_t initial, std::size_t growth, std::size_t limit)
    : buffer_(initial < 2 ? 2 : initial, '\0'), growth_(growth ? growth : 1),
      limit_(limit < buffer_.size() ? buffer_.size() : limit) {}

char* ReplyReader::Room() { return buffer_.data() + used_; }

std::size_t ReplyReader::RoomSize() const {
  if (state_ != State::More) return 0;
  return buffer_.size() - used_ - 1;
}

ReplyReader::State ReplyReader::Commit(std::size_t received) {
  if (state_ != State::More) return state_;
  if (received > RoomSize()) received = RoomSize();
  // The line end may straddle two receives: look from one byte back.
  const std::size_t from = used_ > 0 ? used_ - 1 : 0;
  used_ += received;
  buffer_[used_] = '\0';
  const char* base = buffer_.data();
  for (std::size_t i = from; i + 1 < used_; ++i) {
    if (base[i] == '\r' && base[i + 1] == '\n') {
      lineEnd_ = i;
      state_ = IsPositive(std::string_view(base, i)) ? State::Positive : State::Negative;
      return state_;
    }
  }
  if (RoomSize() == 0) {
    if (buffer_.size() >= limit_) {
      state_ = State::TooLong;
      return state_;
    }
    std::size_t grown = buffer_.size() + growth_;
    if (grown > limit_) grown = limit_;
    buffer_.resize(grown, '\0');
  }
  return state_;
}

std::string_view ReplyReader::Text() const {
  const std::size_t n = (state_ == State::Positive || state_ == State::Negative) ? lineEnd_ : used_;
  return std::string_view(buffer_.data(), n);
}

std::string_view ReplyReader::Rest() const {
  if (state_ != State::Positive && state_ != State::Negative) return {};
  return std::string_view(buffer_.data() + lineEnd_ + 2, used_ - lineEnd_ - 2);
}

}  // namespace pop3

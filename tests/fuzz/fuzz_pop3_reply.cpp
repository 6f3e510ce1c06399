// The POP3 reply reader fed in arbitrary splits. Checked against the rule a
// reply follows: one line ending in CR LF, held in at most `limit - 1`
// bytes, positive when it starts with "+OK" in any letter case. Whatever
// the splits, the outcome is the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "keepalive/Pop3Protocol.h"

namespace {

using pop3::ReplyReader;

bool StartsPositive(const std::string& line) {
  if (line.size() < 3) return false;
  return line[0] == '+' && (line[1] | 0x20) == 'o' && (line[2] | 0x20) == 'k';
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider in(bytes, size);
  const std::size_t initial = in.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::size_t growth = in.ConsumeIntegralInRange<std::size_t>(0, 200);
  const std::size_t limit = in.ConsumeIntegralInRange<std::size_t>(0, 2000);
  const std::size_t splitSeed = in.ConsumeIntegral<std::uint32_t>();
  const std::string data = in.ConsumeRemainingBytesAsString();

  ReplyReader reader(initial, growth, limit);
  // The reader never holds more than its limit (and at least two bytes).
  const std::size_t bound = std::max<std::size_t>(std::max<std::size_t>(initial, 2), limit);
  std::size_t fed = 0;
  std::size_t step = splitSeed;
  while (fed < data.size() && reader.state() == ReplyReader::State::More) {
    const std::size_t room = reader.RoomSize();
    Check(room > 0);
    step = step * 1103515245u + 12345u;
    std::size_t n = 1 + (step >> 8) % 97;
    n = std::min({n, room, data.size() - fed});
    std::memcpy(reader.Room(), data.data() + fed, n);
    reader.Commit(n);
    fed += n;
    Check(reader.Capacity() <= bound);
  }

  const std::size_t held = bound - 1;  // bytes of text the reader can hold
  const std::size_t crlf = data.find("\r\n");
  const auto state = reader.state();
  if (crlf != std::string::npos && crlf + 2 <= held) {
    const std::string line = data.substr(0, crlf);
    Check(state == (StartsPositive(line) ? ReplyReader::State::Positive
                                         : ReplyReader::State::Negative));
    Check(reader.Text() == line);
    Check(pop3::IsPositive(line) == StartsPositive(line));
    // What came after the line end in the same receives starts the next reply.
    Check(fed >= crlf + 2);
    Check(reader.Rest() == std::string_view(data).substr(crlf + 2, fed - crlf - 2));
  } else if (data.size() >= held) {
    Check(state == ReplyReader::State::TooLong);
    Check(reader.Text() == std::string_view(data).substr(0, held));
    Check(reader.Rest().empty());
  } else {
    Check(state == ReplyReader::State::More);
    Check(reader.Text() == data);
  }
  return 0;
}

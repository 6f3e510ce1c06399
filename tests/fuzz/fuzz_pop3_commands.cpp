// STAT replies and the commands the POP3 client sends. The STAT rule: an
// upper-case "+OK", the number after the first blank or tab, and the number
// after the second; both decimal and within 32 bits. A command is the verb,
// a blank and the argument, CR LF; it fits 127 bytes, its argument 120, and
// the argument can never hold a line break or a zero byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "keepalive/Pop3Protocol.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The decimal number starting at `at`: false when none, or past 32 bits.
bool DigitsAt(const std::string& s, std::size_t at, unsigned long& value) {
  std::size_t end = at;
  while (end < s.size() && s[end] >= '0' && s[end] <= '9') ++end;
  if (end == at) return false;
  std::string digits = s.substr(at, end - at);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
  if (digits.size() > 10 || (digits.size() == 10 && digits > "4294967295")) return false;
  value = std::stoul(digits);
  return true;
}

bool ExpectedStat(const std::string& reply, unsigned long& mails, unsigned long& size) {
  if (reply.compare(0, 3, "+OK") != 0) return false;
  std::size_t first = 0;
  while (first < reply.size() && !IsBlank(reply[first])) ++first;
  if (first >= reply.size()) return false;
  std::size_t second = first + 1;
  while (second < reply.size() && !IsBlank(reply[second])) ++second;
  if (second >= reply.size()) return false;
  return DigitsAt(reply, first + 1, mails) && DigitsAt(reply, second + 1, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider in(bytes, size);
  const std::string argument = in.ConsumeRandomLengthString(300);
  const std::string verb = in.PickValueInArray({"USER", "PASS", "STAT", "QUIT", "X"});
  const std::string reply = in.ConsumeRemainingBytesAsString();

  unsigned long wantMails = 0, wantSize = 0, gotMails = 7, gotSize = 7;
  const bool want = ExpectedStat(reply, wantMails, wantSize);
  const bool got = pop3::ParseStat(reply, gotMails, gotSize);
  Check(got == want);
  if (got) Check(gotMails == wantMails && gotSize == wantSize);
  else Check(gotMails == 7 && gotSize == 7);  // untouched on failure

  std::string command = "stale";
  const bool formatted = pop3::FormatCommand(verb.c_str(), argument, command);
  const bool unsafe = argument.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
  const std::string expected = verb + (argument.empty() ? "" : " " + argument) + "\r\n";
  const bool fits = argument.size() <= 120 && expected.size() <= 127;
  Check(formatted == (!unsafe && fits));
  if (formatted) {
    Check(command == expected);
    Check(command.find("\r\n") == command.size() - 2);
    Check(command.find('\n') == command.size() - 1);
  } else {
    Check(command.empty());
  }
  return 0;
}

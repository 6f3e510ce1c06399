// What a server's first reply decides and how it is traced: an FTP reply is
// a greeting only when its first three bytes are "220"; a reply's trace text
// is its bytes up to the first zero byte; a trace line keeps its first bytes
// and is never longer than its bound, with a visible mark when cut.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "base/TraceBounds.h"
#include "keepalive/WireTexts.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool LeadsHigh(unsigned char c) { return c >= 0x81 && c <= 0xFE && c != 0xA0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider in(bytes, size);
  const std::size_t max = in.ConsumeIntegralInRange<std::size_t>(0, 600);
  const bool dbcs = in.ConsumeBool();
  const std::string reply = in.ConsumeRemainingBytesAsString();

  const bool greeting = wire::IsFtpGreeting(reply.data(), reply.size());
  Check(greeting == (reply.size() >= 3 && reply[0] == '2' && reply[1] == '2' && reply[2] == '0'));

  const std::string traced = wire::ReplyTraceText(reply.data(), reply.size());
  Check(traced.find('\0') == std::string::npos);
  Check(reply.compare(0, traced.size(), traced) == 0);
  Check(traced.size() == reply.size() || reply[traced.size()] == '\0');

  const std::string line = trace::BoundedLine(traced, max, dbcs ? &LeadsHigh : nullptr);
  Check(line.size() <= max);
  if (traced.size() <= max) {
    Check(line == traced);
  } else {
    const std::string mark = std::string(trace::kCutMark).substr(0, max);
    Check(line.size() >= mark.size());
    Check(line.compare(line.size() - mark.size(), mark.size(), mark) == 0);
    const std::size_t kept = line.size() - mark.size();
    Check(traced.compare(0, kept, line, 0, kept) == 0);
    // At most one byte short of the bound, and only to keep a pair whole.
    Check(line.size() + 1 >= max || max < mark.size());
  }
  return 0;
}

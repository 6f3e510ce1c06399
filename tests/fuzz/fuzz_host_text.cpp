// Host texts of every service, as a user may configure them. Rules: HTTP
// uses the text before the first comma, connects to its part before the
// first '/', and asks HEAD / or GET <path>; User Port splits at the first
// ':' and reads the port as a decimal number after blanks; a host text with
// a control character (below 32, or 127) is never used and shows escaped;
// no request ever gets a line that the host text put there.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "keepalive/ExchangePlan.h"
#include "keepalive/HostText.h"
#include "keepalive/WireTexts.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool HasControl(const std::string& s) {
  for (unsigned char c : s)
    if (c < 32 || c == 127) return true;
  return false;
}

// The escaped form read back: the text it stands for.
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    Check(i + 1 < s.size());
    const char e = s[++i];
    if (e == 'n') out += '\n';
    else if (e == 'r') out += '\r';
    else if (e == 't') out += '\t';
    else if (e == '\\') out += '\\';
    else {
      Check(e == 'x' && i + 2 < s.size());
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    }
  }
  return out;
}

unsigned ExpectedPort(const std::string& after) {
  std::size_t i = 0;
  while (i < after.size() && (after[i] == ' ' || after[i] == '\t')) ++i;
  std::size_t end = i;
  while (end < after.size() && after[end] >= '0' && after[end] <= '9') ++end;
  const std::string digits = after.substr(i, end - i);
  if (digits.empty()) return 0;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  if (digits.size() - first > 5) return 0;
  const unsigned long v = std::stoul(digits.substr(first));
  return v <= 65535 ? static_cast<unsigned>(v) : 0;
}

void CheckRequest(const std::string& currentHost) {
  const std::string request = wire::HttpRequestFor(currentHost);
  // Five line feeds: request line, three headers, the closing empty line.
  std::size_t lines = 0;
  for (char c : request) lines += c == '\n';
  Check(lines == 5);
  Check(request.find('\r') == std::string::npos);
  Check(request.compare(0, 7, "HEAD / ") == 0 || request.compare(0, 5, "GET /") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider in(bytes, size);
  const int service = in.ConsumeIntegralInRange(0, kServiceCount - 1);
  const bool visit = in.ConsumeBool();
  const std::size_t maxChars = in.ConsumeIntegralInRange<std::size_t>(0, 200);
  std::string text = in.ConsumeRemainingBytesAsString();
  text = text.substr(0, text.find('\0'));  // a request text is a C string
  const ServiceKind kind = ServiceFromIndex(service);

  const std::string escaped = hosttext::Escaped(text, maxChars);
  Check(escaped.size() <= maxChars);
  Check(!HasControl(escaped));
  if (HasControl(text)) {
    const std::string back = Unescape(escaped);
    Check(text.compare(0, back.size(), back) == 0);
  } else {
    Check(escaped == text.substr(0, maxChars));
  }

  const ExchangePlan plan = PlanExchange(kind, text.c_str(), visit);
  Check(!HasControl(plan.currentHost) && !HasControl(plan.connectName));
  if (kind == ServiceKind::Http && visit) {
    Check(plan.ownWebHost && !plan.announce && !plan.invalid && plan.port == 80);
    Check(plan.currentHost.empty() && plan.connectName == wire::OwnWebHost());
    return 0;
  }
  Check(!plan.ownWebHost && plan.announce);
  const std::string host = kind == ServiceKind::Http ? text.substr(0, text.find(',')) : text;
  if (HasControl(host)) {
    Check(plan.invalid && plan.proceed);
    Check(plan.connectName.empty() && plan.port == 0);
    Check(plan.currentHost == hosttext::Escaped(host, kMaxHostChars));
    return 0;
  }
  Check(!plan.invalid);
  Check(plan.currentHost == host);
  switch (kind) {
    case ServiceKind::Http:
      Check(plan.port == 80 && plan.traceName && plan.proceed);
      Check(plan.connectName == host.substr(0, host.find('/')));
      Check(plan.connectName.find_first_of("/,") == std::string::npos);
      CheckRequest(plan.currentHost);
      break;
    case ServiceKind::UserPort: {
      const std::size_t colon = text.find(':');
      Check(plan.proceed == (colon != std::string::npos));
      if (!plan.proceed) break;
      Check(plan.connectName == text.substr(0, colon));
      Check(plan.port == ExpectedPort(text.substr(colon + 1)));
      Check(plan.port <= 65535);
      break;
    }
    default:
      Check(plan.proceed && !plan.traceName);
      Check(plan.connectName == text && plan.port == ServicePort(kind));
      break;
  }
  return 0;
}

#include "keepalive/ExchangePlan.h"

#include "keepalive/HostText.h"
#include "keepalive/WireTexts.h"

unsigned ServicePort(ServiceKind kind) {
  switch (kind) {
    case ServiceKind::Http: return 80;
    case ServiceKind::Ftp: return 21;
    case ServiceKind::Echo: return 7;
    case ServiceKind::Discard: return 9;
    case ServiceKind::TimeServer: return 13;
    case ServiceKind::UserPort: return 0;
  }
  return 0;
}

unsigned ParsePort(const std::string& text) {
  // Read as a decimal number: leading blanks, then the digits up to the
  // first other character ("8080x" is 8080). Past five digits the value is
  // out of range whatever follows, so counting stops there.
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 65535) return 0;
  }
  return value;
}

namespace {

ExchangePlan PlanHttp(const std::string& text) {
  ExchangePlan plan;
  plan.port = 80;
  plan.currentHost = text.substr(0, text.find(','));
  plan.connectName = plan.currentHost.substr(0, plan.currentHost.find('/'));
  plan.traceName = true;
  return plan;
}

ExchangePlan PlanOwnWebHost() {
  ExchangePlan plan;
  plan.port = 80;
  plan.ownWebHost = true;
  plan.announce = false;
  plan.connectName = wire::OwnWebHost();
  return plan;
}

ExchangePlan PlanUserPort(const std::string& text) {
  ExchangePlan plan;
  plan.currentHost = text;
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) {
    plan.proceed = false;
    return plan;
  }
  plan.connectName = text.substr(0, colon);
  plan.port = ParsePort(text.substr(colon + 1));
  return plan;
}

// Nothing of an invalid host text reaches the wire: no name, no port.
ExchangePlan Invalid(const std::string& hostText) {
  ExchangePlan plan;
  plan.invalid = true;
  plan.currentHost = hosttext::Escaped(hostText, kMaxHostChars);
  return plan;
}

}  // namespace

ExchangePlan PlanExchange(ServiceKind kind, const char* requestText, bool ownWebHost) {
  if (kind == ServiceKind::Http && ownWebHost) return PlanOwnWebHost();
  const std::string text = requestText ? requestText : "";
  ExchangePlan plan;
  if (kind == ServiceKind::Http) {
    plan = PlanHttp(text);
  } else if (kind == ServiceKind::UserPort) {
    plan = PlanUserPort(text);
  } else {
    plan.currentHost = text;
    plan.connectName = text;
    plan.port = ServicePort(kind);
  }
  if (hosttext::HasControlCharacter(plan.currentHost)) return Invalid(plan.currentHost);
  return plan;
}

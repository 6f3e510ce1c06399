#include "keepalive/ExchangePlan.h"

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
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return 0;
  const std::size_t last = text.find_last_not_of(" \t");
  const std::string digits = text.substr(first, last - first + 1);
  if (digits.size() > 5) return 0;
  unsigned value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value <= 65535 ? value : 0;
}

namespace {

ExchangePlan PlanHttp(const std::string& text) {
  ExchangePlan plan;
  plan.port = 80;
  plan.currentHost = text.substr(0, text.find(','));
  if (wire::IsDefaultHostMarker(plan.currentHost.c_str())) {
    plan.announce = false;
    plan.connectName = wire::OwnWebHost();
    return plan;
  }
  plan.connectName = plan.currentHost.substr(0, plan.currentHost.find('/'));
  plan.traceName = true;
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

}  // namespace

ExchangePlan PlanExchange(ServiceKind kind, const char* requestText) {
  const std::string text = requestText ? requestText : "";
  if (kind == ServiceKind::Http) return PlanHttp(text);
  if (kind == ServiceKind::UserPort) return PlanUserPort(text);
  ExchangePlan plan;
  plan.currentHost = text;
  plan.connectName = text;
  plan.port = ServicePort(kind);
  return plan;
}

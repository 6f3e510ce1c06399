#include "app/HostChoice.h"

std::string HostChooser::SelectHost(int service, std::uint32_t accessMethod,
                                    HostSource& source) {
  switch (accessMethod) {
    case kAccessSequential: {
      const std::vector<std::string> hosts = source.HostList(service);
      if (hosts.empty()) return {};
      if (position_ >= hosts.size()) position_ = 0;
      return hosts[position_++];
    }
    case kAccessRandom: {
      const std::vector<std::string> hosts = source.HostList(service);
      if (hosts.empty()) return {};
      const int index = random_.Next() % static_cast<int>(hosts.size());
      return source.Host(service, index);
    }
    case kAccessDedicated:
      return source.DedicatedHost(service);
    default:
      return {};
  }
}

std::optional<std::uint32_t> KeepAlivePeriodMs(std::uint32_t option, std::uint32_t start,
                                               std::uint32_t end, std::uint32_t fixed,
                                               Random15& random) {
  std::uint64_t period = 0;
  if (option == kIntervalFixed) {
    period = static_cast<std::uint64_t>(fixed) * 1000u;
  } else if (option == kIntervalRandom) {
    const std::int64_t span =
        (static_cast<std::int64_t>(end) - static_cast<std::int64_t>(start)) * 1000 + 1;
    const std::int64_t divisor = span < 0 ? -span : span;
    const std::int64_t draw = random.Next();
    period = static_cast<std::uint64_t>(start) * 1000u + static_cast<std::uint64_t>(draw % divisor);
  } else {
    return std::nullopt;
  }
  if (period > kLongestPeriodMs) period = kLongestPeriodMs;
  return static_cast<std::uint32_t>(period);
}

bool VisitRule::TakeVisitTurn() {
  if (visited_ || !firstHostShown_) return false;
  visited_ = true;  // at most once per run, whatever its outcome
  return true;
}

VisitRule::Shown VisitRule::OnHostShown(bool isVisit) {
  firstHostShown_ = true;
  if (!isVisit) return {false, true};
  visited_ = true;
  return {true, false};
}

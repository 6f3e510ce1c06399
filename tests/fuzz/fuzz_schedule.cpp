// The keep-alive interval and the host choice, run as a sequence of calls.
// Rules: the program's generator is state * 214013 + 2531011 with draws of
// (state >> 16) & 32767; Fixed gives fixed * 1000 ms, Random gives
// start * 1000 + draw % |(end - start) * 1000 + 1| ms, both capped at what a
// timer takes; another option gives nothing. Sequential access takes one
// shared position, wrapped by each service's own list length; Random takes
// entry draw % n (no draw for an empty list); Dedicated takes the dedicated
// host; any other method gives an empty host.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/HostChoice.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Model {
  std::uint32_t state = 1;
  std::uint32_t position = 0;
  int Draw() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 32767u);
  }
};

class Hosts : public HostSource {
 public:
  std::map<int, std::vector<std::string>> lists;
  std::map<int, std::string> dedicated;
  std::vector<std::string> HostList(int service) override { return lists[service]; }
  std::string Host(int service, int index) override {
    const auto& l = lists[service];
    return index >= 0 && index < static_cast<int>(l.size()) ? l[index] : std::string();
  }
  std::string DedicatedHost(int service) override { return dedicated[service]; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider in(bytes, size);
  Random15 random;
  HostChooser chooser(random);
  Hosts hosts;
  Model model;
  for (int service = 0; service < 6; ++service) {
    const int n = in.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < n; ++i)
      hosts.lists[service].push_back(std::to_string(service) + "." + std::to_string(i));
    hosts.dedicated[service] = in.ConsumeBool() ? "d" + std::to_string(service) : "";
  }
  while (in.remaining_bytes() > 0) {
    if (in.ConsumeBool()) {
      const std::uint32_t option = in.ConsumeIntegralInRange<std::uint32_t>(0, 4);
      const std::uint32_t start = in.ConsumeIntegral<std::uint32_t>();
      const std::uint32_t end = in.ConsumeIntegral<std::uint32_t>();
      const std::uint32_t fixed = in.ConsumeIntegral<std::uint32_t>();
      const auto got = KeepAlivePeriodMs(option, start, end, fixed, random);
      const std::int64_t cap = 0x7FFFFFFF;
      if (option == 2) {
        Check(got && *got == std::min<std::int64_t>(std::int64_t{fixed} * 1000, cap));
      } else if (option == 1) {
        const std::int64_t span = (std::int64_t{end} - std::int64_t{start}) * 1000 + 1;
        const std::int64_t want = std::int64_t{start} * 1000 + model.Draw() % std::llabs(span);
        Check(got && *got == std::min(want, cap));
        Check(*got - std::min<std::int64_t>(std::int64_t{start} * 1000, cap) <= 32767 ||
              *got == cap);
      } else {
        Check(!got);
      }
    } else {
      const int service = in.ConsumeIntegralInRange(0, 5);
      const std::uint32_t method = in.ConsumeIntegralInRange<std::uint32_t>(0, 4);
      const std::string got = chooser.SelectHost(service, method, hosts);
      const auto& list = hosts.lists[service];
      const std::uint32_t n = static_cast<std::uint32_t>(list.size());
      std::string want;
      if (method == 1 && n > 0) {
        if (model.position >= n) model.position = 0;
        want = list[model.position++];
      } else if (method == 2 && n > 0) {
        want = list[static_cast<std::uint32_t>(model.Draw()) % n];
      } else if (method == 3) {
        want = hosts.dedicated[service];
      }
      Check(got == want);
      Check(chooser.position() == model.position);
    }
    Check(random.state() == model.state);
  }
  return 0;
}

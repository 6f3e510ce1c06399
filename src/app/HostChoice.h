#pragma once
// Which host a keep-alive request goes to, when the next cycle comes, and
// the one-time visit of the program's own web host. No registry here: the
// scheduler reads the settings afresh and hands them in.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Random15.h"

// Where the host lists come from (the settings store in the program).
class HostSource {
 public:
  virtual ~HostSource() = default;
  // Entries "0", "1", ... in order, up to the first missing or empty one.
  virtual std::vector<std::string> HostList(int service) = 0;
  // The entry named by the decimal digits of `index`; empty when missing.
  virtual std::string Host(int service, int index) = 0;
  virtual std::string DedicatedHost(int service) = 0;
};

// Stored "Access Method" "Type" values.
enum : std::uint32_t { kAccessSequential = 1, kAccessRandom = 2, kAccessDedicated = 3 };

class HostChooser {
 public:
  explicit HostChooser(Random15& random) : random_(random) {}

  // May be empty: an empty host is still sent and fails in the worker.
  std::string SelectHost(int service, std::uint32_t accessMethod, HostSource& source);

  // One position shared by every service, so two services enabled together
  // advance it twice a cycle and each wraps it by its own list length.
  std::uint32_t position() const { return position_; }

 private:
  Random15& random_;
  std::uint32_t position_ = 0;
};

// Stored "Interval" "Option" values.
enum : std::uint32_t { kIntervalRandom = 1, kIntervalFixed = 2 };

// The next keep-alive period in ms; nothing for an unknown option. Random
// draws once: start*1000 + draw % ((end-start)*1000 + 1), so the random part
// never exceeds 32767 ms. Clamped to what a timer accepts.
std::optional<std::uint32_t> KeepAlivePeriodMs(std::uint32_t option, std::uint32_t start,
                                               std::uint32_t end, std::uint32_t fixed,
                                               Random15& random);
inline constexpr std::uint32_t kLongestPeriodMs = 0x7FFFFFFFu;

// The one-time visit of the program's own web host: on a run that has not
// yet recorded the visit, the first HTTP exchange goes to a configured host,
// the next one after that host was shown goes to the own web host (once per
// run), and the visit is recorded for good only when that exchange succeeds.
class VisitRule {
 public:
  explicit VisitRule(bool visited) : visited_(visited) {}

  // True when this HTTP exchange is to be the visit of the own web host.
  bool TakeVisitTurn();

  struct Shown {
    bool recordVisit;  // write the persistent flag now
    bool showText;     // put the text on the row
  };
  // An HTTP current host was posted back by the worker or its socket;
  // `isVisit` when it reports the visit of the own web host.
  Shown OnHostShown(bool isVisit);

  bool visited() const { return visited_; }
  bool firstHostShown() const { return firstHostShown_; }

 private:
  bool visited_;
  bool firstHostShown_ = false;
};

#pragma once
// The AOL watcher's timer period from the stored "Scan Interval" (seconds,
// 1 to 300). A stored 0 would make a 0 ms timer and a huge value would
// overflow the milliseconds, so the value is clamped first. No Win32.
#include <cstdint>

namespace watch {

constexpr std::uint32_t kMinScanSeconds = 1;
constexpr std::uint32_t kMaxScanSeconds = 300;

constexpr std::uint32_t ScanPeriodMs(std::uint32_t storedSeconds) {
  const std::uint32_t s = storedSeconds < kMinScanSeconds   ? kMinScanSeconds
                          : storedSeconds > kMaxScanSeconds ? kMaxScanSeconds
                                                            : storedSeconds;
  return s * 1000;
}

}  // namespace watch

#pragma once
// How much the trace keeps. A line is cut at kMaxLineChars with a visible
// mark; the list keeps at most kMaxLines lines and kBudgetChars characters,
// dropping the oldest first. A reply of 64 KiB thus shows its first bytes
// without a run of days growing the process.
#include <cstddef>
#include <string>
#include <string_view>

namespace trace {

inline constexpr int kMaxLines = 5000;
inline constexpr std::size_t kMaxLineChars = 4096;
inline constexpr std::size_t kBudgetChars = 1024 * 1024;  // about 2 MiB in the list (UTF-16)
inline constexpr char kCutMark[] = " ...";

// `text` as one trace line: unchanged when it fits `maxChars`, otherwise its
// first bytes and the cut mark, together exactly `maxChars` or one less (a
// double-byte character is never split; `isLeadByte` may be null).
std::string BoundedLine(std::string_view text, std::size_t maxChars = kMaxLineChars,
                        bool (*isLeadByte)(unsigned char) = nullptr);

}  // namespace trace

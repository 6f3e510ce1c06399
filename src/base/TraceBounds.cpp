#include "base/TraceBounds.h"

namespace trace {

std::string BoundedLine(std::string_view text, std::size_t maxChars,
                        bool (*isLeadByte)(unsigned char)) {
  if (text.size() <= maxChars) return std::string(text);
  constexpr std::size_t kMark = sizeof(kCutMark) - 1;
  const std::size_t room = maxChars > kMark ? maxChars - kMark : 0;
  std::size_t end = 0;
  while (end < room) {
    const std::size_t width =
        isLeadByte && isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > room) break;
    end += width;
  }
  std::string line(text.substr(0, end));
  line += std::string_view(kCutMark, maxChars < kMark ? maxChars : kMark);
  return line;
}

}  // namespace trace

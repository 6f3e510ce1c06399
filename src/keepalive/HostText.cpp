#include "keepalive/HostText.h"

namespace hosttext {

bool IsControl(unsigned char c) { return c < 32 || c == 127; }

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (IsControl(static_cast<unsigned char>(c))) return true;
  return false;
}

namespace {

std::string EscapeOf(unsigned char c) {
  switch (c) {
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\\': return "\\\\";
    default: break;
  }
  if (!IsControl(c)) return std::string(1, static_cast<char>(c));
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string{'\\', 'x', kHex[c >> 4], kHex[c & 15]};
}

}  // namespace

std::string Escaped(std::string_view text, std::size_t maxChars) {
  if (!HasControlCharacter(text)) return std::string(text.substr(0, maxChars));
  std::string out;
  for (char c : text) {
    const std::string piece = EscapeOf(static_cast<unsigned char>(c));
    if (out.size() + piece.size() > maxChars) break;
    out += piece;
  }
  return out;
}

}  // namespace hosttext

#pragma once
// Host texts as configured by the user: what makes one unusable, and how an
// unusable one is shown. A control character (below 32, or 127) in a host
// text would travel into a request line or split a status row, so such a
// text is never used; it is shown with its control characters escaped.
#include <cstddef>
#include <string>
#include <string_view>

namespace hosttext {

bool IsControl(unsigned char c);
bool HasControlCharacter(std::string_view text);

// `text` with every control character written as \t, \n, \r or \xHH and
// every backslash doubled, cut before the escape that would pass
// `maxChars`. Texts without control characters are returned unchanged
// (cut to `maxChars`).
std::string Escaped(std::string_view text, std::size_t maxChars);

}  // namespace hosttext

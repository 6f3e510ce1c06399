#include "win/ErrorText.h"

#include <cstdio>

namespace win {

std::string ErrorText(DWORD code) {
  char buf[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, buf, sizeof(buf) - 1, nullptr);
  while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == ' ')) buf[--n] = '\0';
  if (n == 0) std::snprintf(buf, sizeof(buf), "Error %lu", static_cast<unsigned long>(code));
  return buf;
}

}  // namespace win

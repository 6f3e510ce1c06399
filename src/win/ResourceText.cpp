#include "win/ResourceText.h"

namespace win {

std::string LoadResourceText(UINT id, const char* fallback) {
  char buf[1024] = {};
  int n = LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof(buf));
  if (n > 0) return std::string(buf, static_cast<size_t>(n));
  return fallback ? fallback : "";
}

}  // namespace win

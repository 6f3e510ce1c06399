#include "keepalive/SocketErrorText.h"

#include "keepalive/SocketErrorCodes.h"

std::string SocketErrorText(int code, HINSTANCE resources) {
  const int id = SocketErrorStringId(code);
  if (id == 0) return kSocketErrorUndefined;
  char text[128] = {};
  const int n = LoadStringA(resources ? resources : GetModuleHandleA(nullptr),
                            static_cast<UINT>(id), text, static_cast<int>(sizeof(text)));
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string(kSocketErrorUndefined);
}

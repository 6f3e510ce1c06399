#pragma once
// Which socket error codes have words of their own. The words are string
// resources whose id is the code (keepalive.rc); a code without words, or
// whose string cannot be loaded, is shown as kSocketErrorUndefined.

inline constexpr char kSocketErrorUndefined[] = "Winsock error not defined";

// The string id of a code's words, or 0 when the code has none.
int SocketErrorStringId(int code);

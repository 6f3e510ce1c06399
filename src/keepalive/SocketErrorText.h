#pragma once
// Words shown on a service's status row for a socket error code.

// Never null; codes the table does not know give "Winsock error not defined".
const char* SocketErrorText(int code);

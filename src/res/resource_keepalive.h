#pragma once
// Resource ids of the keep-alive resources (keepalive.rc).

// Socket error texts: each string's id is the Winsock error code it names
// (10004 to 11004), so the range is taken by them.
#define IDS_SOCKET_ERROR_FIRST 10004
#define IDS_SOCKET_ERROR_LAST 11004

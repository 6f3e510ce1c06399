#pragma once
// Messages from the service workers and their sockets to the controller
// window. All are posted, never sent.
//
// kCurrentHost carries an owned copy of the host text (new char[], at most
// 127 characters): the controller takes it with TakeCurrentHost and the copy
// is freed with the returned pointer, so no thread ever reads a buffer that
// another may be reusing.
#include <windows.h>

#include <memory>

#include "settings/ServiceKind.h"

namespace svcmsg {

constexpr UINT kExchangeProgress = WM_APP + 2;  // wParam 1 sending, 2 reply arrived
constexpr UINT kServiceResult = WM_APP + 3;     // wParam service; lParam below
constexpr UINT kCurrentHost = WM_APP + 13;      // wParam 65536 * phase + service

constexpr WPARAM kSending = 1;
constexpr WPARAM kReceiving = 2;

constexpr int kPhaseConnecting = 1;
constexpr int kPhaseSucceeded = 2;
// The visit of the program's own web host succeeded (HTTP only). It is told
// by its phase, never by a text, so no configured host can pose as it; its
// text is empty.
constexpr int kPhaseOwnWebHostVisited = 3;

constexpr LPARAM kSucceeded = 1;
constexpr LPARAM kNotAGreeting = 0;
// A failure: the socket error code in the high word.
constexpr LPARAM FailureResult(int code) {
  return static_cast<LPARAM>(static_cast<DWORD>(code & 0xFFFF) << 16);
}

bool PostProgress(HWND controller, WPARAM phase);
bool PostResult(HWND controller, ServiceKind kind, LPARAM result);
bool PostCurrentHost(HWND controller, int phase, ServiceKind kind, const char* host);

// The parts of a kCurrentHost message: wParam, and an owned copy of the text
// for lParam (freed by TakeCurrentHost; 0 when out of memory).
WPARAM CurrentHostParam(int phase, ServiceKind kind);
LPARAM CopyHostText(const char* host);

// Receiving side of kCurrentHost: owns the text from here on (never null).
std::unique_ptr<char[]> TakeCurrentHost(LPARAM lp);

}  // namespace svcmsg

#pragma once
// What a service worker makes of one request text: the host it shows and
// keeps with the socket, whether it announces it, and where it connects.
#include <cstddef>
#include <string>

#include "settings/ServiceKind.h"

struct ExchangePlan {
  std::string currentHost;  // kept by the socket, posted back with the result
  bool announce = true;     // post the "connecting" current-host message
  bool proceed = true;      // false: release the service and post nothing more
  bool invalid = false;     // the host text holds a control character: fail at once
  bool ownWebHost = false;  // the one-time visit of the program's own web host
  std::string connectName;  // host name or dotted address
  unsigned port = 0;        // 0 when the request named no usable port
  bool traceName = false;   // the HTTP worker traces the name it connects to
};

// Standard port of each service; the user port comes from its host text.
unsigned ServicePort(ServiceKind kind);

// The longest host text a worker keeps (its buffer holds a terminator too).
inline constexpr std::size_t kMaxHostChars = 127;

// HTTP: the text before the first comma is the host; its part before the
// first '/' is the name to connect to. The visit of the own web host is its
// own kind of request (`ownWebHost`), never a host text: it goes, without
// announcement, to the program's own web host. User Port: "host:port"; a
// text without ':' ends the request. Others: the text is the host. A host
// text with a control character is invalid for every service: it is
// announced escaped and fails like a name that cannot be resolved.
ExchangePlan PlanExchange(ServiceKind kind, const char* requestText, bool ownWebHost = false);

// The decimal number at the start of `text` (after blanks), up to the
// first other character; 0 when there is none or it is above 65535.
unsigned ParsePort(const std::string& text);

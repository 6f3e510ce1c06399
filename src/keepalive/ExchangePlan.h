#pragma once
// What a service worker makes of one request text: the host it shows and
// keeps with the socket, whether it announces it, and where it connects.
#include <string>

#include "settings/ServiceKind.h"

struct ExchangePlan {
  std::string currentHost;  // kept by the socket, posted back with the result
  bool announce = true;     // post the "connecting" current-host message
  bool proceed = true;      // false: release the service and post nothing more
  std::string connectName;  // host name or dotted address
  unsigned port = 0;        // 0 when the request named no usable port
  bool traceName = false;   // the HTTP worker traces the name it connects to
};

// Standard port of each service; the user port comes from its host text.
unsigned ServicePort(ServiceKind kind);

// HTTP: the text before the first comma is the host; its part before the
// first '/' is the name to connect to; the default-host marker goes, without
// announcement, to the program's own web host. User Port: "host:port"; a
// text without ':' ends the request. Others: the text is the host.
ExchangePlan PlanExchange(ServiceKind kind, const char* requestText);

// Decimal port 1..65535, blanks around it allowed; 0 for anything else.
unsigned ParsePort(const std::string& text);

#pragma once
// The request handling of the six service workers: what a worker does with
// one request text before its socket carries the exchange on.
#include <memory>

#include "keepalive/CHTTPSvcSocket.h"
#include "keepalive/ServiceWorkers.h"

// The factory handed to ServiceWorkers::Start: called on each service's
// worker thread, so the socket and its notification window belong to it.
// The HTTP socket reads NetZero's "Stay Online" through `netZeroStayOnline`
// when it builds the visit request.
std::unique_ptr<ServiceSession> CreateServiceSession(
    ServiceContext& context, CHTTPSvcSocket::StayOnlineReader netZeroStayOnline);

// As above, reading the setting from the settings store.
std::unique_ptr<ServiceSession> CreateServiceSession(ServiceContext& context);

#pragma once
// HTTP: sends HEAD / or GET <path> (or the request of the own-web-host
// visit), traces request and reply, and succeeds on the first reply bytes.
#include <functional>

#include "keepalive/ServiceSocket.h"

class CHTTPSvcSocket : public CServiceSocket {
 public:
  // Read on the worker thread when the visit request is built.
  using StayOnlineReader = std::function<bool()>;

  CHTTPSvcSocket(ServiceContext& context, StayOnlineReader netZeroStayOnline)
      : CServiceSocket(context), netZeroStayOnline_(std::move(netZeroStayOnline)) {}

 protected:
  void OnConnect(int error) override;
  void OnReply(const char* data, int length) override;

 private:
  StayOnlineReader netZeroStayOnline_;
};

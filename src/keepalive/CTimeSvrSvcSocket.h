#pragma once
// Time Server (daytime): sends the probe and succeeds on the first bytes
// the server sends.
#include "keepalive/ServiceSocket.h"

class CTimeSvrSvcSocket : public CServiceSocket {
 public:
  using CServiceSocket::CServiceSocket;

 protected:
  void OnConnect(int error) override;
};

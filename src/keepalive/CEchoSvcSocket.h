#pragma once
// Echo: sends the probe and succeeds when the echo arrives.
#include "keepalive/ServiceSocket.h"

class CEchoSvcSocket : public CServiceSocket {
 public:
  using CServiceSocket::CServiceSocket;

 protected:
  void OnConnect(int error) override;
};

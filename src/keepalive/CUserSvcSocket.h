#pragma once
// User Port: handing the probe to the network is the whole exchange; nothing
// is read back.
#include "keepalive/ServiceSocket.h"

class CUserSvcSocket : public CServiceSocket {
 public:
  using CServiceSocket::CServiceSocket;

 protected:
  void OnConnect(int error) override;
};

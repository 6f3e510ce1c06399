#pragma once
// FTP: reads the server's first reply once connected; success only when it
// is a "220" greeting. Nothing is sent: the greeting is the exchange.
#include "keepalive/ServiceSocket.h"

class CFTPSvcSocket : public CServiceSocket {
 public:
  using CServiceSocket::CServiceSocket;

 protected:
  void OnConnect(int error) override;
  // "Sending" follows the connect call, as the greeting is all that comes.
  void OnConnecting() override;
  void OnReply(const char* data, int length) override;
};

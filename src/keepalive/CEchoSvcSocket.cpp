#include "keepalive/CEchoSvcSocket.h"

void CEchoSvcSocket::OnConnect(int error) {
  SendProbeOnConnect(error);
}

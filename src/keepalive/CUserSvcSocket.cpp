#include "keepalive/CUserSvcSocket.h"

void CUserSvcSocket::OnConnect(int error) {
  if (SendProbeOnConnect(error)) Succeed();
}

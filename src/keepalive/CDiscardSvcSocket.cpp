#include "keepalive/CDiscardSvcSocket.h"

void CDiscardSvcSocket::OnConnect(int error) {
  if (SendProbeOnConnect(error)) Succeed();
}

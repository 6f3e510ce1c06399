#include "keepalive/CTimeSvrSvcSocket.h"

void CTimeSvrSvcSocket::OnConnect(int error) {
  SendProbeOnConnect(error);
}

#include "keepalive/CTimeSvrSvcSocket.h"

#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"

void CTimeSvrSvcSocket::OnConnect(int error) {
  if (error != 0) {
    Fail(error);
    return;
  }
  PostProgress(svcmsg::kSending);
  if (!SendAll(wire::kProbeText, static_cast<int>(wire::kProbeLength))) Fail(LastError());
}

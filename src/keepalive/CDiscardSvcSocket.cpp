#include "keepalive/CDiscardSvcSocket.h"

#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"

void CDiscardSvcSocket::OnConnect(int error) {
  if (error != 0) {
    Fail(error);
    return;
  }
  PostProgress(svcmsg::kSending);
  if (SendAll(wire::kProbeText, static_cast<int>(wire::kProbeLength)))
    Succeed();
  else
    Fail(LastError());
}

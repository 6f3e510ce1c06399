#include "keepalive/CFTPSvcSocket.h"

#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"

void CFTPSvcSocket::OnConnect(int error) {
  if (error != 0) Fail(error);
}

void CFTPSvcSocket::OnConnecting() { PostProgress(svcmsg::kSending); }

void CFTPSvcSocket::OnReply(const char* data, int length) {
  if (wire::IsFtpGreeting(data, static_cast<size_t>(length)))
    Succeed();
  else
    FailNotGreeted();
}

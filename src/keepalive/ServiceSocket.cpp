#include "keepalive/ServiceSocket.h"

#include <cstring>

#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"

void CServiceSocket::Begin(const char* host, bool ownWebHost) {
  const size_t n = host ? strnlen(host, sizeof(currentHost_) - 1) : 0;
  if (n) std::memcpy(currentHost_, host, n);
  currentHost_[n] = '\0';
  ownWebHost_ = ownWebHost;
  inExchange_ = true;
}

int CServiceSocket::ConnectTo(const char* name, unsigned port) {
  if (port == 0 || port > 65535) return WSAEADDRNOTAVAIL;
  StartTimeLimit(kTimeLimitMs);
  const int rc = Connect(name, static_cast<unsigned short>(port));
  if (rc != 0 && rc != WSAEWOULDBLOCK) StopTimeLimit();
  return rc;
}

void CServiceSocket::Succeed() {
  if (!inExchange_) return;
  Close();
  context_.ReportResult(svcmsg::kSucceeded);
  if (ownWebHost_)
    context_.ReportHost(svcmsg::kPhaseOwnWebHostVisited, "");
  else
    context_.ReportHost(svcmsg::kPhaseSucceeded, currentHost_);
  Finish();
}

void CServiceSocket::Fail(int error) {
  if (!inExchange_) return;
  context_.ReportResult(svcmsg::FailureResult(error));
  Finish();
}

void CServiceSocket::FailNotGreeted() {
  if (!inExchange_) return;
  context_.ReportResult(svcmsg::kNotAGreeting);
  Finish();
}

void CServiceSocket::Finish() {
  Close();
  if (!inExchange_) return;
  inExchange_ = false;
  context_.Release();
}

void CServiceSocket::PostProgress(WPARAM phase) { context_.ReportProgress(phase); }

bool CServiceSocket::SendAll(const char* data, int length) {
  return Send(data, length) != SOCKET_ERROR;
}

bool CServiceSocket::SendProbeOnConnect(int error) {
  if (error != 0) {
    Fail(error);
    return false;
  }
  PostProgress(svcmsg::kSending);
  if (SendAll(wire::kProbeText, static_cast<int>(wire::kProbeLength))) return true;
  Fail(LastError());
  return false;
}

void CServiceSocket::OnReceive(int error) {
  if (!inExchange_) return;
  char reply[kReplyCapacity + 1];
  const int n = Receive(reply, kReplyCapacity);
  if (n == SOCKET_ERROR && LastError() == WSAEWOULDBLOCK) return;
  PostProgress(svcmsg::kReceiving);
  if (n == SOCKET_ERROR) {
    Fail(LastError());
    return;
  }
  if (n == 0) {  // closed without a reply
    Fail(WSAECONNABORTED);
    return;
  }
  OnReply(reply, n);
}

void CServiceSocket::OnClose(int error) { Fail(error != 0 ? error : WSAECONNABORTED); }

void CServiceSocket::OnTimeout() { Fail(WSAETIMEDOUT); }

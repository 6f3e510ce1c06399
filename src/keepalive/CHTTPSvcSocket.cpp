#include "keepalive/CHTTPSvcSocket.h"

#include "base/Trace.h"
#include "keepalive/ServiceMessages.h"
#include "keepalive/WireTexts.h"

void CHTTPSvcSocket::OnConnect(int error) {
  if (error != 0) {
    Fail(error);
    return;
  }
  std::string request;
  if (IsOwnWebHostVisit()) {
    // The visit is neither announced nor traced.
    request = wire::VisitRequest(netZeroStayOnline_ && netZeroStayOnline_());
  } else {
    PostProgress(svcmsg::kSending);
    request = wire::HttpRequestFor(CurrentHost());
    TraceLine(request.c_str());
  }
  if (!SendAll(request.data(), static_cast<int>(request.size()))) Fail(LastError());
}

void CHTTPSvcSocket::OnReply(const char* data, int length) {
  TraceLine(wire::ReplyTraceText(data, static_cast<size_t>(length)).c_str());
  Succeed();
}

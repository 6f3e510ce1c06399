#include "keepalive/ServiceSessions.h"

#include "base/Trace.h"
#include "keepalive/CDiscardSvcSocket.h"
#include "keepalive/CEchoSvcSocket.h"
#include "keepalive/CFTPSvcSocket.h"
#include "keepalive/CTimeSvrSvcSocket.h"
#include "keepalive/CUserSvcSocket.h"
#include "keepalive/ExchangePlan.h"
#include "keepalive/ServiceMessages.h"
#include "settings/SettingsStore.h"

namespace {

std::unique_ptr<CServiceSocket> MakeSocket(ServiceContext& context,
                                           CHTTPSvcSocket::StayOnlineReader netZero) {
  switch (context.kind) {
    case ServiceKind::Http: return std::make_unique<CHTTPSvcSocket>(context, std::move(netZero));
    case ServiceKind::Ftp: return std::make_unique<CFTPSvcSocket>(context);
    case ServiceKind::Echo: return std::make_unique<CEchoSvcSocket>(context);
    case ServiceKind::Discard: return std::make_unique<CDiscardSvcSocket>(context);
    case ServiceKind::TimeServer: return std::make_unique<CTimeSvrSvcSocket>(context);
    case ServiceKind::UserPort: return std::make_unique<CUserSvcSocket>(context);
  }
  return nullptr;
}

class SocketSession : public ServiceSession {
 public:
  SocketSession(ServiceContext& context, std::unique_ptr<CServiceSocket> socket)
      : context_(context), socket_(std::move(socket)) {}

  void OnRequest(const char* host, bool ownWebHost) override {
    // The busy flag already belongs to the exchange under way; a request
    // that arrives anyway must not take it over.
    if (socket_->InExchange()) return;
    const ExchangePlan plan = PlanExchange(context_.kind, host, ownWebHost);
    socket_->Begin(plan.currentHost.c_str(), plan.ownWebHost);
    if (plan.announce)
      context_.ReportHost(svcmsg::kPhaseConnecting, socket_->CurrentHost());
    if (!plan.proceed) {
      socket_->Finish();
      return;
    }
    if (plan.invalid) {
      // Nothing of it is sent; it fails as a name that cannot be resolved.
      TraceLine(socket_->CurrentHost());
      socket_->Fail(WSAEINVAL);
      return;
    }
    if (const int rc = socket_->Create(CServiceSocket::kExchangeEvents)) {
      socket_->Fail(rc);
      return;
    }
    if (plan.traceName) TraceLine(plan.connectName.c_str());
    const int rc = socket_->ConnectTo(plan.connectName.c_str(), plan.port);
    if (rc != 0 && rc != WSAEWOULDBLOCK) socket_->Fail(rc);
  }

 private:
  ServiceContext& context_;
  std::unique_ptr<CServiceSocket> socket_;
};

}  // namespace

std::unique_ptr<ServiceSession> CreateServiceSession(
    ServiceContext& context, CHTTPSvcSocket::StayOnlineReader netZeroStayOnline) {
  return std::make_unique<SocketSession>(context, MakeSocket(context, std::move(netZeroStayOnline)));
}

std::unique_ptr<ServiceSession> CreateServiceSession(ServiceContext& context) {
  return CreateServiceSession(context, [] {
    SettingsStore store;  // holds no state: safe to use on the worker thread
    return store.Read(settings::kNetZeroStayOnline) == 1;
  });
}

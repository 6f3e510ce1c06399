#pragma once
// What the six service sockets share: the current host, the service's busy
// flag and the controller window, and the one way an exchange ends.
//
// An exchange runs Begin -> (Create, ConnectTo by the worker) -> the
// notifications of the concrete class -> Succeed, Fail or Finish. Whatever
// the path, the socket is closed and the service released exactly once, and
// every exchange that got as far as connecting ends within kTimeLimitMs
// (scaled) with 10060 if nothing else ended it.
#include "keepalive/ServiceWorkers.h"
#include "win/AsyncSocket.h"

class CServiceSocket : public win::AsyncSocket {
 public:
  static constexpr DWORD kTimeLimitMs = 30000;
  static constexpr int kReplyCapacity = 65535;
  // The notifications an exchange uses. Write readiness is left out: no
  // socket waits for it, and each notice would cost the worker a wake-up.
  static constexpr long kExchangeEvents = FD_READ | FD_CONNECT | FD_CLOSE;

  explicit CServiceSocket(ServiceContext& context) : context_(context) {}

  ServiceKind kind() const { return context_.kind; }
  HWND controller() const { return context_.controller; }
  const char* CurrentHost() const { return currentHost_; }
  bool InExchange() const { return inExchange_; }

  // Takes over the claimed busy flag for a new exchange; `host` is cut to
  // 127 characters. `ownWebHost`: the visit of the program's own web host.
  void Begin(const char* host, bool ownWebHost = false);
  bool IsOwnWebHostVisit() const { return ownWebHost_; }
  // Starts the time limit and connects; the limit covers a name's look-up
  // too. 0 or WSAEWOULDBLOCK: under way.
  int ConnectTo(const char* name, unsigned port);

  // Endings. Each posts its result first, then closes and releases.
  void Succeed();
  void Fail(int error);
  void FailNotGreeted();
  // Ends without a result message.
  void Finish();

 protected:
  void PostProgress(WPARAM phase);
  // Sends in one call; false (with LastError) when the call failed.
  bool SendAll(const char* data, int length);
  // Start of the probe exchanges: a failed connect fails the exchange;
  // otherwise "sending" is posted and the probe sent. False once the
  // exchange has ended.
  bool SendProbeOnConnect(int error);

  // Reads the one reply (at most 64 KiB on this stack frame) and hands it to
  // OnReply; a read notification with nothing to read is ignored.
  void OnReceive(int error) override;
  virtual void OnReply(const char* data, int length) { Succeed(); }
  // The peer went away before the exchange ended.
  void OnClose(int error) override;
  void OnTimeout() override;

 private:
  ServiceContext& context_;
  char currentHost_[ServiceWorkers::kHostCapacity] = {};
  bool inExchange_ = false;
  bool ownWebHost_ = false;
};

#pragma once
// An asynchronous IPv4 stream socket whose notifications arrive as virtual
// calls on the thread that created it: WSAAsyncSelect reports to a hidden
// message-only window of that thread, so that thread's message loop must
// keep dispatching while a connection is in use.
//
// Lifecycle: Create() -> Connect() -> notifications -> Close(), and the same
// object may be created again. Create, Close and destruction belong to the
// owning thread; do not destroy the object inside one of its notifications.
//
// Fences: once Close() returns, no notification of the closed socket reaches
// the object: its selection is cancelled, notifications already queued find
// the socket closed, and every creation reports under a message number of
// its own, so a new socket that reuses the old handle value never sees the
// old one's.
// OnConnect and OnClose come at most once per socket. A read notification
// may find nothing to read (Receive then fails with WSAEWOULDBLOCK). When
// the peer closes with data still unread, OnReceive comes first, then
// OnClose if the handler left the socket open.
#include <winsock2.h>
#include <windows.h>

#include <memory>

#include "win/ResolveHost.h"

namespace win {

class AsyncSocket {
 public:
  // Read, write, out-of-band, accept, connect and close.
  static constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
  // Each creation reports to the notification window under one of these
  // message numbers, in turn.
  static constexpr UINT kNotifyFirst = WM_APP + 0x400;
  static constexpr UINT kNotifyCount = 16;
  // The answer of a name look-up.
  static constexpr UINT kLookupMessage = kNotifyFirst + kNotifyCount;

  AsyncSocket();
  virtual ~AsyncSocket();
  AsyncSocket(const AsyncSocket&) = delete;
  AsyncSocket& operator=(const AsyncSocket&) = delete;

  // A stream socket (bound to any local port by its connect). Returns 0 or
  // the Winsock error.
  int Create(long events = kAllEvents);
  // Returns 0 when connected at once (OnConnect still follows),
  // WSAEWOULDBLOCK while the connection is under way, or the error. An
  // empty name gives WSAEINVAL at once. A name is looked up on a thread of
  // its own (the caller is not held): the connection is made when the
  // answer arrives, and a name that cannot be resolved comes back as
  // OnConnect(WSAEINVAL). Close() abandons a look-up in flight.
  int Connect(const char* host, unsigned short port);
  // Bytes sent or received, or SOCKET_ERROR with the error in LastError().
  int Send(const void* data, int length);
  int Receive(void* buffer, int size);
  void Close();

  bool IsOpen() const { return socket_ != INVALID_SOCKET; }
  int LastError() const { return lastError_; }
  SOCKET handle() const { return socket_; }
  HWND notifyWindow() const;
  UINT notifyMessage() const { return message_; }

  // OnTimeout after `ms` (scaled) unless stopped or closed first. Needs a
  // created socket. The socket's one timer is set by the first limit and
  // keeps running while limits follow each other, so a limit per exchange
  // costs no timer call.
  bool StartTimeLimit(DWORD ms);
  void StopTimeLimit();

 protected:
  virtual void OnConnect(int error) {}
  // The connect call has been made (right away for an address, after the
  // look-up for a name) and did not fail.
  virtual void OnConnecting() {}
  virtual void OnSend(int error) {}
  virtual void OnReceive(int error) {}
  virtual void OnClose(int error) {}
  virtual void OnTimeout() {}

 private:
  class NotifyWindow;
  bool EnsureWindow();
  void OnNotify(UINT message, WPARAM wp, LPARAM lp);
  void OnTimer(UINT_PTR id);
  void DeliverClose(int error);
  int ConnectToAddress(const in_addr& address, unsigned short port);
  void OnLookupDone(WPARAM serial);
  void DeliverConnectFailure(int error);
  bool OnOwnerThread() const;

  std::unique_ptr<NotifyWindow> window_;
  DWORD ownerThread_ = 0;
  SOCKET socket_ = INVALID_SOCKET;
  unsigned generation_ = 0;
  UINT message_ = 0;
  bool connectSeen_ = false;
  bool closeSeen_ = false;
  static constexpr UINT_PTR kLimitTimer = 1;
  bool SetTimerAt(DWORD ms, DWORD now);
  void StopLimitTimer();
  static DWORD Remaining(DWORD deadline, DWORD now);
  bool limitArmed_ = false;
  bool limitStarted_ = false;  // a limit started since the previous tick
  DWORD limitDeadline_ = 0;    // GetTickCount at which the armed limit ends
  DWORD limitPeriod_ = 0;
  bool timerRunning_ = false;
  DWORD timerMs_ = 0;
  DWORD nextTick_ = 0;
  HostLookup lookup_;
  unsigned short lookupPort_ = 0;
  int lastError_ = 0;
};

}  // namespace win

#pragma once
// A small blocking POP3 client for the MSN mail check: log in, ask for the
// mailbox statistics, quit. Nothing is read or deleted. It runs on its
// caller's thread and blocks it while it talks to the server.
//
// Lifecycle: Connect -> Statistics (optional) -> Disconnect; destruction
// disconnects a connection still open.
//
// Every reply wait ends kReplyTimeoutMs (scaled) after the last data with
// last error 10060, and the whole check (look-up, connect, greeting, every
// command and its reply, QUIT) ends kCheckLimitMs (scaled) after Connect
// began, also with 10060, however the server trickles its bytes. A reply
// that is not positive gives 10043 (its text in LastResponse), a host that
// cannot be resolved 10022, a reply that never ends its line within 64 KiB
// 10040, a server that closes before ending its reply 10053, and a login or
// password that does not fit the 128-byte command (or holds a line break)
// 10040 without being sent. After a reply that did not end (too long, timed
// out, cut), what the server sends next would be read as the rest of it, so
// Disconnect then sends QUIT and closes without waiting for an answer.
#include <string>

#include "keepalive/Pop3Protocol.h"
#include "keepalive/Pop3Socket.h"

class Pop3Connection {
 public:
  static constexpr unsigned short kPort = 110;
  static constexpr DWORD kReplyTimeoutMs = 2000;
  static constexpr DWORD kCheckLimitMs = 15000;

  enum ConnectResult { kFailed = 0, kLoggedIn = 1, kNoLogin = 2 };

  Pop3Connection() = default;
  ~Pop3Connection();
  Pop3Connection(const Pop3Connection&) = delete;
  Pop3Connection& operator=(const Pop3Connection&) = delete;

  // 0 failed (and closed again), 1 logged in (or a login without a password
  // was sent), 2 greeted but no login configured, so nothing was sent.
  int Connect(const std::string& host, const std::string& login, const std::string& password,
              unsigned short port = kPort);
  // STAT: true only when the reply gave both numbers.
  bool Statistics(unsigned long& mails, unsigned long& totalSize);
  // QUIT if connected; the socket is closed in every case. The result of
  // reading QUIT's reply, false when not connected.
  bool Disconnect();

  // Ends every wait of the check at once once `event` is set (Exit): the
  // check then fails with WSAEINTR. Null: none.
  void SetAbortEvent(HANDLE event) { socket_.SetAbortEvent(event); }

  bool IsConnected() const { return connected_; }
  unsigned long MailCount() const { return mails_; }
  int LastError() const { return lastError_; }
  const std::string& LastResponse() const { return lastResponse_; }

 private:
  int FailConnect();
  // Real milliseconds left of the check's limit.
  DWORD Remaining() const;
  bool SendCommand(const char* verb, const std::string& argument);
  bool ReadReply(std::size_t initialSize, std::string* text = nullptr);

  Pop3Socket socket_;
  bool connected_ = false;
  unsigned long mails_ = 0;
  std::string lastResponse_;
  std::string pending_;  // bytes that came after the last reply's line end
  int lastError_ = 0;
  DWORD checkStart_ = 0;
  bool inStep_ = true;  // the last reply ended where the next one begins
};

#pragma once
// A blocking IPv4 stream socket for the POP3 client, with a bounded wait for
// readability instead of a busy poll.
#include <winsock2.h>
#include <windows.h>

class Pop3Socket {
 public:
  Pop3Socket() = default;
  ~Pop3Socket() { Close(); }
  Pop3Socket(const Pop3Socket&) = delete;
  Pop3Socket& operator=(const Pop3Socket&) = delete;

  bool Create();
  // 0 or the Winsock error; a name that cannot be resolved (or none) gives
  // WSAEINVAL. Blocks the caller for the look-up and the connect, together
  // at most `ms` (real, already scaled); past that, WSAETIMEDOUT.
  int Connect(const char* host, unsigned short port, DWORD ms);
  // Sends every byte; false with LastError() on failure.
  bool SendAll(const char* data, int length);
  // Bytes received (0 when the peer closed) or SOCKET_ERROR.
  int Receive(char* buffer, int size);
  // 1 readable, 0 still not after `ms` (real, already scaled), -1 failed.
  int WaitReadable(DWORD ms);
  // An event that, once set, ends every wait at once with WSAEINTR (the
  // program is ending). Null: none.
  void SetAbortEvent(HANDLE event) { abort_ = event; }
  void Close();
  // Ends sending, drops whatever has already arrived without waiting for
  // more, and closes: the peer sees an orderly end rather than a reset for
  // data we never read.
  void CloseDiscardingInput();

  bool IsOpen() const { return socket_ != INVALID_SOCKET; }
  int LastError() const { return lastError_; }

 private:
  int WaitConnected(DWORD ms);
  // select() over at most `ms`, in slices short enough to see the abort event.
  int SelectWithin(fd_set* readable, fd_set* writable, fd_set* failed, DWORD ms);
  bool Aborted() const;

  SOCKET socket_ = INVALID_SOCKET;
  HANDLE abort_ = nullptr;
  int lastError_ = 0;
};

#include "keepalive/Pop3Socket.h"

#include <algorithm>

#include "win/ResolveHost.h"

bool Pop3Socket::Create() {
  Close();
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ == INVALID_SOCKET) {
    lastError_ = WSAGetLastError();
    return false;
  }
  return true;
}

int Pop3Socket::Connect(const char* host, unsigned short port, DWORD ms) {
  if (!IsOpen()) return lastError_ = WSAENOTSOCK;
  const DWORD start = GetTickCount();
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (const int rc = win::ResolveHostWithin(host, ms, addr.sin_addr, abort_)) return lastError_ = rc;
  // Non-blocking for the connect only, so that it too ends at the deadline.
  u_long nonBlocking = 1;
  if (ioctlsocket(socket_, FIONBIO, &nonBlocking) == SOCKET_ERROR) return lastError_ = WSAGetLastError();
  int rc = 0;
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR) {
    rc = WSAGetLastError();
    if (rc == WSAEWOULDBLOCK) rc = WaitConnected(ms - std::min(ms, GetTickCount() - start));
  }
  u_long blocking = 0;
  if (rc == 0 && ioctlsocket(socket_, FIONBIO, &blocking) == SOCKET_ERROR) rc = WSAGetLastError();
  return lastError_ = rc;
}

bool Pop3Socket::Aborted() const { return abort_ && WaitForSingleObject(abort_, 0) == WAIT_OBJECT_0; }

int Pop3Socket::SelectWithin(fd_set* readable, fd_set* writable, fd_set* failed, DWORD ms) {
  constexpr DWORD kSliceMs = 50;
  const fd_set r = readable ? *readable : fd_set{}, w = writable ? *writable : fd_set{},
               f = failed ? *failed : fd_set{};
  const DWORD start = GetTickCount();
  for (;;) {
    if (Aborted()) {
      WSASetLastError(WSAEINTR);
      return SOCKET_ERROR;
    }
    const DWORD elapsed = GetTickCount() - start;
    const DWORD left = elapsed >= ms ? 0 : ms - elapsed;
    const DWORD slice = abort_ ? std::min(left, kSliceMs) : left;
    if (readable) *readable = r;
    if (writable) *writable = w;
    if (failed) *failed = f;
    timeval tv = {static_cast<long>(slice / 1000), static_cast<long>((slice % 1000) * 1000)};
    const int n = select(0, readable, writable, failed, &tv);
    if (n != 0 || left <= slice) return n;
  }
}

int Pop3Socket::WaitConnected(DWORD ms) {
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket_, &writable);
  FD_SET(socket_, &failed);
  const int n = SelectWithin(nullptr, &writable, &failed, ms);
  if (n == SOCKET_ERROR) return WSAGetLastError();
  if (n == 0) return WSAETIMEDOUT;
  if (FD_ISSET(socket_, &writable)) return 0;
  int error = 0;
  int length = sizeof(error);
  getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
  return error ? error : WSAECONNREFUSED;
}

bool Pop3Socket::SendAll(const char* data, int length) {
  while (length > 0) {
    const int n = IsOpen() ? send(socket_, data, length, 0) : SOCKET_ERROR;
    if (n == SOCKET_ERROR) {
      lastError_ = IsOpen() ? WSAGetLastError() : WSAENOTSOCK;
      return false;
    }
    data += n;
    length -= n;
  }
  return true;
}

int Pop3Socket::Receive(char* buffer, int size) {
  if (!IsOpen()) {
    lastError_ = WSAENOTSOCK;
    return SOCKET_ERROR;
  }
  const int n = recv(socket_, buffer, size, 0);
  if (n == SOCKET_ERROR) lastError_ = WSAGetLastError();
  return n;
}

int Pop3Socket::WaitReadable(DWORD ms) {
  if (!IsOpen()) {
    lastError_ = WSAENOTSOCK;
    return -1;
  }
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket_, &set);
  const int rc = SelectWithin(&set, nullptr, nullptr, ms);
  if (rc == SOCKET_ERROR) {
    lastError_ = WSAGetLastError();
    return -1;
  }
  return rc > 0 ? 1 : 0;
}

void Pop3Socket::CloseDiscardingInput() {
  if (socket_ == INVALID_SOCKET) return;
  shutdown(socket_, SD_SEND);
  u_long nonBlocking = 1;
  ioctlsocket(socket_, FIONBIO, &nonBlocking);
  char sink[4096];
  for (int i = 0; i < 64 && recv(socket_, sink, sizeof(sink), 0) > 0; ++i) {
  }
  Close();
}

void Pop3Socket::Close() {
  if (socket_ == INVALID_SOCKET) return;
  closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

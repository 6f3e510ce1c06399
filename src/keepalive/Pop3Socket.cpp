#include "keepalive/Pop3Socket.h"

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

int Pop3Socket::Connect(const char* host, unsigned short port) {
  if (!IsOpen()) return lastError_ = WSAENOTSOCK;
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (!win::ResolveHost(host, addr.sin_addr)) return lastError_ = WSAEINVAL;
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR)
    return lastError_ = WSAGetLastError();
  return 0;
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
  timeval tv = {static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
  const int rc = select(0, &set, nullptr, nullptr, &tv);
  if (rc == SOCKET_ERROR) {
    lastError_ = WSAGetLastError();
    return -1;
  }
  return rc > 0 ? 1 : 0;
}

void Pop3Socket::Close() {
  if (socket_ == INVALID_SOCKET) return;
  closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

#include "BareExchange.h"

#include "keepalive/WireTexts.h"

namespace bench {
namespace {

constexpr UINT kSocketMessage = WM_APP + 50;

sockaddr_in AddressOf(const char* address, unsigned short port) {
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = inet_addr(address);
  return addr;
}

}  // namespace

std::string RequestOf(int service, const char* host) {
  if (service == 0) return wire::HttpRequestFor(host);
  if (service == 1) return {};
  return std::string(wire::kProbeText, wire::kProbeLength);
}

bool ReadsReply(int service) { return service != 3 && service != 5; }

bool BlockingExchange(int service, const char* address, unsigned short port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return false;
  const sockaddr_in addr = AddressOf(address, port);
  bool ok = connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == 0;
  const std::string out = RequestOf(service, address);
  if (ok && !out.empty())
    ok = send(s, out.data(), static_cast<int>(out.size()), 0) == static_cast<int>(out.size());
  if (ok && ReadsReply(service)) {
    static char buffer[65536];
    ok = recv(s, buffer, sizeof(buffer) - 1, 0) > 0;
  }
  closesocket(s);
  return ok;
}

AsyncExchange::AsyncExchange() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &AsyncExchange::Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TetherlyBenchAsync";
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

AsyncExchange::~AsyncExchange() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK AsyncExchange::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<AsyncExchange*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && msg == kSocketMessage) {
    self->OnEvent(wp, lp);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool AsyncExchange::Run(int service, const char* address, unsigned short port) {
  service_ = service;
  request_ = RequestOf(service, address);
  done_ = ok_ = false;
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ == INVALID_SOCKET) return false;
  WSAAsyncSelect(socket_, window_, kSocketMessage, FD_CONNECT | FD_READ | FD_CLOSE);
  const sockaddr_in addr = AddressOf(address, port);
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    Finish(false);
    return false;
  }
  const DWORD start = GetTickCount();
  while (!done_ && GetTickCount() - start < 10000) {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (!done_) Finish(false);
  return ok_;
}

void AsyncExchange::OnEvent(WPARAM wp, LPARAM lp) {
  if (done_ || static_cast<SOCKET>(wp) != socket_) return;
  if (WSAGETSELECTERROR(lp) != 0) {
    Finish(false);
    return;
  }
  switch (WSAGETSELECTEVENT(lp)) {
    case FD_CONNECT:
      if (!request_.empty() &&
          send(socket_, request_.data(), static_cast<int>(request_.size()), 0) == SOCKET_ERROR) {
        Finish(false);
        return;
      }
      if (!ReadsReply(service_)) Finish(true);
      break;
    case FD_READ: {
      static char buffer[65536];
      const int n = recv(socket_, buffer, sizeof(buffer) - 1, 0);
      if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) return;
      Finish(n > 0);
      break;
    }
    case FD_CLOSE:
      Finish(false);
      break;
  }
}

void AsyncExchange::Finish(bool ok) {
  if (socket_ != INVALID_SOCKET) {
    WSAAsyncSelect(socket_, window_, 0, 0);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
    // A later socket may get the same handle: none of this one's notices may reach it.
    MSG stale;
    while (PeekMessageA(&stale, window_, kSocketMessage, kSocketMessage, PM_REMOVE)) {
    }
  }
  ok_ = ok;
  done_ = true;
}

}  // namespace bench

#include "win/AsyncSocket.h"

#include "win/Clock.h"
#include "win/Window.h"

namespace win {
namespace {

constexpr char kClassName[] = "TetherlyAsyncSocket";
// A close with unread data: at most this many reads are offered first.
constexpr int kMaxReadsAtClose = 64;

}  // namespace

class AsyncSocket::NotifyWindow : public Window {
 public:
  explicit NotifyWindow(AsyncSocket& owner) : owner_(owner) {}

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg >= kNotifyFirst && msg < kNotifyFirst + kNotifyCount) {
      owner_.OnNotify(msg, wp, lp);
      return true;
    }
    if (msg == WM_TIMER) {
      owner_.OnTimer(wp);
      return true;
    }
    if (msg == kLookupMessage) {
      owner_.OnLookupDone(wp);
      return true;
    }
    return false;
  }

 private:
  AsyncSocket& owner_;
};

AsyncSocket::AsyncSocket() = default;

AsyncSocket::~AsyncSocket() {
  if (!window_ || OnOwnerThread()) {
    Close();
    window_.reset();
    return;
  }
  // Torn down from another thread (a worker that never ended): close the
  // handle, cut the window loose from this object and let its own thread
  // destroy it.
  if (socket_ != INVALID_SOCKET) {
    WSAAsyncSelect(socket_, window_->hwnd(), 0, 0);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  if (HWND hwnd = window_->hwnd()) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
  (void)window_.release();  // its destructor could only fail on this thread
}

HWND AsyncSocket::notifyWindow() const { return window_ ? window_->hwnd() : nullptr; }

bool AsyncSocket::OnOwnerThread() const { return ownerThread_ == GetCurrentThreadId(); }

bool AsyncSocket::EnsureWindow() {
  if (window_) return OnOwnerThread() && window_->hwnd() != nullptr;
  auto window = std::make_unique<NotifyWindow>(*this);
  if (!window->Create(kClassName, "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr)) return false;
  window_ = std::move(window);
  ownerThread_ = GetCurrentThreadId();
  return true;
}

int AsyncSocket::Create(long events) {
  Close();
  if (!EnsureWindow()) return lastError_ = WSAENOBUFS;
  // Not bound here: the connect binds it to any local port, one call fewer
  // (each is a round trip through the Wine server).
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return lastError_ = WSAGetLastError();
  ++generation_;
  message_ = kNotifyFirst + generation_ % kNotifyCount;
  if (WSAAsyncSelect(s, window_->hwnd(), message_, events) == SOCKET_ERROR) {
    lastError_ = WSAGetLastError();
    closesocket(s);
    return lastError_;
  }
  socket_ = s;
  connectSeen_ = false;
  closeSeen_ = false;
  return 0;
}

int AsyncSocket::Connect(const char* host, unsigned short port) {
  if (!IsOpen()) return lastError_ = WSAENOTSOCK;
  if (!host || !*host) return lastError_ = WSAEINVAL;
  in_addr address = {};
  if (ParseDottedAddress(host, address)) return ConnectToAddress(address, port);
  if (const int rc = lookup_.Start(host, window_->hwnd(), kLookupMessage)) return lastError_ = rc;
  lookupPort_ = port;
  return lastError_ = WSAEWOULDBLOCK;
}

int AsyncSocket::ConnectToAddress(const in_addr& address, unsigned short port) {
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr = address;
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == 0) {
    // Connected at once: report it the usual way, so callers have one path.
    PostMessageA(window_->hwnd(), message_, static_cast<WPARAM>(socket_),
                 WSAMAKESELECTREPLY(FD_CONNECT, 0));
    OnConnecting();
    return 0;
  }
  lastError_ = WSAGetLastError();
  if (lastError_ == WSAEWOULDBLOCK) OnConnecting();
  return lastError_;
}

void AsyncSocket::OnLookupDone(WPARAM serial) {
  in_addr address = {};
  int error = 0;
  if (!lookup_.Finish(serial, address, error) || !IsOpen()) return;
  if (error != 0) {
    DeliverConnectFailure(error);
    return;
  }
  const int rc = ConnectToAddress(address, lookupPort_);
  if (rc != 0 && rc != WSAEWOULDBLOCK) DeliverConnectFailure(rc);
}

void AsyncSocket::DeliverConnectFailure(int error) {
  if (connectSeen_) return;
  connectSeen_ = true;
  OnConnect(error);
}

int AsyncSocket::Send(const void* data, int length) {
  if (!IsOpen()) {
    lastError_ = WSAENOTSOCK;
    return SOCKET_ERROR;
  }
  int n = send(socket_, static_cast<const char*>(data), length, 0);
  if (n == SOCKET_ERROR) lastError_ = WSAGetLastError();
  return n;
}

int AsyncSocket::Receive(void* buffer, int size) {
  if (!IsOpen()) {
    lastError_ = WSAENOTSOCK;
    return SOCKET_ERROR;
  }
  int n = recv(socket_, static_cast<char*>(buffer), size, 0);
  if (n == SOCKET_ERROR) lastError_ = WSAGetLastError();
  return n;
}

void AsyncSocket::Close() {
  StopTimeLimit();
  lookup_.Cancel();
  if (socket_ == INVALID_SOCKET) return;
  // Closing ends the selection too. What it already queued is not looked
  // for (a fetch per exchange): it comes before anything that could create
  // the socket again, and finds it closed.
  closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

// One timer per socket, set once and left running while exchanges follow
// each other: every limit is a deadline kept here, and each tick either ends
// the limit that has run out, aims the next tick at a deadline that would
// otherwise be passed, or, when no limit started since the previous tick,
// stops the timer (an idle socket costs nothing).
bool AsyncSocket::StartTimeLimit(DWORD ms) {
  limitArmed_ = false;
  if (!IsOpen() || !window_ || !window_->hwnd()) return false;
  const DWORD period = ScaledMs(ms);
  const DWORD now = GetTickCount();
  limitDeadline_ = now + period;
  limitPeriod_ = period;
  limitStarted_ = true;
  // A running timer whose next tick comes by the deadline is left alone.
  if (!timerRunning_ || Remaining(nextTick_, now) > period) {
    if (!SetTimerAt(period, now)) return false;
  }
  limitArmed_ = true;
  return true;
}

void AsyncSocket::StopTimeLimit() { limitArmed_ = false; }

bool AsyncSocket::SetTimerAt(DWORD ms, DWORD now) {
  if (!StartTimerScaled(window_->hwnd(), kLimitTimer, ms)) {
    timerRunning_ = false;
    return false;
  }
  timerRunning_ = true;
  timerMs_ = ms;
  nextTick_ = now + ms;
  return true;
}

void AsyncSocket::StopLimitTimer() {
  if (timerRunning_ && window_ && window_->hwnd()) KillTimer(window_->hwnd(), kLimitTimer);
  timerRunning_ = false;
}

DWORD AsyncSocket::Remaining(DWORD deadline, DWORD now) {
  const DWORD left = deadline - now;
  return static_cast<LONG>(left) > 0 ? left : 0;
}

void AsyncSocket::OnTimer(UINT_PTR id) {
  if (id != kLimitTimer || !timerRunning_) {
    if (window_ && window_->hwnd()) KillTimer(window_->hwnd(), id);
    return;
  }
  DWORD now = GetTickCount();
  if (limitArmed_ && Remaining(limitDeadline_, now) == 0) {
    limitArmed_ = false;
    if (IsOpen()) OnTimeout();
    if (!window_ || !window_->hwnd()) return;
    now = GetTickCount();
  }
  if (limitArmed_) {
    // A limit started between two ticks: aim at its deadline.
    const DWORD left = Remaining(limitDeadline_, now);
    if (left != timerMs_) SetTimerAt(left, now);
    else nextTick_ = now + timerMs_;
  } else if (limitStarted_) {
    if (timerMs_ != limitPeriod_) SetTimerAt(limitPeriod_, now);
    else nextTick_ = now + timerMs_;
  } else {
    StopLimitTimer();
  }
  limitStarted_ = limitArmed_;
}

void AsyncSocket::OnNotify(UINT message, WPARAM wp, LPARAM lp) {
  if (!IsOpen() || message != message_ || static_cast<SOCKET>(wp) != socket_) return;
  const int error = WSAGETSELECTERROR(lp);
  switch (WSAGETSELECTEVENT(lp)) {
    case FD_CONNECT:
      if (connectSeen_) return;
      connectSeen_ = true;
      OnConnect(error);
      break;
    case FD_WRITE:
      OnSend(error);
      break;
    case FD_READ:
      OnReceive(error);
      break;
    case FD_CLOSE:
      if (closeSeen_) return;
      closeSeen_ = true;
      DeliverClose(error);
      break;
    default:
      break;
  }
}

void AsyncSocket::DeliverClose(int error) {
  const unsigned generation = generation_;
  if (error == 0) {
    for (int i = 0; i < kMaxReadsAtClose; ++i) {
      u_long pending = 0;
      if (ioctlsocket(socket_, FIONREAD, &pending) == SOCKET_ERROR || pending == 0) break;
      OnReceive(0);
      if (!IsOpen() || generation_ != generation) return;
      u_long after = 0;
      if (ioctlsocket(socket_, FIONREAD, &after) == SOCKET_ERROR || after == pending) break;
    }
  }
  if (IsOpen() && generation_ == generation) OnClose(error);
}

}  // namespace win

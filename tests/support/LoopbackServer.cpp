#include "support/LoopbackServer.h"

#include <algorithm>

namespace testing_support {
namespace {

constexpr long kPollMs = 20;

bool Poll(SOCKET s, bool forWrite) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv = {0, kPollMs * 1000};
  int rc = forWrite ? select(0, nullptr, &set, nullptr, &tv) : select(0, &set, nullptr, nullptr, &tv);
  return rc > 0;
}

}  // namespace

Script HttpScript(std::string reply) { return {ReceiveUntil("\n\n"), Send(std::move(reply))}; }
Script FtpScript(std::string greeting) { return {Send(std::move(greeting)), Hold()}; }
Script EchoScript() { return {Echo()}; }
Script DiscardScript() { return {Hold()}; }
Script DaytimeScript() { return {Send("Mon Jun  3 12:00:00 2024\r\n")}; }
Script Pop3Script(int lines) {
  Script s = {Send("+OK Tetherly loopback POP3\r\n")};
  for (int i = 0; i < lines; ++i) {
    s.push_back(ReceiveLine());
    s.push_back(Send("+OK 0 0\r\n"));
  }
  s.push_back(Hold());
  return s;
}

Script Dialogue(std::initializer_list<const char*> replies) {
  Script s;
  bool first = true;
  for (const char* r : replies) {
    if (!first) s.push_back(ReceiveLine());
    s.push_back(Send(r));
    first = false;
  }
  s.push_back(Hold());
  return s;
}

LoopbackServer::~LoopbackServer() { Stop(); }

int LoopbackServer::Start(const char* address, unsigned short port, Script script) {
  script_ = std::move(script);
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return WSAGetLastError();
  BOOL reuse = TRUE;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = inet_addr(address);
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == SOCKET_ERROR ||
      listen(s, SOMAXCONN) == SOCKET_ERROR) {
    int error = WSAGetLastError();
    closesocket(s);
    return error;
  }
  listener_ = s;
  stop_ = false;
  thread_ = CreateThread(nullptr, 0, &LoopbackServer::Main, this, 0, nullptr);
  if (!thread_) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return WSAENOBUFS;
  }
  return 0;
}

void LoopbackServer::Stop() {
  stop_ = true;
  if (thread_) {
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (listener_ != INVALID_SOCKET) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
  }
}

void LoopbackServer::OpenGate() { gate_ = true; }

std::vector<std::string> LoopbackServer::Connections() {
  win::LockGuard g(lock_);
  return received_;
}

int LoopbackServer::ConnectionCount() {
  win::LockGuard g(lock_);
  return connections_;
}

int LoopbackServer::FinishedCount() {
  win::LockGuard g(lock_);
  return finished_;
}

int LoopbackServer::PeerEnding(int connection) {
  win::LockGuard g(lock_);
  if (connection < 0 || connection >= static_cast<int>(endings_.size())) return -1;
  return endings_[connection];
}

std::string LoopbackServer::Received(int connection) {
  win::LockGuard g(lock_);
  if (connection < 0 || connection >= static_cast<int>(received_.size())) return {};
  return received_[connection];
}

bool LoopbackServer::WaitForConnections(int count, DWORD ms) {
  const DWORD start = GetTickCount();
  while (ConnectionCount() < count) {
    if (GetTickCount() - start > ms) return false;
    Sleep(5);
  }
  return true;
}

bool LoopbackServer::WaitForFinished(int count, DWORD ms) {
  const DWORD start = GetTickCount();
  while (FinishedCount() < count) {
    if (GetTickCount() - start > ms) return false;
    Sleep(5);
  }
  return true;
}

DWORD WINAPI LoopbackServer::Main(void* self) {
  static_cast<LoopbackServer*>(self)->Serve();
  return 0;
}

void LoopbackServer::Serve() {
  while (!stop_) {
    if (!Poll(listener_, false)) continue;
    SOCKET s = accept(listener_, nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    size_t index = 0;
    {
      win::LockGuard g(lock_);
      ++connections_;
      if (keepRecords_ || received_.empty()) {
        received_.emplace_back();
        endings_.push_back(-1);
      }
      if (keepRecords_) index = received_.size() - 1;
      else {
        received_[0].clear();
        endings_[0] = -1;
      }
    }
    RunScript(s, index);
    {
      win::LockGuard g(lock_);
      ++finished_;
    }
  }
}

size_t LoopbackServer::RecordedSize(size_t index) {
  win::LockGuard g(lock_);
  return received_[index].size();
}

bool LoopbackServer::WaitReadable(SOCKET s) {
  while (!stop_)
    if (Poll(s, false)) return true;
  return false;
}

bool LoopbackServer::ReadSome(SOCKET s, size_t index) {
  if (!WaitReadable(s)) return false;
  char buffer[4096];
  int n = recv(s, buffer, sizeof(buffer), 0);
  const int error = n < 0 ? WSAGetLastError() : 0;
  win::LockGuard g(lock_);
  if (n <= 0) {
    endings_[index] = error;
    return false;
  }
  received_[index].append(buffer, n);
  return true;
}

bool LoopbackServer::SendAll(SOCKET s, const char* data, int length) {
  while (length > 0 && !stop_) {
    if (!Poll(s, true)) continue;
    int n = send(s, data, length, 0);
    if (n == SOCKET_ERROR) return false;
    data += n;
    length -= n;
  }
  return length == 0;
}

void LoopbackServer::RunScript(SOCKET s, size_t index) {
  size_t consumed = 0;  // bytes already taken by line and text waits
  bool open = true;
  for (const Step& step : script_) {
    if (!open || stop_) break;
    switch (step.kind) {
      case Step::kSend:
        open = SendAll(s, step.text.data(), static_cast<int>(step.text.size()));
        break;
      case Step::kSendBytewise:
        for (char c : step.text) {
          if (!(open = SendAll(s, &c, 1))) break;
          if (step.gapMs) Sleep(step.gapMs);
        }
        break;
      case Step::kReceive: {
        const size_t before = RecordedSize(index);
        while (open && RecordedSize(index) == before) open = ReadSome(s, index);
        consumed = RecordedSize(index);
        break;
      }
      case Step::kReceiveLine:
      case Step::kReceiveUntil: {
        const std::string want = step.kind == Step::kReceiveLine ? "\n" : step.text;
        for (;;) {
          std::string seen = Received(static_cast<int>(index));
          size_t at = seen.find(want, step.kind == Step::kReceiveLine ? consumed : 0);
          if (at != std::string::npos) {
            consumed = std::max(consumed, at + want.size());
            break;
          }
          if (!(open = ReadSome(s, index))) break;
        }
        break;
      }
      case Step::kHold:
        while (ReadSome(s, index)) {
        }
        open = false;
        break;
      case Step::kWaitGate:
        while (!gate_ && !stop_) Sleep(5);
        break;
      case Step::kReset: {
        linger hard = {1, 0};
        setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof(hard));
        closesocket(s);
        return;
      }
      case Step::kClose:
        open = false;
        break;
      case Step::kSendForever:
        while (open && !stop_)
          open = SendAll(s, step.text.data(), static_cast<int>(step.text.size()));
        break;
      case Step::kEcho: {
        char buffer[4096];
        while (WaitReadable(s)) {
          int n = recv(s, buffer, sizeof(buffer), 0);
          if (n <= 0) break;
          {
            win::LockGuard g(lock_);
            received_[index].append(buffer, n);
          }
          if (!SendAll(s, buffer, n)) break;
        }
        open = false;
        break;
      }
    }
  }
  closesocket(s);
}

}  // namespace testing_support

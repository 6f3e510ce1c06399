#include "keepalive/Pop3Connection.h"

#include <algorithm>
#include <cstring>

#include "win/Clock.h"

namespace {

constexpr std::size_t kCommandReplySize = 1000;
constexpr std::size_t kStatReplySize = 100;
constexpr std::size_t kGrowthStep = 4096;

}  // namespace

Pop3Connection::~Pop3Connection() {
  if (connected_) Disconnect();
}

int Pop3Connection::Connect(const std::string& host, const std::string& login,
                            const std::string& password, unsigned short port) {
  Disconnect();
  pending_.clear();
  inStep_ = true;
  checkStart_ = GetTickCount();
  if (!socket_.Create()) {
    lastError_ = socket_.LastError();
    return kFailed;
  }
  if (const int rc = socket_.Connect(host.c_str(), port, Remaining())) {
    lastError_ = rc;
    socket_.Close();
    return kFailed;
  }
  connected_ = true;
  if (!ReadReply(kCommandReplySize)) return FailConnect();
  if (login.empty()) return kNoLogin;
  if (!SendCommand("USER", login) || !ReadReply(kCommandReplySize)) return FailConnect();
  if (password.empty()) return kLoggedIn;
  if (!SendCommand("PASS", password) || !ReadReply(kCommandReplySize)) return FailConnect();
  return kLoggedIn;
}

int Pop3Connection::FailConnect() {
  // QUIT still goes out, but the caller learns why the login failed.
  const int error = lastError_;
  std::string response = lastResponse_;
  Disconnect();
  lastError_ = error;
  lastResponse_ = std::move(response);
  return kFailed;
}

bool Pop3Connection::Statistics(unsigned long& mails, unsigned long& totalSize) {
  std::string reply;
  if (!SendCommand("STAT", {}) || !ReadReply(kStatReplySize, &reply)) return false;
  unsigned long m = 0, s = 0;
  if (!pop3::ParseStat(reply, m, s)) return false;
  mails_ = m;
  mails = m;
  totalSize = s;
  return true;
}

DWORD Pop3Connection::Remaining() const {
  const DWORD limit = win::ScaledMs(kCheckLimitMs);
  const DWORD elapsed = GetTickCount() - checkStart_;
  return elapsed >= limit ? 0 : limit - elapsed;
}

bool Pop3Connection::Disconnect() {
  bool result = false;
  if (connected_) {
    const bool sent = SendCommand("QUIT", {});
    if (sent && inStep_) result = ReadReply(kCommandReplySize);
    connected_ = false;
    mails_ = 0;
  }
  if (inStep_)
    socket_.Close();
  else
    socket_.CloseDiscardingInput();
  return result;
}

bool Pop3Connection::SendCommand(const char* verb, const std::string& argument) {
  std::string command;
  if (!pop3::FormatCommand(verb, argument, command)) {
    lastError_ = WSAEMSGSIZE;
    return false;
  }
  if (!socket_.SendAll(command.data(), static_cast<int>(command.size()))) {
    lastError_ = socket_.LastError();
    return false;
  }
  return true;
}

bool Pop3Connection::ReadReply(std::size_t initialSize, std::string* text) {
  pop3::ReplyReader reader(initialSize, kGrowthStep);
  using State = pop3::ReplyReader::State;
  // What the server sent beyond the previous reply comes first.
  std::size_t used = 0;
  while (used < pending_.size() && reader.state() == State::More) {
    const std::size_t n = std::min(reader.RoomSize(), pending_.size() - used);
    std::memcpy(reader.Room(), pending_.data() + used, n);
    reader.Commit(n);
    used += n;
  }
  pending_.erase(0, used);

  // Until the reply has ended, the stream is between two replies no more.
  inStep_ = false;
  const DWORD timeout = win::ScaledMs(kReplyTimeoutMs);
  DWORD lastData = GetTickCount();
  while (reader.state() == State::More) {
    const DWORD waited = GetTickCount() - lastData;
    const DWORD left = Remaining();
    if (waited >= timeout || left == 0) {
      lastError_ = WSAETIMEDOUT;
      lastResponse_ = std::string(reader.Text());
      return false;
    }
    const int ready = socket_.WaitReadable(std::min(timeout - waited, left));
    if (ready < 0) {
      lastError_ = socket_.LastError();
      return false;
    }
    if (ready == 0) continue;
    const int n = socket_.Receive(reader.Room(), static_cast<int>(reader.RoomSize()));
    if (n == SOCKET_ERROR) {
      lastError_ = socket_.LastError();
      return false;
    }
    if (n == 0) {  // closed before the line ended: nothing more can come
      lastError_ = WSAECONNABORTED;
      lastResponse_ = std::string(reader.Text());
      return false;
    }
    lastData = GetTickCount();
    reader.Commit(static_cast<std::size_t>(n));
  }
  if (reader.state() != State::TooLong) inStep_ = true;
  pending_.append(reader.Rest());
  switch (reader.state()) {
    case State::Positive:
      if (text) *text = std::string(reader.Text());
      return true;
    case State::Negative:
      lastError_ = WSAEPROTONOSUPPORT;
      lastResponse_ = std::string(reader.Text());
      return false;
    default:  // too long
      lastError_ = WSAEMSGSIZE;
      lastResponse_ = std::string(reader.Text());
      return false;
  }
}

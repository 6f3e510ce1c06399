#include "support/TestHarness.h"

#include "base/Trace.h"
#include "win/Clock.h"
#include "win/Lock.h"

namespace testing_support {
namespace {

win::Lock& TraceLock() {
  static win::Lock lock;
  return lock;
}

std::vector<std::string>& TraceLines() {
  static std::vector<std::string> lines;
  return lines;
}

void RecordTrace(const char* text) {
  win::LockGuard g(TraceLock());
  TraceLines().push_back(text ? text : "");
}

// As the trace window does: a clear empties the log.
void ClearTrace(const char*) {
  win::LockGuard g(TraceLock());
  TraceLines().clear();
}

}  // namespace

WinsockSession::WinsockSession() {
  WSADATA data;
  ok_ = WSAStartup(0x0101, &data) == 0;
}

WinsockSession::~WinsockSession() {
  if (ok_) WSACleanup();
}

TraceRecorder::TraceRecorder() {
  Clear();
  SetTraceSink(&RecordTrace, &ClearTrace);
}

TraceRecorder::~TraceRecorder() { SetTraceSink(nullptr); }

std::vector<std::string> TraceRecorder::Lines() {
  win::LockGuard g(TraceLock());
  return TraceLines();
}

void TraceRecorder::Clear() {
  win::LockGuard g(TraceLock());
  TraceLines().clear();
}

DWORD OpenHandleCount() {
  // Handle values are multiples of 4, handed out from the lowest free one.
  constexpr ULONG_PTR kHighest = 0x20000;
  DWORD count = 0;
  for (ULONG_PTR value = 4; value <= kHighest; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

TimeScale::TimeScale(double scale) : previous_(win::TimeScale()) { win::SetTimeScale(scale); }

TimeScale::~TimeScale() { win::SetTimeScale(previous_); }

}  // namespace testing_support

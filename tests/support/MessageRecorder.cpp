#include "support/MessageRecorder.h"

#include <algorithm>
#include <cstdio>

#include "keepalive/ServiceMessages.h"

namespace testing_support {

Recorded Progress(int phase) {
  return {svcmsg::kExchangeProgress, static_cast<WPARAM>(phase), 0, {}};
}
Recorded Result(ServiceKind kind, LPARAM result) {
  return {svcmsg::kServiceResult, static_cast<WPARAM>(ServiceIndex(kind)), result, {}};
}
Recorded Failure(ServiceKind kind, int error) {
  return Result(kind, svcmsg::FailureResult(error));
}
Recorded Host(int phase, ServiceKind kind, std::string text) {
  return {svcmsg::kCurrentHost, static_cast<WPARAM>(phase * 65536 + ServiceIndex(kind)), 0,
          std::move(text)};
}

std::string Describe(const Recorded& r) {
  char line[256];
  if (r.message == svcmsg::kCurrentHost)
    std::snprintf(line, sizeof(line), "host(phase %u, service %u, \"%s\")",
                  static_cast<unsigned>(r.wParam >> 16), static_cast<unsigned>(r.wParam & 0xFFFF),
                  r.host.c_str());
  else if (r.message == svcmsg::kServiceResult)
    std::snprintf(line, sizeof(line), "result(service %u, lParam %#lx)",
                  static_cast<unsigned>(r.wParam), static_cast<unsigned long>(r.lParam));
  else if (r.message == svcmsg::kExchangeProgress)
    std::snprintf(line, sizeof(line), "progress(%u)", static_cast<unsigned>(r.wParam));
  else
    std::snprintf(line, sizeof(line), "message %#x(%#lx, %#lx)", r.message,
                  static_cast<unsigned long>(r.wParam), static_cast<unsigned long>(r.lParam));
  return line;
}

std::string Describe(const std::vector<Recorded>& list) {
  std::string out;
  for (const Recorded& r : list) out += "  " + Describe(r) + "\n";
  return out;
}

bool MessageRecorder::Create() {
  return win::Window::Create("TetherlyTestController", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr);
}

std::vector<Recorded> MessageRecorder::For(ServiceKind kind, bool withProgress) const {
  std::vector<Recorded> out;
  for (const Recorded& r : messages_) {
    if (r.message == svcmsg::kExchangeProgress) {
      if (withProgress) out.push_back(r);
    } else if (static_cast<int>(r.wParam & 0xFFFF) == ServiceIndex(kind)) {
      out.push_back(r);
    }
  }
  return out;
}

int MessageRecorder::CountResults(ServiceKind kind) const {
  int n = 0;
  for (const Recorded& r : messages_)
    if (r.message == svcmsg::kServiceResult && static_cast<int>(r.wParam) == ServiceIndex(kind))
      ++n;
  return n;
}

bool MessageRecorder::PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, ms - elapsed), QS_ALLINPUT);
  }
}

void MessageRecorder::Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool MessageRecorder::WaitForResults(ServiceKind kind, int count, DWORD ms) {
  return PumpUntil([&] { return CountResults(kind) >= count; }, ms);
}

bool MessageRecorder::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (onMessage) onMessage(msg, wp, lp);
  if (msg == svcmsg::kCurrentHost) {
    auto text = svcmsg::TakeCurrentHost(lp);
    messages_.push_back({msg, wp, 0, text.get()});
    if (onRecorded) onRecorded(messages_.back());
    return true;
  }
  if (msg == svcmsg::kExchangeProgress || msg == svcmsg::kServiceResult) {
    messages_.push_back({msg, wp, lp, {}});
    return true;
  }
  return false;
}

}  // namespace testing_support

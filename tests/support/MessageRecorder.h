#pragma once
// A stand-in controller window: records what the workers and sockets post
// to it (exchange progress, service results, current hosts with their
// texts), in arrival order, and pumps the test thread's messages until a
// condition holds.
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "settings/ServiceKind.h"
#include "win/Window.h"

namespace testing_support {

struct Recorded {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string host;  // the text of a current-host message

  bool operator==(const Recorded& o) const {
    return message == o.message && wParam == o.wParam && lParam == o.lParam && host == o.host;
  }
};

// Expected entries, written the way the messages read.
Recorded Progress(int phase);
Recorded Result(ServiceKind kind, LPARAM result);
Recorded Failure(ServiceKind kind, int error);
Recorded Host(int phase, ServiceKind kind, std::string text);

std::string Describe(const Recorded& r);
// For gtest's failure output.
inline void PrintTo(const Recorded& r, std::ostream* os);
std::string Describe(const std::vector<Recorded>& list);

class MessageRecorder : public win::Window {
 public:
  bool Create();

  const std::vector<Recorded>& messages() const { return messages_; }
  void Clear() { messages_.clear(); }
  // Messages about one service (progress messages carry no service and are
  // attributed to the exchange in flight, so pass them through).
  std::vector<Recorded> For(ServiceKind kind, bool withProgress = true) const;
  int CountResults(ServiceKind kind) const;

  // Dispatches this thread's messages until `done` or `ms` real ms.
  static bool PumpUntil(const std::function<bool()>& done, DWORD ms = 15000);
  // Handles every message already queued for this thread.
  static void Drain();
  bool WaitForResults(ServiceKind kind, int count, DWORD ms = 15000);

  // Called for every message the window receives, before recording.
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;
  // Called for each current-host message with its text.
  std::function<void(const Recorded&)> onRecorded;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  std::vector<Recorded> messages_;
};

inline void PrintTo(const Recorded& r, std::ostream* os) { *os << Describe(r); }

}  // namespace testing_support

#pragma once
// The MSN mail check (watcher thread, controller timer 18): logs in to the
// configured POP3 server on port 110 and asks for the mailbox statistics, so
// the MSN session looks in use. Blocks its caller for the exchange, which the
// POP3 client bounds as a whole (about 15 s at real time); ending the
// environment's waits (Exit) ends it at once.
//
// It owns the POP3-failed flag: set when a check could not connect, cleared
// by a check that did and by the controller (user-interface thread) when it
// rearranges the MSN timers. While it is set the MSN watcher leaves the tray
// showing the failure.
#include <atomic>

#include "watchers/WatcherEnv.h"

namespace watch {

class MsnMailCheck {
 public:
  explicit MsnMailCheck(WatcherEnv env);
  void CheckMSNMail();

  bool pop3Failed() const { return pop3Failed_.load() != 0; }
  void ClearPop3Failed() { pop3Failed_.store(0); }

 private:
  WatcherEnv env_;
  std::atomic<long> pop3Failed_{0};
};

}  // namespace watch

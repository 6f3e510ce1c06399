#pragma once
// One sign-on per client at a time, whichever thread asks: the claim holds
// the client's flag for its scope; a second claim while it is held fails.
#include "win/Lock.h"

namespace watch {

class SignOnClaim {
 public:
  explicit SignOnClaim(win::GuardedFlag& running) : running_(running), claimed_(running.TryClaim()) {}
  ~SignOnClaim() {
    if (claimed_) running_.Set(0);
  }
  SignOnClaim(const SignOnClaim&) = delete;
  SignOnClaim& operator=(const SignOnClaim&) = delete;
  bool claimed() const { return claimed_; }

 private:
  win::GuardedFlag& running_;
  bool claimed_;
};

}  // namespace watch

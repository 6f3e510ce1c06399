#pragma once
// A critical section and its scope guard. Never held across a post, a send
// or a sleep: the other side of a busy flag may be waiting for it.
#include <windows.h>

namespace win {

class Lock {
 public:
  Lock() { InitializeCriticalSection(&cs_); }
  ~Lock() { DeleteCriticalSection(&cs_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  void Enter() { EnterCriticalSection(&cs_); }
  void Leave() { LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class LockGuard {
 public:
  explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

 private:
  Lock& lock_;
};

// A 32-bit flag that is only ever read and written inside its own lock.
class GuardedFlag {
 public:
  LONG Get() {
    LockGuard g(lock_);
    return value_;
  }
  void Set(LONG v) {
    LockGuard g(lock_);
    value_ = v;
  }
  // Sets the flag to 1 if it was 0; returns whether it did.
  bool TryClaim() {
    LockGuard g(lock_);
    if (value_ != 0) return false;
    value_ = 1;
    return true;
  }

 private:
  Lock lock_;
  LONG value_ = 0;
};

}  // namespace win

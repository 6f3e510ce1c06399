#pragma once
// The program's one random generator: a 15-bit linear congruential
// generator. Host choice, intervals, the mouse walk and host seeding all draw
// from the same instance, on the user-interface thread. Its sequence is part
// of observable behaviour (which host follows which), so the constants are fixed.
#include <cstdint>

class Random15 {
 public:
  static constexpr std::uint32_t kMultiplier = 214013u;
  static constexpr std::uint32_t kIncrement = 2531011u;

  void Seed(std::uint32_t seed) { state_ = seed; }
  // A draw between 0 and 32767.
  int Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }
  std::uint32_t state() const { return state_; }

  // The process-wide instance; starts at state 1 at every program start.
  static Random15& Shared();

 private:
  std::uint32_t state_ = 1;
};

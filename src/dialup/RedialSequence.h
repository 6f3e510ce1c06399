#pragma once
// When the dial dialog tries again by itself ("Reconnect" 1): after a line
// drop, and after a dial that ended in an error, with growing pauses (10 s,
// 30 s, 1 min, 2 min, then 5 min between every later try). A connection that
// comes up starts the pauses from the first again. A refused login is not
// hammered: after three refusals in a row the sequence stops, so the program
// never locks an account. The user's own Dial, Hang Up, Cancel or Exit ends
// a sequence; the next one starts from the first pause.
// Portable: no <windows.h>.
#include <cstdint>
#include <string>

namespace dialup {

// The library's answers for a refused user name or password (or an account
// that may not dial in now), as the dialog shows them.
bool IsLoginRefusal(std::uint32_t code);

class RedialSequence {
 public:
  static constexpr int kLoginRefusalsToStop = 3;

  // A connection came up.
  void Connected();
  // The user took over, or the sequence stopped.
  void End();
  // The line dropped without the user hanging up: seconds before the redial.
  int Dropped();
  // A dial ended without connecting, with the error `code` shown for it (0
  // when the line went down before it came up): seconds before the next
  // try, or 0 to stop trying.
  int Failed(std::uint32_t code);

  int tries() const { return tries_; }
  int loginRefusals() const { return loginRefusals_; }

 private:
  int NextPause();

  int tries_ = 0;          // pauses started since the last connection
  int loginRefusals_ = 0;  // refused logins in a row
};

// The progress text when the sequence stops after refused logins: first the
// note that it stopped (so a long error text cannot push it out of sight),
// then the error text.
std::string RedialStoppedText(const std::string& errorText);

}  // namespace dialup

#include "dialup/RedialSequence.h"

namespace dialup {
namespace {

constexpr int kPausesSeconds[] = {10, 30, 60, 120, 300};
constexpr int kPauseCount = sizeof(kPausesSeconds) / sizeof(kPausesSeconds[0]);

}  // namespace

bool IsLoginRefusal(std::uint32_t code) {
  switch (code) {
    case 646:  // not allowed to log on at this time of day
    case 647:  // account disabled
    case 648:  // password expired
    case 649:  // no dial-in permission
    case 691:  // user name or password not valid
    case 708:  // account expired
    case 709:  // password could not be changed
      return true;
    default:
      return false;
  }
}

void RedialSequence::Connected() { End(); }

void RedialSequence::End() {
  tries_ = 0;
  loginRefusals_ = 0;
}

int RedialSequence::NextPause() {
  const int pause = kPausesSeconds[tries_ < kPauseCount ? tries_ : kPauseCount - 1];
  if (tries_ < kPauseCount) ++tries_;
  return pause;
}

int RedialSequence::Dropped() {
  loginRefusals_ = 0;
  return NextPause();
}

int RedialSequence::Failed(std::uint32_t code) {
  loginRefusals_ = IsLoginRefusal(code) ? loginRefusals_ + 1 : 0;
  if (loginRefusals_ >= kLoginRefusalsToStop) {
    End();
    return 0;
  }
  return NextPause();
}

std::string RedialStoppedText(const std::string& errorText) {
  return "Redialing stopped: the login was refused " + std::to_string(RedialSequence::kLoginRefusalsToStop) +
         " times in a row.\n" + errorText;
}

}  // namespace dialup

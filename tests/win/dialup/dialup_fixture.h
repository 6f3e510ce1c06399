#pragma once
// What the dial-up tests share: an empty registry with the profile "Loopback
// ISP", the simulated library reset, a hundredth of real time, and every
// message box and notice recorded instead of shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"
#include "support/SimulatedRas.h"
#include "support/TestHarness.h"

struct Box {
  std::string text, caption;
  UINT type;
};

struct Notice {
  std::string text;
  UINT iconKind, helpTopic;
};

class DialUpTest : public ::testing::Test {
 protected:
  static constexpr const char* kProfile = "Loopback ISP";

  DialUpTest();
  ~DialUpTest() override;

  // The simulated library's own text for a code.
  static std::string LibraryText(DWORD code) {
    return "Simulated dial-up error " + std::to_string(code) + ".";
  }
  bool TraceMentions(const std::string& part) const;

  testing_support::RegistrySandbox sandbox_;
  testing_support::TimeScale scale_{0.01};
  testing_support::SimulatedRas sim_;
  testing_support::TraceRecorder trace_;
  SettingsStore store_;
  std::vector<Box> boxes_;
  std::vector<Notice> notices_;
  // Called for each box as it comes up (the dial is still inside it); its
  // answer is the button pressed. Unset: OK.
  std::function<int(const Box&)> onBox_;
};

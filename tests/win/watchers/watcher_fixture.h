#pragma once
// The AOL and CompuServe 2000 watchers against the stand-in client, on an
// empty registry, at a hundredth of real time. Boxes are recorded and
// answered; tray looks and trace lines are recorded; a small window stands in
// for the controller and keeps the welcome and advertisement flags as the
// controller does.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"
#include "support/StandInClient.h"
#include "support/TestHarness.h"
#include "watchers/AolWatcher.h"
#include "watchers/AsideBoxes.h"
#include "watchers/Cs2000Watcher.h"
#include "watchers/WindowPress.h"
#include "win/Lock.h"
#include "win/MessageBox.h"
#include "win/Window.h"

// Records 32785 and 32786 in arrival order and keeps their flags.
class ControllerStandIn : public win::Window {
 public:
  bool Create();
  std::vector<std::string> posts;  // "32785 1", ...
  long welcomeDone = 0;
  long advertisementDone = 0;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

struct Box {
  HWND owner;
  std::string text, caption;
  UINT type;
  DWORD thread;
};

class WatcherTest : public ::testing::Test {
 protected:
  WatcherTest();
  ~WatcherTest() override;

  // One tick of timer 4 / 14 as the controller runs it, in one send scope.
  void TickAol(bool autoRedial = false);
  void TickCs2000(bool autoRedial = false);
  // Handles what the scans posted to the controller stand-in.
  void Drain();
  // What the watchers get: looks recorded, the fixture's waits and boxes.
  watch::WatcherEnv Env();

  void Write(const settings::DwordSetting& s, DWORD v) { store_.Write(s, v); }
  void Write(const settings::StringSetting& s, const std::string& v) { store_.Write(s, v); }
  std::vector<std::string> Trace() const { return testing_support::TraceRecorder::Lines(); }
  // Expected messages of one press, "<id> <MESSAGE> <wParam> <lParam>".
  static std::vector<std::string> SpacePressOf(const std::string& id);
  static std::vector<std::string> FocusSpacePressOf(const std::string& id);
  static std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts);
  std::vector<std::string> Received(size_t from = 0) const { return client_.Received(from); }
  // The boxes so far, read under their lock (a box may be shown on another thread).
  size_t BoxCount();
  std::vector<Box> Boxes();

  testing_support::RegistrySandbox sandbox_;
  testing_support::TimeScale scale_{0.01};
  testing_support::TraceRecorder trace_;
  SettingsStore store_;
  std::vector<Box> boxes_;
  std::vector<int> looks_;
  // What the box handler does besides recording; returns the answer.
  std::function<int(const Box&)> onBox_;

  win::Lock boxLock_;
  watch::LaunchWaits waits_;
  win::MessageBoxEnder ender_;
  watch::AsideBoxes aside_{ender_};
  watch::PromptFlags prompts_;
  std::unique_ptr<watch::AolWatcher> aol_;
  std::unique_ptr<watch::Cs2000Watcher> cs_;
  watch::HungThreads tick_;
  ControllerStandIn controller_;
  testing_support::StandInClient client_;

 private:
  win::MessageBoxHandler savedHandler_;
};

#pragma once
// A controller with every seam wired to a recorder, on an empty registry,
// at a hundredth of real time.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/StatusReportDlg.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest();
  ~ControllerTest() override;

  // Stores settings, then builds and creates the controller.
  void Start();
  void Write(const settings::DwordSetting& setting, DWORD value) { store_.Write(setting, value); }

  bool Saw(const std::string& event) const;
  int Count(const std::string& event) const;
  void ClearEvents() { events_.clear(); }
  int LastLook() const { return lastLook_; }
  std::string ItemText(int id) const;
  void ShowRows();
  bool WaitFor(const std::string& event, DWORD limitMs = 10000);

  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
  ControllerOptions options_;
  std::unique_ptr<StatusReportDlg> dlg_;
  std::vector<std::string> events_;
  std::vector<int> looks_;
  int lastLook_ = 0;
  std::string lastLookText_;
  bool connected_ = false;
  bool intervalArmed_ = false;
  bool dialDialogExists_ = false;
  bool dialing_ = false;
  int addLook_ = 0;
  double savedScale_ = 1.0;
};

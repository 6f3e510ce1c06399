#pragma once
// The configuration UI on the sandboxed registry: every message box and
// file dialog is recorded and answered here, the Advanced Configurations
// dialog opens modeless so tests can reach into its pages, and a hidden
// window stands in for the owner of modal runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "config/CConfigurationsDlg.h"
#include "settings/SettingsStore.h"
#include "support/MessagePump.h"
#include "support/ModalScript.h"
#include "support/RegistrySandbox.h"
#include "res/resource.h"
#include "win/Page.h"

struct SeenBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

class ConfigTest : public ::testing::Test {
 protected:
  ConfigTest();
  ~ConfigTest() override;

  // The dialog, modeless, on what the registry holds now.
  CConfigurationsDlg& Open(ProfileLister lister = {});
  void Close();

  std::vector<std::string> BoxTexts() const;
  // BM_CLICK on a control of a page or dialog.
  static void Click(const win::Dialog& dialog, int id);
  static void Type(const win::Dialog& dialog, int id, const std::string& text);
  static bool Checked(const win::Dialog& dialog, int id) { return dialog.IsChecked(id); }
  static bool Enabled(const win::Dialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != 0; }
  static bool Shown(const win::Dialog& dialog, int id) {
    return (GetWindowLongA(dialog.Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  DWORD Stored(const settings::DwordSetting& setting) const { return store_.Read(setting); }
  std::string Stored(const settings::StringSetting& setting) const;
  // Whether a value exists at all, in either copy of the settings (a missing
  // one reads as its default).
  static bool Exists(const char* key, const char* name);
  // How many values the program's key holds in one copy, keys below it included.
  static int ValueCount(HKEY root);

  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
  std::vector<SeenBox> boxes_;
  int boxAnswer_ = 0;  // 0: OK, or No for a question
  std::string fileToOpen_;  // empty: the file dialog is cancelled
  std::vector<std::string> fileDefaults_;
  HWND owner_ = nullptr;  // a hidden top-level window
  std::unique_ptr<CConfigurationsDlg> dlg_;
};

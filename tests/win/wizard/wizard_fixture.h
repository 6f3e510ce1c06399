#pragma once
// The Configuration Wizard on the sandboxed registry, driven from inside its
// own modal loop: every message box, file dialog and mail link is recorded
// and answered here, and the registry can be dumped whole to compare.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/CConfigWizPSheet.h"
#include "config/CConfigWizPage.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "support/RegistrySandbox.h"

struct SeenBox {
  HWND owner;
  std::string text;
  UINT type;
  HWND focusAfter;  // filled in by the next step that looks
};

// Every value under the program's key (path\name -> type and bytes), and the
// program's Run entry, in the machine's copy or the user's.
using RegistryDump = std::map<std::string, std::pair<DWORD, std::string>>;
RegistryDump DumpProgramRegistry(HKEY root = HKEY_LOCAL_MACHINE);
// The values that differ between two dumps, as "path\name" (added, changed
// or removed).
std::vector<std::string> Changed(const RegistryDump& before, const RegistryDump& after);

// What a script does with the wizard while it runs.
class WizardDriver {
 public:
  WizardDriver(CConfigWizPSheet& wizard, HWND sheet) : wizard_(wizard), sheet_(sheet) {}
  HWND sheet() const { return sheet_; }
  CConfigWizPSheet& wizard() { return wizard_; }
  // The page shown now, as its template number (0: none).
  int Current() const;
  HWND Page() const;
  // The templates of the pages in the sheet, in order.
  std::vector<int> Pages() const;
  void Click(int id) const;
  void Type(int id, const std::string& text) const;
  void Choose(int combo, int index) const;
  std::string Text(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  bool Shown(int id) const;
  // Presses a wizard button; Next and Back return the template shown after.
  int Next() const;
  int Back() const;
  void Finish() const;
  void Cancel() const;
  // The sheet's enabled wizard buttons (PSWIZB_*), read from the buttons.
  DWORD Buttons() const;

 private:
  CConfigWizPSheet& wizard_;
  HWND sheet_;
};

class WizardTest : public ::testing::Test {
 protected:
  WizardTest();
  ~WizardTest() override;

  // Runs the wizard modally (owned by a hidden window); `script` runs inside
  // its loop once it is shown and should end it. Returns what Run returned.
  INT_PTR RunWizard(const std::function<void(WizardDriver&)>& script, bool firstRun = false);

  std::vector<std::string> BoxTexts() const;

  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
  std::vector<SeenBox> boxes_;
  std::vector<std::string> filesAsked_;
  std::string fileToOpen_;
  std::vector<std::string> linksOpened_;
  ProfileLister lister_;
  HWND owner_ = nullptr;
  bool scriptRan_ = false;
};

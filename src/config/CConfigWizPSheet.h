#pragma once
// "Configuration Wizard": a wizard-mode property sheet that starts with the
// main page (the choice of ISP) and appends the pages of the chosen path as
// the user goes on. The pages put their answers into the sheet; only Finish
// writes, all at once through the settings store.
//
// Lifecycle: construct (page objects, no windows) -> Run(owner), modal ->
// pages are appended and removed as the user goes Next and Back -> Finish
// (the finish page writes) or Cancel (nothing written) end it; Run returns
// ID_WIZFINISH (12325) after Finish, else IDCANCEL. CancelFromOutside ends
// a running wizard, and whatever it has opened, as its Cancel button would.
#include <windows.h>

#include <memory>
#include <vector>

#include "config/CPageISPDialerDlg.h"
#include "config/WizardAnswers.h"
#include "settings/SettingsStore.h"

class CConfigWizPage;
class CConfigWizMain;

class CConfigWizPSheet {
 public:
  static constexpr INT_PTR kFinished = 12325;  // ID_WIZFINISH

  CConfigWizPSheet(SettingsStore& store, ProfileLister listProfiles, bool firstRun);
  ~CConfigWizPSheet();
  CConfigWizPSheet(const CConfigWizPSheet&) = delete;
  CConfigWizPSheet& operator=(const CConfigWizPSheet&) = delete;

  INT_PTR Run(HWND owner);
  void CancelFromOutside();

  HWND hwnd() const { return hwnd_; }
  bool firstRun() const { return firstRun_; }
  config::WizardAnswers& answers() { return answers_; }
  SettingsStore& store() { return store_; }
  // Lists the phonebook entries (0, or the error that kept them from being listed).
  DWORD ListProfiles(std::vector<std::string>& names) const;

  // The pages in the order the sheet shows them.
  const std::vector<CConfigWizPage*>& pages() const { return pages_; }
  CConfigWizPage* CurrentPage() const;
  void Append(CConfigWizPage& page);
  // Removes every page after `page`, from the last one back.
  void RemoveAfter(const CConfigWizPage& page);
  // Finish: writes the answers; true when every write worked. A failure is
  // told once, naming each value that could not be saved and why.
  bool WriteAnswers();

 private:
  static int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM lp);
  static LRESULT CALLBACK SheetSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

  SettingsStore& store_;
  ProfileLister listProfiles_;
  bool firstRun_;
  config::WizardAnswers answers_;
  std::unique_ptr<CConfigWizMain> main_;
  std::vector<CConfigWizPage*> pages_;
  HWND hwnd_ = nullptr;
  bool finished_ = false;
};

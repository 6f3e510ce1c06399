#pragma once
// What every page of the Configuration Wizard shares on top of win::Page:
// the sheet with the collected answers, the page's picture (static 1153,
// drawn transparently), the wizard buttons it shows, and the Next and Finish
// steps. A page never writes a setting: Next puts its answers into the sheet
// and Finish writes them all.
//
// Lifecycle: constructed with its owner page (no window); the sheet makes
// its window when the page is first shown after being appended, OnLoad then
// fills it from the store; PSN_SETACTIVE each time it is shown; PSN_WIZNEXT
// asks OnNext (false: stay on the page). Removing the page from the sheet
// destroys its window; appending it again loads it afresh.
#include <windows.h>
#include <prsht.h>

#include "config/WizardAnswers.h"
#include "settings/SettingsStore.h"
#include "win/Page.h"

class CConfigWizPSheet;

class CConfigWizPage : public win::Page {
 public:
  CConfigWizPage(int templateId, CConfigWizPSheet& sheet) : win::Page(templateId), sheet_(sheet) {}

 protected:
  // The wizard buttons while the page is shown: Back and Next by default.
  virtual DWORD Buttons() const { return PSWIZB_BACK | PSWIZB_NEXT; }
  virtual int PictureId() const = 0;
  // Each time the page is shown, after its buttons are set.
  virtual void OnSetActive() {}
  // Next: checks and stores the answers and appends what follows; false
  // (after a message, with the focus on the field to mend) keeps the page.
  virtual bool OnNext() { return true; }
  // Finish: true lets the wizard end.
  virtual bool OnFinish() { return true; }

  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  SaveResult OnSave() final { return SaveResult::Saved; }

  // Refusals: the message (the configuration UI's box), then the focus to
  // `controlId` with its text selected. Always false, for `return Refuse(...)`.
  bool Refuse(int controlId, const char* text, UINT type = MB_OK);
  bool Refuse(int controlId, const std::string& text, UINT type = MB_OK) { return Refuse(controlId, text.c_str(), type); }
  // Over-long texts are refused, never cut: false after the message.
  bool Fits(int controlId, std::size_t maxChars);
  // A Yes/No pair: checks one of the two.
  void SetYes(int yesId, int noId, bool yes);

  config::WizardAnswers& answers();
  SettingsStore& store();
  CConfigWizPSheet& sheet_;

 private:
  bool OnNotify(const NMHDR& header, INT_PTR& result);
};

#pragma once
// What every page of the Advanced Configurations dialog shares on top of
// win::Page: the settings store, the other pages (for the rules that tie
// pages together), the message route, and the length and number checks
// that refuse a save.
//
// Lifecycle: as win::Page. `pages` is null when a page is used outside the
// Advanced Configurations dialog; the rules between pages then do nothing.
#include <windows.h>

#include <string>

#include "config/ConfigTexts.h"
#include "settings/SettingsStore.h"
#include "win/Page.h"

struct PageSet;

class ConfigPage : public win::Page {
 public:
  ConfigPage(int templateId, SettingsStore& store, PageSet* pages)
      : win::Page(templateId), store_(store), pages_(pages) {}

 protected:
  int Say(const std::string& text, UINT type = MB_OK) const;
  // Shows `message` and refuses the save, pointing at `controlId`.
  SaveResult RefuseWith(int controlId, const std::string& message, UINT type = MB_OK | MB_ICONEXCLAMATION);
  // For OnSave: reads a number field; false (after the framework's message)
  // when it is not a whole number from `low` to `high`.
  bool ReadNumber(int controlId, long low, long high, long& value, SaveResult& refusal);
  // For OnSave: false (after the message) when a text is longer than `maxChars`.
  bool FitsLength(int controlId, std::size_t maxChars, SaveResult& refusal);
  static SaveResult WrittenIf(bool allWritten) { return allWritten ? SaveResult::Saved : SaveResult::Failed; }
  // The start-with-Windows pair: "WinStart" = 1 and the Run entry.
  bool WriteWinStartOn();
  // A write made at once by a click, not by a save; true when it worked.
  // A failure is told to the user at once (there is no save to fail).
  bool WroteAtOnce(bool written);
  bool IsInConfigurations() const { return pages_ != nullptr; }

  SettingsStore& store_;
  PageSet* pages_;
};

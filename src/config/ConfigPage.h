#pragma once
// What every page of the Advanced Configurations dialog shares on top of
// win::Page: the settings store, the other pages (for the rules that tie
// pages together), the message route, and the length and number checks
// that refuse a save.
//
// Lifecycle: as win::Page. `pages` is null when a page is used outside the
// Advanced Configurations dialog; the rules between pages then do nothing.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

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

  // ---- What the page loaded ----
  // A save writes a value only when the page now holds something other than
  // what it loaded (or last wrote), so a value the page cannot show
  // faithfully (a text outside the ANSI code page, a flag other than 0 or 1)
  // survives every save that does not touch it. A value never noted counts
  // as changed.
  void Loaded(const settings::DwordSetting& setting, DWORD shown);
  void Loaded(const settings::StringSetting& setting, const std::string& shown);
  void Loaded(const std::string& what, const std::string& shown);
  void Forget(const std::string& what) { loaded_.erase(what); }
  bool Differs(const settings::DwordSetting& setting, DWORD now) const;
  bool Differs(const std::string& what, const std::string& now) const;
  // Write when the value differs from what was loaded; true when written or
  // unchanged.
  bool WriteIfNew(const settings::DwordSetting& setting, DWORD value);
  bool WriteIfNew(const settings::StringSetting& setting, const std::string& text);
  // Values written together: `write` runs when `now` differs.
  bool WriteIfNew(const std::string& what, const std::string& now, const std::function<bool()>& write);
  static std::string Named(const settings::DwordSetting& setting);
  static std::string Named(const settings::StringSetting& setting);
  static std::string Joined(const std::vector<std::string>& texts);
  // Checks the box when the flag is 1 and notes what it shows.
  void LoadBox(int id, const settings::DwordSetting& setting);

  BOOL OnInitDialog() override;

  SettingsStore& store_;
  PageSet* pages_;

 private:
  std::map<std::string, std::string> loaded_;
};

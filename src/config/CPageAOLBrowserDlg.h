#pragma once
// "Browser Options" of the AOL category (template 307): an AOL site to open
// and a web address to open in an outside browser after signing on, each
// from its own list. Usable only while the AOL sign-on page launches AOL;
// the lists are seeded with their built-in entries the first time.
#include "config/ConfigPage.h"

class CPageAOLBrowserDlg : public ConfigPage {
 public:
  CPageAOLBrowserDlg(SettingsStore& store, PageSet* pages);
  void FollowSignOn();

 protected:
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

 private:
  void LoadList(settings::SiteList list, int check, int combo);
  std::vector<std::string> EntriesToStore(int combo) const;
  std::string ShownList(int combo) const;
  bool SaveList(settings::SiteList list, int check, int combo);
  void EditList(const config::ListEditUse& use, int combo);
};

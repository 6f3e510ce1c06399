#pragma once
// What the AOL and CompuServe 2000 "Sign-on Options" pages share: working
// with the client, launching it from a program path, launching it at
// start-up, signing on with a screen name from a list. They differ in ids,
// texts and settings (SignOnLayout) and in what follows them.
#include "config/ConfigPage.h"

struct SignOnLayout {
  settings::SignOnClient client;
  int stayOnline, launch, path, browse, atStartup, signOn, useName;
  int advanced;  // 0: no advanced options button
  const char* browseDefaultName;
  const char* pathNeeded;
  const settings::DwordSetting& stayOnlineSetting;
  const settings::DwordSetting& launchSetting;
  const settings::DwordSetting& dialAtStartup;
  const settings::DwordSetting& signOnSetting;
  const settings::DwordSetting& autoRedial;
  const settings::DwordSetting& useNameSetting;
};

class CSignOnPage : public ConfigPage {
 public:
  bool IsStayOnline() const { return IsChecked(layout_.stayOnline); }
  bool IsLaunch() const { return IsChecked(layout_.launch); }
  bool IsSignOn() const { return IsChecked(layout_.signOn); }
  bool IsAtStartup() const { return IsChecked(layout_.atStartup); }
  // The other client was chosen: stop working with this one.
  void SwitchOff();

 protected:
  CSignOnPage(int templateId, SettingsStore& store, PageSet* pages, const SignOnLayout& layout);
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;

  // The other client off (a rule between pages); true when its writes worked.
  virtual bool TurnOtherClientOff() = 0;
  // The pages that follow this one's boxes.
  virtual void UpdateFollowers() = 0;
  virtual void OnAdvanced() {}

 private:
  void ApplyEnableRules();
  void Browse();
  void EditScreenNames();
  // The names and the default as the page holds them, for comparing.
  std::string ShownNames() const;
  std::vector<std::string> NamesToStore() const;

  const SignOnLayout& layout_;
};

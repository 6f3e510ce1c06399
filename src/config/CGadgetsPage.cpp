#include "config/CGadgetsPage.h"

#include "config/CChangeTitleDlg.h"
#include "config/CSignOnPage.h"
#include "res/resource.h"

CGadgetsPage::CGadgetsPage(int templateId, SettingsStore& store, PageSet* pages,
                           const TitledGadget (&titled)[4], const PlainGadget* plain, int plainCount,
                           const settings::DwordSetting& stayOnline)
    : ConfigPage(templateId, store, pages),
      titled_(titled),
      plain_(plain),
      plainCount_(plainCount),
      stayOnline_(stayOnline) {}

bool CGadgetsPage::OnLoad() {
  for (const TitledGadget& gadget : titled_) {
    LoadBox(gadget.check, gadget.flag);
    ShowCaption(gadget);
  }
  for (int i = 0; i < plainCount_; ++i) LoadBox(plain_[i].check, plain_[i].flag);
  FollowSignOn();
  return true;
}

void CGadgetsPage::ShowCaption(const TitledGadget& gadget) {
  std::string title;
  store_.Read(gadget.title, title);
  SetItemText(gadget.check, config::GadgetCaption(title).c_str());
}

void CGadgetsPage::FollowSignOn() {
  const CSignOnPage* signOn = SignOnPage();
  bool on = true;
  if (signOn && signOn->IsInitialised()) on = signOn->IsStayOnline();
  else if (IsInConfigurations()) on = store_.Read(stayOnline_) == 1;
  for (const TitledGadget& gadget : titled_) {
    EnableItem(gadget.check, on);
    EnableItem(gadget.button, on);
  }
  for (int i = 0; i < plainCount_; ++i) EnableItem(plain_[i].check, on);
  ShowItem(IDC_GAD_NOTE, !on);
  EnableItem(IDC_GAD_NOTE, true);
}

void CGadgetsPage::ChangeTitle(const TitledGadget& gadget) {
  CChangeTitleDlg change;
  if (change.Run(hwnd()) != IDOK) return;
  // An empty title would make the closer pick untitled client windows.
  if (change.title().empty()) return;
  WroteAtOnce(store_.Write(gadget.title, change.title()));
  ShowCaption(gadget);
  Changed();
}

bool CGadgetsPage::OnCommand(WORD id, WORD code, HWND control) {
  if (code == BN_CLICKED) {
    for (const TitledGadget& gadget : titled_) {
      if (id == gadget.button) {
        ChangeTitle(gadget);
        return true;
      }
      if (id == gadget.check) {
        Changed();
        return true;
      }
    }
    for (int i = 0; i < plainCount_; ++i) {
      if (id == plain_[i].check) {
        Changed();
        return true;
      }
    }
  }
  return ConfigPage::OnCommand(id, code, control);
}

ConfigPage::SaveResult CGadgetsPage::OnSave() {
  bool ok = true;
  for (const TitledGadget& gadget : titled_) ok = WriteIfNew(gadget.flag, IsChecked(gadget.check) ? 1 : 0) && ok;
  for (int i = 0; i < plainCount_; ++i) ok = WriteIfNew(plain_[i].flag, IsChecked(plain_[i].check) ? 1 : 0) && ok;
  return WrittenIf(ok);
}

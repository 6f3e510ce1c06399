#pragma once
// What the AOL and CompuServe 2000 "Gadgets" pages share: check boxes that
// close (or minimise) client windows while signing on, four of them with a
// window title the user can change ("Change Window Title", written at once;
// an empty title is not written). The controls follow the sign-on page's
// "Tetherly! with ..." box.
#include "config/ConfigPage.h"

class CSignOnPage;

struct TitledGadget {
  int check, button;
  const settings::DwordSetting& flag;
  const settings::StringSetting& title;
};

struct PlainGadget {
  int check;
  const settings::DwordSetting& flag;
};

class CGadgetsPage : public ConfigPage {
 public:
  // Enables the controls while the client is worked with; otherwise
  // disables them and shows the note.
  void FollowSignOn();

 protected:
  CGadgetsPage(int templateId, SettingsStore& store, PageSet* pages, const TitledGadget (&titled)[4],
               const PlainGadget* plain, int plainCount, const settings::DwordSetting& stayOnline);
  bool OnLoad() override;
  SaveResult OnSave() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  // The sign-on page this one follows (null outside the dialog).
  virtual const CSignOnPage* SignOnPage() const = 0;

 private:
  void ShowCaption(const TitledGadget& gadget);
  void ChangeTitle(const TitledGadget& gadget);

  const TitledGadget (&titled_)[4];
  const PlainGadget* plain_;
  int plainCount_;
  const settings::DwordSetting& stayOnline_;
};

#pragma once
// The twelve pages of the Advanced Configurations dialog as the pages see
// each other: the rules that tie pages together (one dial-up method at a
// time, one of AOL and CompuServe 2000, the connection lock, the gadget and
// browser pages following the sign-on pages) reach the other pages here.
// Owned by the dialog; a page outside it has none.
class CPageSettingsDlg;
class CPageISPDialerDlg;
class CPageISPServicesDlg;
class CPageISPPropertiesDlg;
class CPageAOLOptionsDlg;
class CPageAOLGadgetsDlg;
class CPageAOLBrowserDlg;
class CPageCSOptionsDlg;
class CPageCSGadgetsDlg;
class CPageNZOptionsDlg;
class CPageMSNOptionsDlg;
class CPageATTOptionsDlg;

struct PageSet {
  CPageSettingsDlg* settings = nullptr;
  CPageISPDialerDlg* dialer = nullptr;
  CPageISPServicesDlg* services = nullptr;
  CPageISPPropertiesDlg* properties = nullptr;
  CPageAOLOptionsDlg* aolOptions = nullptr;
  CPageAOLGadgetsDlg* aolGadgets = nullptr;
  CPageAOLBrowserDlg* aolBrowser = nullptr;
  CPageCSOptionsDlg* csOptions = nullptr;
  CPageCSGadgetsDlg* csGadgets = nullptr;
  CPageNZOptionsDlg* netZero = nullptr;
  CPageMSNOptionsDlg* msn = nullptr;
  CPageATTOptionsDlg* att = nullptr;
  // Set once a click wrote settings at once (the rules between pages, a new
  // gadget title, the AOL advanced options): they count as saved.
  bool wroteAtOnce = false;
};

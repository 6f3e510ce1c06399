#pragma once
// Every page class, for tests that reach into the pages of the dialog.
#include "config/CPageATTOptionsDlg.h"
#include "config/CPageAOLBrowserDlg.h"
#include "config/CPageAOLGadgetsDlg.h"
#include "config/CPageAOLOptionsDlg.h"
#include "config/CPageCSGadgetsDlg.h"
#include "config/CPageCSOptionsDlg.h"
#include "config/CPageISPDialerDlg.h"
#include "config/CPageISPPropertiesDlg.h"
#include "config/CPageISPServicesDlg.h"
#include "config/CPageMSNOptionsDlg.h"
#include "config/CPageNZOptionsDlg.h"
#include "config/CPageSettingsDlg.h"
#include "config/PageSet.h"

// A page of the set, named for the tables of the tests.
using PagePick = win::Page* (*)(PageSet&);
inline win::Page* SettingsPage(PageSet& p) { return p.settings; }
inline win::Page* DialerPage(PageSet& p) { return p.dialer; }
inline win::Page* ServicesPage(PageSet& p) { return p.services; }
inline win::Page* PropertiesPage(PageSet& p) { return p.properties; }
inline win::Page* AolPage(PageSet& p) { return p.aolOptions; }
inline win::Page* AolGadgetsPage(PageSet& p) { return p.aolGadgets; }
inline win::Page* AolBrowserPage(PageSet& p) { return p.aolBrowser; }
inline win::Page* CsPage(PageSet& p) { return p.csOptions; }
inline win::Page* CsGadgetsPage(PageSet& p) { return p.csGadgets; }
inline win::Page* NetZeroPage(PageSet& p) { return p.netZero; }
inline win::Page* MsnPage(PageSet& p) { return p.msn; }
inline win::Page* AttPage(PageSet& p) { return p.att; }

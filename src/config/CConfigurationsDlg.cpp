#include "config/CConfigurationsDlg.h"

#include <windowsx.h>

#include <algorithm>

#include "config/CPageATTOptionsDlg.h"
#include "config/CPageAOLBrowserDlg.h"
#include "config/CPageAOLGadgetsDlg.h"
#include "config/CPageAOLOptionsDlg.h"
#include "config/CPageCSGadgetsDlg.h"
#include "config/CPageCSOptionsDlg.h"
#include "config/CPageISPPropertiesDlg.h"
#include "config/CPageISPServicesDlg.h"
#include "config/CPageMSNOptionsDlg.h"
#include "config/CPageNZOptionsDlg.h"
#include "config/CPageSettingsDlg.h"
#include "config/ConfigMessageBox.h"
#include "config/ConfigTexts.h"
#include "res/resource.h"
#include "win/HelpFile.h"
#include "win/ModalChain.h"

namespace {

struct CategoryItem {
  const char* text;
  int icon;
};

const CategoryItem kCategoryItems[CConfigurationsDlg::kCategoryCount] = {
    {"Program Settings", 252}, {"ISP", 135}, {"AOL", 188},    {"CS2000", 318},
    {"NetZero", 282},          {"MSN", 361}, {"AT&T", 324},
};
// The image list holds one more than the categories use.
constexpr int kCategoryIcons[] = {252, 135, 188, 318, 282, 361, 324, 362};
constexpr int kIconSize = 32, kInitialIcons = 5, kIconGrowth = 0;
constexpr int kCaptionChars = 128;
constexpr int kLowestRowHeight = 48;

}  // namespace

CConfigurationsDlg::CConfigurationsDlg(SettingsStore& store, ProfileLister listProfiles) : store_(store) {
  auto own = [this](auto page) {
    auto* raw = page.get();
    owned_.push_back(std::move(page));
    return raw;
  };
  PageSet* set = &pages_;
  pages_.settings = own(std::make_unique<CPageSettingsDlg>(store, set));
  pages_.dialer = own(std::make_unique<CPageISPDialerDlg>(store, set, std::move(listProfiles)));
  pages_.services = own(std::make_unique<CPageISPServicesDlg>(store, set));
  pages_.properties = own(std::make_unique<CPageISPPropertiesDlg>(store, set));
  pages_.aolOptions = own(std::make_unique<CPageAOLOptionsDlg>(store, set));
  pages_.aolGadgets = own(std::make_unique<CPageAOLGadgetsDlg>(store, set));
  pages_.aolBrowser = own(std::make_unique<CPageAOLBrowserDlg>(store, set));
  pages_.csOptions = own(std::make_unique<CPageCSOptionsDlg>(store, set));
  pages_.csGadgets = own(std::make_unique<CPageCSGadgetsDlg>(store, set));
  pages_.netZero = own(std::make_unique<CPageNZOptionsDlg>(store, set));
  pages_.msn = own(std::make_unique<CPageMSNOptionsDlg>(store, set));
  pages_.att = own(std::make_unique<CPageATTOptionsDlg>(store, set));
  saveOrder_ = {pages_.settings,  pages_.dialer,     pages_.services,  pages_.properties,
                pages_.aolOptions, pages_.aolGadgets, pages_.aolBrowser, pages_.csOptions,
                pages_.csGadgets, pages_.netZero,    pages_.att,       pages_.msn};
}

CConfigurationsDlg::~CConfigurationsDlg() {
  // The page windows are children of this one: they go first.
  Destroy();
}

INT_PTR CConfigurationsDlg::Run(HWND owner) {
  savedAny_ = false;
  ending_ = false;
  pages_.wroteAtOnce = false;
  return RunModal(IDD_CONFIGURATIONS, owner);
}

void CConfigurationsDlg::EndFromOutside(INT_PTR result) {
  if (!hwnd()) return;
  ending_ = true;
  if (IsModal()) win::EndModalChain(hwnd(), result);
  else Destroy();
}

std::vector<win::Page*> CConfigurationsDlg::PagesOf(int category) const {
  switch (category) {
    case kProgramSettings: return {pages_.settings};
    case kIsp: return {pages_.dialer, pages_.services, pages_.properties};
    case kAol: return {pages_.aolOptions, pages_.aolGadgets, pages_.aolBrowser};
    case kCs2000: return {pages_.csOptions, pages_.csGadgets};
    case kNetZero: return {pages_.netZero};
    case kMsn: return {pages_.msn};
    case kAtt: return {pages_.att};
    default: return {};
  }
}

int CConfigurationsDlg::CategoryOf(const win::Page& page) const {
  for (int c = 0; c < kCategoryCount; ++c)
    for (const win::Page* p : PagesOf(c))
      if (p == &page) return c;
  return kProgramSettings;
}

BOOL CConfigurationsDlg::OnInitDialog() {
  categories_.Attach(Item(IDC_CONFIG_CATEGORIES));
  tabs_.Attach(Item(IDC_CONFIG_TABS));
  // Tab and Shift+Tab walk into the pages, which are the tab control's children.
  SetWindowLongA(tabs_.hwnd(), GWL_EXSTYLE, GetWindowLongA(tabs_.hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);

  icons_.Create(kIconSize, kIconSize, kInitialIcons, kIconGrowth);
  for (int icon : kCategoryIcons) icons_.AddIcon(icon);
  categories_.SetImageList(icons_.get(), LVSIL_NORMAL);
  // All seven categories in one column, without scrolling when they fit.
  RECT listArea;
  GetClientRect(categories_.hwnd(), &listArea);
  const int rowHeight = std::max<int>(kLowestRowHeight, (listArea.bottom - listArea.top) / kCategoryCount);
  SendMessageA(categories_.hwnd(), LVM_SETICONSPACING, 0, MAKELPARAM(listArea.right - listArea.left, rowHeight));
  for (int c = 0; c < kCategoryCount; ++c) categories_.InsertItem(c, kCategoryItems[c].text, c);

  for (const auto& page : owned_) page->Create(tabs_.hwnd(), hwnd());
  shown_ = -1;
  last_ = kProgramSettings;
  SelectCategory(kProgramSettings, false);
  EnableItem(IDC_CONFIG_APPLY, false);
  return FALSE;  // the shown page has the focus
}

void CConfigurationsDlg::SelectCategory(int category, bool force) {
  if (category < 0 || category >= kCategoryCount) return;
  if (force) shown_ = -1;
  if (category == shown_) return;

  for (const auto& page : owned_)
    if (page->hwnd()) ShowWindow(page->hwnd(), SW_HIDE);
  tabs_.DeleteAll();
  tabPages_ = PagesOf(category);
  for (size_t i = 0; i < tabPages_.size(); ++i) {
    HWND page = tabPages_[i]->hwnd();
    char caption[kCaptionChars + 1] = {};
    GetWindowTextA(page, caption, sizeof(caption));
    tabs_.Insert(static_cast<int>(i), caption);
    // No caption bar inside a tab; the frame is recomputed so none is left.
    SetWindowLongA(page, GWL_STYLE, GetWindowLongA(page, GWL_STYLE) & ~WS_CAPTION);
    SetWindowPos(page, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(page, WM_NCACTIVATE, TRUE, 0);
  }
  shown_ = category;
  last_ = category;
  selecting_ = true;
  categories_.Select(category);
  selecting_ = false;
  tabs_.SetCurrent(0);
  ShowCurrentPage();
}

win::Page* CConfigurationsDlg::CurrentPage() const {
  const int current = tabs_.Current();
  if (current < 0 || current >= static_cast<int>(tabPages_.size())) return nullptr;
  return tabPages_[current];
}

void CConfigurationsDlg::ShowCurrentPage() {
  win::Page* page = CurrentPage();
  if (!page || !page->hwnd()) return;
  // The page fills the tab's display area, inside its frame.
  RECT area;
  GetClientRect(tabs_.hwnd(), &area);
  SendMessageA(tabs_.hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  SetWindowPos(page->hwnd(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_SHOWWINDOW);
  page->OnShown();
  SetFocus(page->hwnd());
}

void CConfigurationsDlg::OnCategoryClick() {
  const DWORD at = GetMessagePos();
  POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ScreenToClient(categories_.hwnd(), &point);
  const int item = categories_.HitTest(point);
  SelectCategory(item >= 0 ? item : last_, true);
}

bool CConfigurationsDlg::OnNotify(const NMHDR& header, LPARAM lp, INT_PTR& result) {
  if (header.idFrom == IDC_CONFIG_CATEGORIES) {
    switch (header.code) {
      case NM_CLICK:
      case NM_RCLICK:
        OnCategoryClick();
        return true;
      case LVN_KEYDOWN:
        SetFocus(tabs_.hwnd());
        return true;
      case LVN_ITEMCHANGED: {
        // The keyboard moves the selection too: the pages follow it.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lp);
        const bool nowSelected = (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED);
        if (!selecting_ && nowSelected) SelectCategory(change->iItem, false);
        return true;
      }
      default:
        return false;
    }
  }
  if (header.idFrom == IDC_CONFIG_TABS) {
    if (header.code == TCN_SELCHANGING) {
      if (win::Page* page = CurrentPage()) ShowWindow(page->hwnd(), SW_HIDE);
      result = FALSE;
      return true;
    }
    if (header.code == TCN_SELCHANGE) {
      ShowCurrentPage();
      return true;
    }
  }
  return false;
}

bool CConfigurationsDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == win::kPageChangedMessage) {
    EnableItem(IDC_CONFIG_APPLY, true);
    return true;
  }
  if (msg == WM_NOTIFY) return OnNotify(*reinterpret_cast<const NMHDR*>(lp), lp, result);
  return false;
}

bool CConfigurationsDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_CONFIG_APPLY && code == BN_CLICKED) {
    SaveChangedPages();
    return true;
  }
  if (id == IDC_CONFIG_HELP && code == BN_CLICKED) {
    OpenHelp();
    return true;
  }
  return win::Dialog::OnCommand(id, code, control);
}

void CConfigurationsDlg::OnOK() {
  if (SaveChangedPages()) win::Dialog::OnOK();
}

bool CConfigurationsDlg::SaveChangedPages() {
  win::Page* firstUnsaved = nullptr;
  bool writeFailed = false;
  for (win::Page* page : saveOrder_) {
    if (ending_) break;  // Exit: nothing more is decided
    if (!page->IsModified() || !page->hwnd()) continue;
    const win::Page::SaveResult result = page->Save();
    if (result != win::Page::SaveResult::Refused) savedAny_ = true;
    if (result == win::Page::SaveResult::Failed) writeFailed = true;
    if (result != win::Page::SaveResult::Saved && !firstUnsaved) firstUnsaved = page;
  }
  if (writeFailed && !ending_) config::ShowMessage(hwnd(), config::kCouldNotSave, MB_OK | MB_ICONEXCLAMATION);
  UpdateApply();
  if (firstUnsaved && !ending_) ShowUnsavedPage(*firstUnsaved);
  return firstUnsaved == nullptr && !ending_;
}

void CConfigurationsDlg::ShowUnsavedPage(win::Page& page) {
  SelectCategory(CategoryOf(page), false);
  for (size_t i = 0; i < tabPages_.size(); ++i) {
    if (tabPages_[i] != &page) continue;
    if (tabs_.Current() != static_cast<int>(i)) {
      if (win::Page* shown = CurrentPage()) ShowWindow(shown->hwnd(), SW_HIDE);
      tabs_.SetCurrent(static_cast<int>(i));
    }
    ShowCurrentPage();
  }
  if (HWND field = page.refusedControl() ? page.Item(page.refusedControl()) : nullptr) SetFocus(field);
}

void CConfigurationsDlg::UpdateApply() {
  bool anyUnsaved = false;
  for (const auto& page : owned_) anyUnsaved = anyUnsaved || page->IsModified();
  EnableItem(IDC_CONFIG_APPLY, anyUnsaved);
}

void CConfigurationsDlg::OpenHelp() {
  std::string problem;
  if (!win::OpenHelp(hwnd(), IDH_CONFIGURATIONS, problem))
    config::ShowMessage(hwnd(), problem, MB_OK | MB_ICONINFORMATION);
}

#include "config/CConfigWizPSheet.h"

#include <commctrl.h>

#include <algorithm>

#include "config/CConfigWizMain.h"
#include "config/ConfigMessageBox.h"
#include "config/WizardFinishPlan.h"
#include "config/WizardFinishWriter.h"
#include "win/ModalChain.h"

namespace {

constexpr const char* kTitle = "Configuration Wizard";
constexpr UINT_PTR kSubclassId = 0x57495A;  // "WIZ"
// The sheet being made: its callback carries no pointer of its own.
CConfigWizPSheet* g_starting = nullptr;

}  // namespace

CConfigWizPSheet::CConfigWizPSheet(SettingsStore& store, ProfileLister listProfiles, bool firstRun)
    : store_(store), listProfiles_(std::move(listProfiles)), firstRun_(firstRun),
      main_(std::make_unique<CConfigWizMain>(*this)) {}

CConfigWizPSheet::~CConfigWizPSheet() = default;

DWORD CConfigWizPSheet::ListProfiles(std::vector<std::string>& names) const {
  names.clear();
  return listProfiles_ ? listProfiles_(names) : 0;
}

INT_PTR CConfigWizPSheet::Run(HWND owner) {
  if (hwnd_ || win::IsModalChainEnding(owner)) return IDCANCEL;
  answers_ = config::WizardAnswers{};
  finished_ = false;
  pages_ = {main_.get()};
  PROPSHEETPAGEA first = main_->SheetPage();
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_WIZARD | PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.hwndParent = owner;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = kTitle;
  header.nPages = 1;
  header.ppsp = &first;
  header.pfnCallback = &CConfigWizPSheet::SheetCallback;
  g_starting = this;
  PropertySheetA(&header);
  g_starting = nullptr;
  hwnd_ = nullptr;
  pages_.clear();
  return finished_ ? kFinished : IDCANCEL;
}

int CALLBACK CConfigWizPSheet::SheetCallback(HWND sheet, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && g_starting) {
    g_starting->hwnd_ = sheet;
    SetWindowSubclass(sheet, &CConfigWizPSheet::SheetSubclass, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(g_starting));
  }
  return 0;
}

LRESULT CALLBACK CConfigWizPSheet::SheetSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                 DWORD_PTR data) {
  if (msg == WM_NCDESTROY) {
    // The mark an Exit left must not outlive the window.
    win::ForgetModalChainEnding(hwnd);
    RemoveWindowSubclass(hwnd, &CConfigWizPSheet::SheetSubclass, kSubclassId);
    reinterpret_cast<CConfigWizPSheet*>(data)->hwnd_ = nullptr;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void CConfigWizPSheet::CancelFromOutside() {
  if (!hwnd_) return;
  win::EndOwnedDialogs(hwnd_);
  PropSheet_PressButton(hwnd_, PSBTN_CANCEL);
}

CConfigWizPage* CConfigWizPSheet::CurrentPage() const {
  if (!hwnd_) return nullptr;
  HWND current = PropSheet_GetCurrentPageHwnd(hwnd_);
  for (CConfigWizPage* page : pages_) {
    if (page->hwnd() && page->hwnd() == current) return page;
  }
  return nullptr;
}

void CConfigWizPSheet::Append(CConfigWizPage& page) {
  if (!hwnd_) return;
  PROPSHEETPAGEA sheetPage = page.SheetPage();
  HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheetPage);
  if (!handle) return;
  if (!PropSheet_AddPage(hwnd_, handle)) {
    DestroyPropertySheetPage(handle);
    return;
  }
  pages_.push_back(&page);
}

void CConfigWizPSheet::RemoveAfter(const CConfigWizPage& page) {
  const auto it = std::find(pages_.begin(), pages_.end(), &page);
  if (it == pages_.end()) return;
  const std::size_t keep = static_cast<std::size_t>(it - pages_.begin()) + 1;
  while (pages_.size() > keep) {
    PropSheet_RemovePage(hwnd_, static_cast<int>(pages_.size() - 1), nullptr);
    pages_.pop_back();
  }
}

bool CConfigWizPSheet::WriteAnswers() {
  const std::vector<config::FinishFailure> failures =
      config::WriteFinishPlan(store_, config::FinishPlan(answers_));
  finished_ = true;
  if (failures.empty()) return true;
  config::ShowMessage(hwnd_, config::FinishFailureMessage(failures), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

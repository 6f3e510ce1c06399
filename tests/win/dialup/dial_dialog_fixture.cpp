#include "dial_dialog_fixture.h"

#include <commctrl.h>

#include <algorithm>

#include "res/resource.h"
#include "support/MessagePump.h"
#include "win/Clock.h"

namespace {

enum : UINT_PTR { kCaption = 1, kProgress = 2, kIcon = 3 };

int kKnownIcons[] = {IDI_DIALER_IDLE, 241, 242, 243, 244, 245, 246, 247, 248, 249,
                     IDI_DIALER_CONNECTED, IDI_NOTICE_EXCLAMATION};

DialDialogTest* g_current = nullptr;  // the test whose dialog's timers are recorded

}  // namespace

void DialDialogTest::OnTimerRequest(HWND hwnd, UINT_PTR id, DWORD ms) {
  if (g_current && g_current->dlg_ && hwnd == g_current->dlg_->hwnd())
    g_current->timerRequests_.push_back({id, ms});
}

DialDialogTest::DialDialogTest() {
  EXPECT_TRUE(sim_.ok()) << "the simulated rasapi32.dll is not the one loaded";
  g_current = this;
  win::SetTimerObserver(&OnTimerRequest);
  controller_.Create();
  controller_.onMessage = [this](UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != dialup::kDialEventMessage) return;
    events_.push_back(wp);
    if (wp == dialup::kEventFailed && lp) failedText_ = reinterpret_cast<const char*>(lp);
  };
}

DialDialogTest::~DialDialogTest() {
  win::SetTimerObserver(nullptr);
  g_current = nullptr;
  if (dlg_ && dlg_->hwnd()) {
    RemoveWindowSubclass(GetDlgItem(dlg_->hwnd(), IDC_DIAL_PROGRESS), &Recorder, kProgress);
    RemoveWindowSubclass(GetDlgItem(dlg_->hwnd(), IDC_DIAL_ICON), &Recorder, kIcon);
    RemoveWindowSubclass(dlg_->hwnd(), &Recorder, kCaption);
  }
  // The dialog goes first: its wrapper hangs up nothing by itself, the test
  // library forgets its connections after.
  if (dlg_) dlg_->library().HangUpCurrent();
  dlg_.reset();
}

void DialDialogTest::Create(int showCommand) {
  dlg_ = std::make_unique<dialup::DialProgressDlg>(
      controller_.hwnd(), [this](int state) { dialStates_.push_back(state); });
  ASSERT_TRUE(dlg_->Create(showCommand));
  SetWindowSubclass(hwnd(), &Recorder, kCaption, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(GetDlgItem(hwnd(), IDC_DIAL_PROGRESS), &Recorder, kProgress,
                    reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(GetDlgItem(hwnd(), IDC_DIAL_ICON), &Recorder, kIcon,
                    reinterpret_cast<DWORD_PTR>(this));
}

namespace {

// WM_SETTEXT's text as the subclass sees it: with common controls 6 (the
// program's manifest) the static control is a Unicode window and gets it
// converted to UTF-16.
std::string SetTextOf(HWND h, LPARAM lp) {
  if (!lp) return {};
  if (!IsWindowUnicode(h)) return reinterpret_cast<const char*>(lp);
  const auto* wide = reinterpret_cast<const wchar_t*>(lp);
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text) - 1, nullptr, nullptr);
  return text;
}

}  // namespace

LRESULT CALLBACK DialDialogTest::Recorder(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<DialDialogTest*>(data);
  if (msg == WM_SETTEXT && id == kCaption) self->captions_.push_back(SetTextOf(h, lp));
  if (msg == WM_SETTEXT && id == kProgress) {
    self->texts_.push_back(SetTextOf(h, lp));
    if (self->onText_) self->onText_(self->texts_.back());
  }
  if (msg == STM_SETICON && id == kIcon) self->icons_.push_back(self->IconId(reinterpret_cast<HICON>(wp)));
  return DefSubclassProc(h, msg, wp, lp);
}

int DialDialogTest::IconId(HICON icon) const {
  for (int id : kKnownIcons)
    if (LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)) == icon) return id;
  return 0;
}

int DialDialogTest::IconShown() const {
  return IconId(reinterpret_cast<HICON>(SendDlgItemMessageA(hwnd(), IDC_DIAL_ICON, STM_GETICON, 0, 0)));
}

void DialDialogTest::Press(int id) {
  SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), id)));
}

void DialDialogTest::PostPress(int id) {
  PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), id)));
}

std::string DialDialogTest::Caption() const {
  char buf[512] = {};
  GetWindowTextA(hwnd(), buf, sizeof(buf));
  return buf;
}

std::string DialDialogTest::ItemText(int id) const {
  char buf[512] = {};
  GetDlgItemTextA(hwnd(), id, buf, sizeof(buf));
  return buf;
}

bool DialDialogTest::WaitForText(const std::string& text, DWORD limitMs) {
  return testing_support::PumpUntil([&] { return Saw(texts_, text); }, limitMs);
}

bool DialDialogTest::WaitForEvents(size_t count, DWORD limitMs) {
  return testing_support::PumpUntil([&] { return events_.size() >= count; }, limitMs);
}

bool DialDialogTest::Saw(const std::vector<std::string>& list, const std::string& item) const {
  return std::find(list.begin(), list.end(), item) != list.end();
}

void DialDialogTest::DialAndConnect() {
  const size_t before = std::count(events_.begin(), events_.end(), dialup::kEventConnected);
  dlg_->Dial();
  ASSERT_TRUE(testing_support::PumpUntil([&] {
    return static_cast<size_t>(std::count(events_.begin(), events_.end(), dialup::kEventConnected)) > before;
  }));
}

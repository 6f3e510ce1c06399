// The NetZero scan of controller timer 9 and the redial after a lost session.
#include "watchers/NetZeroWatcher.h"

#include <string>

#include "base/Trace.h"
#include "settings/SettingsSchema.h"
#include "watchers/NetZeroDialer.h"
#include "watchers/NetZeroRules.h"
#include "watchers/WindowPress.h"

namespace watch {
namespace {

constexpr int kWithNetZeroLook = 28;
constexpr DWORD kSessionWindowGapMs = 500;
constexpr DWORD kBeforeRedialMs = 15000;
constexpr DWORD kBeforeCanvasMs = 10;

HWND FindNetZeroDialog(const char* title) { return FindWindowA("AwtDialog", title); }

}  // namespace

NetZeroWatcher::NetZeroWatcher(WatcherEnv env, std::function<void()> redial)
    : env_(std::move(env)), redial_(std::move(redial)) {}

void NetZeroWatcher::ScanNetZeroInactivity() {
  env_.SetLook(kWithNetZeroLook);
  std::string version;
  store_.Read(settings::kNetZeroVersion, version);
  if (netzero::ClicksByCoordinates(version)) ScanByCoordinates();
  else ScanByCaption();
}

void NetZeroWatcher::ScanByCaption() {
  HWND warning = FindNetZeroDialog(netzero::kInactivityWarningTitle);
  if (!warning) return;
  TraceLine("Found NetZero's disconnection window, ***AwtDialog***");
  TraceLine("......Attempting to click the 'Resume' button......");
  EnumChildWindows(warning, EnumNetZeroResumeBtnFunc, 0);
}

// Each dialog is looked up afresh, so one tip dialog gets every tip row's
// pair of points.
void NetZeroWatcher::ScanByCoordinates() {
  for (const netzero::InactivityRow& row : netzero::kInactivityRows) {
    HWND dialog = FindNetZeroDialog(row.title);
    if (!dialog) continue;
    if (row.action == netzero::RowAction::ZeroPort) {
      TraceLine("Found Zero Port is terminating window, ***AwtDialog***");
      TraceLine("......Attempting to click the 'OK' button......");
      EnumChildWindows(dialog, EnumZeroPortCanvasFunc, reinterpret_cast<LPARAM>(env_.waits));
      TraceLine("......Attempting to redial NetZero");
      RedialNetZero(3000);
      continue;
    }
    FocusOn(dialog);
    ClickAt(dialog, row.first.x, row.first.y);
    ClickAt(dialog, row.second.x, row.second.y);
    switch (row.action) {
      case netzero::RowAction::Resume:
        EnumChildWindows(dialog, EnumNetZeroResumeBtnFunc, 0);
        break;
      case netzero::RowAction::RedialAfter7s:
        RedialNetZero(7000);
        break;
      case netzero::RowAction::RedialAfter3s:
        RedialNetZero(3000);
        break;
      default:
        break;
    }
  }
}

void NetZeroWatcher::RedialNetZero(DWORD delayMs) {
  if (store_.Read(settings::kNetZeroAutoRedial) != 1) return;
  const LaunchWaits& waits = *env_.waits;
  if (!waits.Sleep(delayMs)) return;
  // The client's session window goes when the session is over; one that
  // never goes does not hold the redial for ever.
  for (int i = 0; i < kSessionWindowPolls && FindWindowA("AwtWindow", ""); ++i)
    if (!waits.Sleep(kSessionWindowGapMs)) return;
  if (!waits.Sleep(kBeforeRedialMs)) return;
  if (redial_) redial_();
}

BOOL CALLBACK EnumNetZeroResumeBtnFunc(HWND child, LPARAM) {
  std::string text;
  if (!TryReadText(child, text)) return TRUE;  // an unread text is no text of the client's
  TraceLine(("AWTDIALOG TEXT: " + text).c_str());
  if (MatchExact(text, "Resume") && FocusSpacePress(child)) TraceLine("Finished clicking 'Resume' button");
  return TRUE;
}

BOOL CALLBACK EnumZeroPortCanvasFunc(HWND child, LPARAM waits) {
  const auto* w = reinterpret_cast<const LaunchWaits*>(waits);
  ForEachCanvasOf(child, [w](HWND canvas) {
    if (w) w->Sleep(kBeforeCanvasMs);
    FocusOn(canvas);
    for (int i = 0; i < netzero::kGridColumns * netzero::kGridRows; ++i) {
      const netzero::ClickPoint p = netzero::GridPoint(i);
      ClickAt(canvas, p.x, p.y);
    }
  });
  return TRUE;
}

}  // namespace watch

// The AOL scans of controller timer 4: idle prompts, gadgets, lost connection.
#include "watchers/AolWatcher.h"

#include "settings/SettingsSchema.h"
#include "watchers/MatchRules.h"
#include "watchers/PromptScan.h"
#include "watchers/WindowPress.h"

namespace watch {
namespace {

struct GadgetRow {
  settings::DwordSetting enable;
  settings::StringSetting title;  // its default stands in when unreadable
  DWORD waitMs;
};

constexpr GadgetRow kGadgets[AolWatcher::kGadgetCount] = {
    {settings::kAolKillBuddyList, settings::kAolChildBuddyTitle, 2000},
    {settings::kAolKillSearchPreview, settings::kAolChildSearchTitleForCloser, 1000},
    {settings::kAolKillHotline, settings::kAolChildHotlineTitle, 1000},
    {settings::kAolKillChannels, settings::kAolChildChannelTitle, 1000},
};

constexpr const char* kConnectionLostTitle = "The Connection was Lost";

HWND FindMdiClient(HWND frame) {
  return frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
}

HWND FindAolChild(HWND mdi, const char* title) {
  return FindWindowExA(mdi, nullptr, "AOL Child", title);
}

void Report(LPARAM report, UINT message, long value) {
  const auto* r = reinterpret_cast<const DoneReport*>(report);
  *r->flag = value;
  PostMessageA(r->controller, message, 0, value);
}

void SetDone(HWND controller, long& flag, UINT message, long value) {
  DoneReport report{controller, &flag};
  Report(reinterpret_cast<LPARAM>(&report), message, value);
}

}  // namespace

AolWatcher::AolWatcher(WatcherEnv env, PromptFlags& prompts)
    : env_(std::move(env)), prompts_(prompts) {}

void AolWatcher::ScanAOLTimer() {
  ScanTimerPrompts(kAolTimerProfile, aolSeen_, prompts_, store_, env_);
}

void AolWatcher::ScanAOLGadgets(HWND controller) {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  if (!frame) {
    ResetSession(controller);
    return;
  }
  bool allDone = welcomeDone_ != 0;
  for (long done : gadgetDone_) allDone = allDone && done != 0;
  if (allDone) return;  // the advertisement search rests too
  HWND mdi = FindMdiClient(frame);
  if (!mdi) return;

  // A gadget counts as done once closed (or when its option is off) and
  // stays done for the session: it is closed once, not whenever it reappears.
  for (int row = 0; row < kGadgetCount; ++row)
    if (!gadgetDone_[row]) gadgetDone_[row] = CloseGadget(row, mdi);

  if (store_.Read(settings::kAolMinimizeWelcome) == 0) {
    if (welcomeDone_ != 1) SetDone(controller, welcomeDone_, kWelcomeDoneMessage, 1);
  } else if (welcomeDone_ != 1) {
    DoneReport report{controller, &welcomeDone_};
    EnumChildWindows(mdi, EnumAOLWelcomeFunc, reinterpret_cast<LPARAM>(&report));
  }

  if (store_.Read(settings::kAolKillAdvertisement) == 0) {
    if (advertisementDone_ != 1) SetDone(controller, advertisementDone_, kAdvertisementDoneMessage, 1);
  } else if (advertisementDone_ != 1) {
    SearchAdvertisements(mdi, controller);
  }
}

// A new session starts afresh; the controller's copies follow.
void AolWatcher::ResetSession(HWND controller) {
  for (long& done : gadgetDone_) done = 0;
  if (welcomeDone_ != 0) SetDone(controller, welcomeDone_, kWelcomeDoneMessage, 0);
  if (advertisementDone_ != 0) SetDone(controller, advertisementDone_, kAdvertisementDoneMessage, 0);
}

long AolWatcher::CloseGadget(int row, HWND mdi) {
  const GadgetRow& g = kGadgets[row];
  if (store_.Read(g.enable) == 0) return 1;
  std::string title;
  store_.Read(g.title, title);
  HWND window = FindAolChild(mdi, title.c_str());
  if (!window) return 0;
  env_.waits->Sleep(g.waitMs);
  SendClose(window);
  return 1;
}

void AolWatcher::SearchAdvertisements(HWND mdi, HWND controller) {
  DoneReport report{controller, &advertisementDone_};
  const LPARAM lp = reinterpret_cast<LPARAM>(&report);
  if (HWND modal = FindWindowA("_AOL_Modal", nullptr)) EnumChildWindows(modal, EnumAOLAdBtnFunc, lp);
  if (HWND child = FindWindowA("AOL Child", nullptr)) EnumChildWindows(child, EnumAOLAdBtnFunc, lp);
  if (HWND child = FindAolChild(mdi, nullptr)) EnumChildWindows(child, EnumAOLAdBtnFunc, lp);
}

void AolWatcher::ScanAOLConnectionLost() {
  HWND mdi = FindMdiClient(FindWindowA("AOL Frame25", nullptr));
  if (!mdi) return;
  HWND lost = FindAolChild(mdi, kConnectionLostTitle);
  if (!lost) {
    std::string title;
    if (store_.Read(settings::kAolDisconnectTitle, title) && !title.empty())
      lost = FindAolChild(mdi, title.c_str());
  }
  if (!lost) return;
  EnumChildWindows(lost, EnumOKBtnFunc, 0);
  // Returns at once while another sign-on runs. The box must not hold the
  // watcher thread: the next scans go on while the user reads it.
  SignOn(BoxPlace::kAside);
}

BOOL CALLBACK EnumAOLWelcomeFunc(HWND child, LPARAM report) {
  if (MatchPrefix(ReadText(child), "Welcome,")) {
    SendClose(child);
    Report(report, kWelcomeDoneMessage, 1);
    return FALSE;
  }
  Report(report, kWelcomeDoneMessage, 0);
  return TRUE;
}

BOOL CALLBACK EnumAOLAdBtnFunc(HWND child, LPARAM report) {
  const std::string text = ReadText(child);
  const std::string cls = ReadClass(child);
  if (!IsRefusalButton(RefusalList::Aol, text, cls)) {
    Report(report, kAdvertisementDoneMessage, 0);
    return TRUE;
  }
  // In the control's own client coordinates, so the click lands on it.
  const POINT p = ClickPointInside(child);
  ClickAt(child, p.x, p.y);
  SpacePress(child);
  Report(report, kAdvertisementDoneMessage, 1);
  return FALSE;
}

}  // namespace watch

#include "watcher_fixture.h"

#include "support/MessagePump.h"
#include "win/Lock.h"

bool ControllerStandIn::Create() {
  return win::Window::Create("TetherlyWatcherController", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

bool ControllerStandIn::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != watch::kWelcomeDoneMessage && msg != watch::kAdvertisementDoneMessage) return false;
  posts.push_back(std::to_string(msg) + " " + std::to_string(lp));
  (msg == watch::kWelcomeDoneMessage ? welcomeDone : advertisementDone) = static_cast<long>(lp);
  result = 1;
  return true;
}

WatcherTest::WatcherTest() {
  savedHandler_ = win::SetMessageBoxHandler([this](HWND owner, const char* text, const char* caption,
                                                   UINT type) {
    Box box{owner, text, caption, type, GetCurrentThreadId()};
    {
      win::LockGuard g(boxLock_);
      boxes_.push_back(box);
    }
    return onBox_ ? onBox_(box) : IDOK;
  });
  aol_ = std::make_unique<watch::AolWatcher>(Env(), prompts_);
  cs_ = std::make_unique<watch::Cs2000Watcher>(Env(), prompts_);
  controller_.Create();
}

WatcherTest::~WatcherTest() {
  client_.Stop();
  waits_.End();
  ender_.EndAll();
  aside_.Stop(10000);
  win::SetMessageBoxHandler(savedHandler_);
}

size_t WatcherTest::BoxCount() {
  win::LockGuard g(boxLock_);
  return boxes_.size();
}

std::vector<Box> WatcherTest::Boxes() {
  win::LockGuard g(boxLock_);
  return boxes_;
}

void WatcherTest::Drain() { testing_support::PumpPending(); }

watch::WatcherEnv WatcherTest::Env() {
  watch::WatcherEnv env;
  env.setLook = [this](int look) { looks_.push_back(look); };
  env.waits = &waits_;
  env.boxes = &ender_;
  env.aside = &aside_;
  return env;
}

void WatcherTest::TickAol(bool autoRedial) {
  tick_.Clear();
  watch::SendScope scope(tick_);
  aol_->ScanAOLTimer();
  aol_->ScanAOLGadgets(controller_.hwnd());
  if (autoRedial) aol_->ScanAOLConnectionLost();
  Drain();
}

void WatcherTest::TickCs2000(bool autoRedial) {
  tick_.Clear();
  watch::SendScope scope(tick_);
  cs_->ScanCS2000Timer();
  cs_->ScanCS2000Gadgets();
  if (autoRedial) {
    cs_->ScanCS2000FailedDialog();
    cs_->ScanCS2000ConnectionFailed();
  }
  Drain();
}

std::vector<std::string> WatcherTest::SpacePressOf(const std::string& id) {
  return {id + " SETFOCUS 0 0", id + " KEYDOWN 20 1", id + " KEYUP 20 1"};
}

std::vector<std::string> WatcherTest::FocusSpacePressOf(const std::string& id) {
  // Across processes SetFocus fails and delivers nothing: only the keys arrive.
  return {id + " KEYDOWN 20 1", id + " KEYUP 20 1"};
}

std::vector<std::string> WatcherTest::Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

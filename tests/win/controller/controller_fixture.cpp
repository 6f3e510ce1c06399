#include "controller_fixture.h"

#include "win/Clock.h"

ControllerTest::ControllerTest() {
  savedScale_ = win::TimeScale();
  win::SetTimeScale(0.01);
  store_.Write(settings::kHostsAdded, 1);  // no first-run seeding unless a test asks

  auto record = [this](const char* name) {
    return [this, name] { events_.push_back(name); };
  };
  ControllerSeams& s = options_.seams;
  s.tray.addIcon = [this](int look) {
    addLook_ = look;
    events_.push_back("add" + std::to_string(look));
  };
  s.tray.setLook = [this](int look, const char* text) {
    lastLook_ = look;
    lastLookText_ = text ? text : "";
    looks_.push_back(look);
    events_.push_back("look" + std::to_string(look));
  };
  s.tray.removeIcon = record("removeIcon");
  s.tray.destroy = record("destroyTray");
  s.keepAlive.runCycle = [this] {
    events_.push_back("cycle");
    intervalArmed_ = true;
  };
  s.keepAlive.arm = [this] {
    events_.push_back("arm");
    intervalArmed_ = true;
    return true;
  };
  s.keepAlive.kill = [this] {
    if (intervalArmed_) events_.push_back("kill");
    intervalArmed_ = false;
  };
  s.keepAlive.isArmed = [this] { return intervalArmed_; };
  s.watchers.scanAolTimer = record("scanAol");
  s.watchers.scanAolGadgets = record("aolGadgets");
  s.watchers.scanAolConnectionLost = record("aolLost");
  s.watchers.scanCs2000Timer = record("scanCs");
  s.watchers.scanNetZeroInactivity = record("scanNetZero");
  s.watchers.scanAttDisconnect = record("scanAtt");
  s.watchers.scanMsnDisconnect = record("scanMsn");
  s.watchers.checkMsnMail = record("checkMail");
  s.watchers.scanProdigyDisconnect = record("scanProdigy");
  s.watchers.scanJunoWeb = record("scanJuno");
  s.watchers.toggleNetZeroDialer = record("toggleNetZero");
  s.watchers.clearPop3Failed = record("clearPop3Failed");
  s.watchers.launchClient = [this](int which, HWND) {
    events_.push_back(which == 0 ? "launchAol" : "launchCs");
  };
  s.mouse.rememberCursor = record("rememberCursor");
  s.mouse.idleCheck = record("mouseCheck");
  s.mouse.applyIdleDisconnect = [this](DWORD v) { events_.push_back("idleDisconnect" + std::to_string(v)); };
  s.dial.exists = [this] { return dialDialogExists_; };
  s.dial.create = [this](bool visible) {
    dialDialogExists_ = true;
    events_.push_back(visible ? "createDialVisible" : "createDialHidden");
  };
  s.dial.show = [this](bool visible) { events_.push_back(visible ? "showDial" : "hideDial"); };
  s.dial.isDialing = [this] { return dialing_; };
  s.dial.startDial = record("startDial");
  s.dial.hangUp = record("hangUp");
  s.dial.isDialUpConnected = [this] { return connected_; };
  s.config.runWizard = [this](bool firstRun) -> INT_PTR {
    events_.push_back(firstRun ? "wizardFirstRun" : "wizard");
    return IDCANCEL;
  };
  s.config.cancelWizard = record("cancelWizard");
  s.config.endConfigDialog = [this](INT_PTR) { events_.push_back("endConfig"); };
  options_.showSplash = false;
}

ControllerTest::~ControllerTest() {
  dlg_.reset();
  win::SetTimeScale(savedScale_);
}

void ControllerTest::Start() {
  dlg_ = std::make_unique<StatusReportDlg>(options_);
  ASSERT_TRUE(dlg_->Create());
}

bool ControllerTest::Saw(const std::string& event) const { return Count(event) > 0; }

int ControllerTest::Count(const std::string& event) const {
  int n = 0;
  for (const auto& e : events_) n += e == event;
  return n;
}

std::string ControllerTest::ItemText(int id) const {
  char buf[256] = {};
  GetDlgItemTextA(dlg_->hwnd(), id, buf, sizeof(buf));
  return buf;
}

// The rows as a user sees them: the window shown (without activating it).
void ControllerTest::ShowRows() { ShowWindow(dlg_->hwnd(), SW_SHOWNA); }

bool ControllerTest::WaitFor(const std::string& event, DWORD limitMs) {
  return testing_support::PumpUntil([&] { return Saw(event); }, limitMs);
}

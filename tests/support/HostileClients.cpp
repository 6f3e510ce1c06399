#include "support/HostileClients.h"

#include <string>

#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"
#include "keepalive/Pop3Connection.h"
#include "settings/SettingsSchema.h"
#include "support/MessagePump.h"

namespace testing_support {
namespace {

// The AOL client with "The Connection was Lost" up: its "OK" shows the sign-on
// window, whose "Sign On" closes it. `okExtra` adds to the "OK" button.
std::string AolTree(const std::string& okExtra = {}) {
  return R"(
window frame class="AOL Frame25" text="America Online"
window mdi parent=frame class="MDIClient"
window lost parent=mdi class="AOL Child" text="The Connection was Lost"
window ok parent=lost class="_AOL_Button" text="OK" on=press:close:lost on=press:show:signon)" +
         okExtra + R"(
window signon parent=mdi class="AOL Child" text="Sign On" group=signon
window go parent=signon class="_AOL_Button" text="Sign On" group=signon on=press:close:signon
)";
}

// CompuServe 2000 with its top-level "The Connection Failed" dialog up.
constexpr const char* kCs2000Tree = R"(
window failed class="#32770" text="The Connection Failed"
window ok parent=failed class="Button" text="OK" on=press:close:failed on=press:show:connect
window frame class="AOL Frame25" text="CompuServe 2000"
window mdi parent=frame class="MDIClient"
window connect parent=mdi class="AOL Child" text="Connect to CompuServe" group=connect
window go parent=connect class="_AOL_Button" text="CONNECT" group=connect on=press:close:connect
)";

void WatchAol(SettingsStore& store) {
  store.Write(settings::kAolStayOnline, 1);
  store.Write(settings::kAolScanInterval, 1);
  store.Write(settings::kAolAutoRedial, 1);
}

bool SignedOn(HostileHarness& h) { return h.client.CountFromOutside("go", "KEYUP") >= 1; }

std::vector<HostileCase> MakeCases() {
  std::vector<HostileCase> cases;
  cases.push_back({
      "AOL hung while \"The Connection was Lost\" is up",
      [](HostileHarness& h, const HostileTiming&) {
        WatchAol(h.store);
        h.client.Start(AolTree());
        h.client.Command("hang");
      },
      {},
      [](HostileHarness& h) { h.client.Command("wake"); },
      SignedOn,
      "go",
      [](HostileHarness& h) { h.client.Command("hang"); },
      true,
  });
  cases.push_back({
      "CS2000 hung with \"The Connection Failed\" up",
      [](HostileHarness& h, const HostileTiming&) {
        h.store.Write(settings::kCsStayOnline, 1);
        h.store.Write(settings::kCsAutoRedial, 1);
        h.client.Start(kCs2000Tree);
        h.client.Command("hang");
      },
      {},
      [](HostileHarness& h) { h.client.Command("wake"); },
      SignedOn,
      "go",
      [](HostileHarness& h) { h.client.Command("hang"); },
      true,
  });
  cases.push_back({
      "AOL answers every message late",
      [](HostileHarness& h, const HostileTiming& t) {
        WatchAol(h.store);
        h.client.Start(AolTree());
        h.client.Command("slow " + std::to_string(t.slowMs));
      },
      {},
      {},
      SignedOn,
      "go",
      {},
      false,
  });
  cases.push_back({
      "AOL answers the \"OK\" late, then at once",
      [](HostileHarness& h, const HostileTiming& t) {
        WatchAol(h.store);
        h.client.Start(AolTree(" on=KEYDOWN#1:sleep:" + std::to_string(t.lateMs)));
      },
      {},
      {},
      SignedOn,
      "go",
      {},
      false,
  });
  cases.push_back({
      "a launcher's \"cannot sign-on\" box left open",
      [](HostileHarness& h, const HostileTiming&) {
        WatchAol(h.store);
        h.store.WriteBrowserLaunch(settings::SignOnClient::Aol, 1, CommandLineRecorder::ExePath());
        h.store.Write(settings::kAolSignOn, 1);
      },
      // The launch finds no client and shows its box; then the client comes.
      [](HostileHarness& h, const HostileTiming&) {
        PumpEachUntil([&] { return !h.BoxTexts().empty(); }, 30000);
        h.client.Start(AolTree());
      },
      {},
      SignedOn,
      "go",
      {},
      false,
  });
  cases.push_back({
      "the NetZero redial's waits",
      [](HostileHarness& h, const HostileTiming&) {
        h.store.Write(settings::kNetZeroStayOnline, 1);
        h.store.Write(settings::kNetZeroVersion, "3.0");
        h.store.Write(settings::kNetZeroAutoRedial, 1);
        h.store.Write(settings::kNetZeroProgramPath, "");  // the dial ends in its launch error
        h.client.Start(R"(window lost class="AwtDialog" text="Connection Lost" on=click#2:close:lost)");
      },
      {},
      {},
      // The redial asked the dialer for a dial.
      [](HostileHarness& h) { return h.SawLook(11); },
      nullptr,
      {},
      false,
  });
  cases.push_back({
      "a POP3 server that trickles",
      [](HostileHarness& h, const HostileTiming& t) {
        h.store.Write(settings::kMsnStayOnline, 1);
        h.store.Write(settings::kPop3Enable, 1);
        h.store.Write(settings::kPop3TimerInterval, 1);
        h.store.WritePop3ServerName(h.pop3Address);
        h.store.WritePop3Login("user");
        h.store.WritePop3Password("secret");
        // Never a whole line, each byte before the reply wait runs out: the
        // check lasts as long as its limit lets it.
        const DWORD gap = static_cast<DWORD>(Pop3ReplyWaitMs(t.scale) / 2);
        h.pop3.Start(h.pop3Address, 110, {SendBytewise("+OK " + std::string(400, '.'), gap), Hold()});
      },
      [](HostileHarness& h, const HostileTiming&) { h.Kick(18); },
      {},
      // The check gave up: the tray says so.
      [](HostileHarness& h) { return h.SawLook(33); },
      nullptr,
      // Exit in the middle of the next check.
      [](HostileHarness& h) {
        const int before = h.pop3.ConnectionCount();
        h.Kick(18);
        PumpEachUntil([&] { return h.pop3.ConnectionCount() > before; });
      },
      false,
  });
  return cases;
}

}  // namespace

double Pop3ReplyWaitMs(double scale) { return Pop3Connection::kReplyTimeoutMs * scale; }

HostileHarness::HostileHarness() : parts_(std::make_shared<ProductionParts>()) {
  store.Write(settings::kHostsAdded, 1);
  savedBoxHandler_ = win::SetMessageBoxHandler([this](HWND, const char* text, const char*, UINT) {
    const std::string t = text ? text : "";
    {
      win::LockGuard g(boxLock_);
      boxes_.push_back(t);
    }
    // A user away from the screen leaves this box up: until Exit ends it.
    if (t.rfind("Tetherly! cannot sign-on", 0) == 0) win::WaitWhileMessageBoxUp(120000);
    return IDOK;
  });
}

HostileHarness::~HostileHarness() {
  dlg_.reset();
  parts_.reset();
  client.Stop();
  pop3.Stop();
  win::SetMessageBoxHandler(savedBoxHandler_);
}

bool HostileHarness::StartRunning() {
  ControllerOptions options;
  options.showSplash = false;
  options.seams.tray.create = [parts = parts_](HWND h) { parts->controller = h; };
  options.seams.tray.setLook = [this](int look, const char*) { looks_.push_back(look); };
  WireWatchers(options.seams, parts_);
  dlg_ = std::make_unique<StatusReportDlg>(std::move(options));
  if (!dlg_->Create()) return false;
  dlg_->ToggleService();
  return dlg_->mode() == ConnectionMode::Running;
}

HWND HostileHarness::controller() const { return dlg_ ? dlg_->hwnd() : nullptr; }

void HostileHarness::Kick(UINT_PTR timer) { PostMessageA(controller(), WM_TIMER, timer, 0); }

bool HostileHarness::SawLook(int look) const {
  for (int l : looks_)
    if (l == look) return true;
  return false;
}

std::vector<std::string> HostileHarness::BoxTexts() {
  win::LockGuard g(boxLock_);
  return boxes_;
}

bool HostileHarness::Exit(double& ms, DWORD limitMs) {
  HWND h = controller();
  const double start = NowMs();
  PostMessageA(h, WM_COMMAND, cmd::kExit, 0);
  const bool gone = PumpEachUntil([&] { return !IsWindow(h); }, limitMs);
  ms = NowMs() - start;
  return gone;
}

const std::vector<HostileCase>& HostileCases() {
  static const std::vector<HostileCase> cases = MakeCases();
  return cases;
}

}  // namespace testing_support

// The NetZero dialer: the toggle and the report relay (user-interface thread)
// and one dial on its own thread.
#include "watchers/NetZeroDialer.h"

#include <shellapi.h>

#include <atomic>
#include <string>

#include "res/resource_watchers.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "watchers/LaunchWaits.h"
#include "watchers/NetZeroRules.h"
#include "watchers/ShellLaunch.h"
#include "watchers/ShellLaunchError.h"
#include "watchers/WindowPress.h"
#include "win/Clock.h"
#include "win/Lock.h"
#include "win/MessageBox.h"
#include "win/ResourceText.h"

namespace watch {
namespace {

// Relay window message: wParam the serial of the dial whose report waits.
constexpr UINT kRelayReport = WM_APP + 200;

std::atomic<long> g_runningThreads{0};

// The sizes the texts are read with.
constexpr std::size_t kLongText = 1024;
constexpr std::size_t kTitleText = 512;

constexpr int kClickTries = 60;
constexpr DWORD kClickGapMs = 500;
constexpr int kConnectedPolls = 1800;
constexpr int kMessageBoxPolls = 1200;
constexpr DWORD kPollGapMs = 100;

}  // namespace

// One dial: shared by the user-interface thread (which may stop it) and its
// dialer thread (which runs it and may outlive the dialer object).
struct NetZeroDialer::Run {
  Run(HWND relayWindow, unsigned runSerial)
      : queueReady(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        delivered(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
        relay(relayWindow),
        serial(runSerial) {}
  ~Run() {
    if (queueReady) CloseHandle(queueReady);
    if (delivered) CloseHandle(delivered);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // Any thread: every wait of the dial ends now, its box too.
  void Stop() {
    waits.End();
    boxes.EndAll();
  }
  bool Stopped() const { return waits.Ended(); }

  // Dialer thread: hands a report to the relay and waits until the
  // controller has handled it; false when the dial was stopped meanwhile.
  bool Report(WPARAM code, const char* text) {
    if (Stopped()) return false;
    {
      win::LockGuard g(lock);
      pendingCode = code;
      hasText = text != nullptr;
      pendingText = text ? text : "";
    }
    if (!PostMessageA(relay, kRelayReport, serial, 0)) return false;
    return waits.WaitFor(delivered, INFINITE);
  }

  LaunchWaits waits;  // the stop signal
  win::MessageBoxEnder boxes;
  const HANDLE queueReady;
  const HANDLE delivered;
  const HWND relay;
  const unsigned serial;
  SettingsStore store;

  win::Lock lock;  // guards the report being handed over
  WPARAM pendingCode = 0;
  bool hasText = false;
  std::string pendingText;
};

// Passes the dial's reports on to the controller, on the user-interface thread.
class NetZeroDialer::Relay : public win::Window {
 public:
  explicit Relay(NetZeroDialer& owner) : owner_(owner) {}
  bool Create() {
    return win::Window::Create("TetherlyNetZeroRelay", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg != kRelayReport) return false;
    owner_.Deliver(static_cast<unsigned>(wp));
    result = 0;
    return true;
  }

 private:
  NetZeroDialer& owner_;
};

namespace {

BOOL CALLBACK EnumNetZeroLoginBtnFunc(HWND child, LPARAM) {
  if (MatchExact(ReadText(child), "Login")) FocusSpacePress(child);
  return TRUE;
}

// At most one press per enumeration: it stops at the first "Connect" button.
BOOL CALLBACK EnumNetZeroConnectBtnFunc(HWND child, LPARAM) {
  if (MatchExact(ReadText(child, kShortTextBuffer), "Connect") &&
      MatchExact(ReadClass(child, kShortTextBuffer), "Button")) {
    FocusSpacePress(child);
    return FALSE;
  }
  return TRUE;
}

// Every canvas one level or more below the one enumerated: canvases that are
// direct children of the dialog itself are not clicked.
BOOL CALLBACK EnumNetZeroCanvasFunc(HWND child, LPARAM) {
  ForEachCanvasOf(child, [](HWND canvas) {
    FocusOn(canvas);
    ClickAt(canvas, 305, 14);
  });
  return TRUE;
}

// The dialing sequence of one dial request, on the dialer thread.
class NetZeroDial {
 public:
  NetZeroDial(NetZeroDialer::Run& run, HWND controller) : run_(run), controller_(controller) {}

  void RunSequence() {
    ShellComScope com;
    if (!LaunchNetZero()) return;
    std::string version;
    run_.store.Read(settings::kNetZeroVersion, version);
    switch (netzero::SequenceFor(version)) {
      case netzero::Sequence::Login:
        if (ClickNetZeroLogin()) WaitNetZeroMessageBox();
        break;
      case netzero::Sequence::Connect:
        if (ClickNetZeroConnect()) WaitNetZeroConnected(false);
        break;
      case netzero::Sequence::Connect3:
        if (ClickNetZeroConnect()) WaitNetZeroConnected(true);
        break;
      case netzero::Sequence::None:
        break;
    }
  }

  bool Report(WPARAM code, const char* text = nullptr) { return run_.Report(code, text); }

 private:
  bool LaunchNetZero() {
    std::string path;
    run_.store.Read(settings::kNetZeroProgramPath, path);
    std::string directory;
    const bool hasDirectory = netzero::LaunchDirectory(path, directory);
    const INT_PTR result = StartProgram(controller_, path, {},
                                        hasDirectory ? directory.c_str() : nullptr, SW_SHOWNORMAL);
    // A stop during the launch leaves the client started, but nothing more is done.
    if (!ShellLaunchFailed(result)) return !run_.Stopped();
    if (run_.Stopped()) return false;
    ShowShellLaunchError(result,
                         win::LoadResourceText(IDS_NETZERO_LAUNCH_ERROR_CAPTION, "NetZero Dialer Error"),
                         &run_.boxes);
    Report(dial_event::kError, ShellLaunchErrorText(result).c_str());
    return false;
  }

  // Gives `attempt` up to `tries` tries, `gapMs` apart, each in a send scope of
  // its own, for no longer than the tries would take with no time of their
  // own (a slow client makes fewer tries, not a longer wait); true as soon as
  // one returns true, false when stopped or out of tries or time.
  bool Attempts(int tries, DWORD gapMs, const std::function<bool()>& attempt) {
    const DWORD limit = win::ScaledMs(static_cast<DWORD>(tries - 1) * gapMs);
    const DWORD start = GetTickCount();
    for (int i = 0; i < tries; ++i) {
      if (i > 0 && (GetTickCount() - start >= limit || !run_.waits.Sleep(gapMs))) return false;
      if (run_.Stopped()) return false;
      HungThreads hung;
      SendScope scope(hung);
      if (attempt()) return true;
    }
    return false;
  }

  bool ClickNetZeroLogin() {
    const bool found = Attempts(kClickTries, kClickGapMs, [] {
      HWND dialog = FindWindowA("AwtDialog", nullptr);
      if (!dialog || !netzero::IsLoginDialog(ReadText(dialog, kLongText))) return false;
      EnumChildWindows(dialog, EnumNetZeroLoginBtnFunc, 0);
      return true;
    });
    if (!found && !run_.Stopped()) Report(dial_event::kError, netzero::kLoginNotFound);
    return found;
  }

  bool ClickNetZeroConnect() {
    HWND dialog = nullptr;
    std::string title;
    netzero::ConnectAction action = netzero::ConnectAction::NotYet;
    const bool found = Attempts(kClickTries, kClickGapMs, [&] {
      dialog = FindWindowA("AwtDialog", nullptr);
      if (!dialog) return false;
      title = ReadCaption(dialog, kTitleText);
      action = netzero::ConnectActionFor(title);
      return action != netzero::ConnectAction::NotYet;
    });
    if (!found) {
      if (!run_.Stopped()) Report(dial_event::kError, netzero::kConnectNotFound);
      return false;
    }
    if (action == netzero::ConnectAction::ClickCanvases) {
      if (!run_.waits.Sleep(2500)) return false;
      EnumerateInScope(dialog, EnumNetZeroCanvasFunc);
      return true;
    }
    // The button may show late: the dialog is searched again at 3000 and 5000
    // ms, and for 2.2 at 8000 ms; each search presses at most one button.
    EnumerateInScope(dialog, EnumNetZeroConnectBtnFunc);
    for (DWORD gap : {3000u, 2000u}) {
      if (!run_.waits.Sleep(gap)) return false;
      EnumerateInScope(dialog, EnumNetZeroConnectBtnFunc);
    }
    if (netzero::WantsFourthConnect(title)) {
      if (!run_.waits.Sleep(3000)) return false;
      EnumerateInScope(dialog, EnumNetZeroConnectBtnFunc);
    }
    return true;
  }

  void EnumerateInScope(HWND dialog, WNDENUMPROC each) {
    if (run_.Stopped()) return;
    HungThreads hung;
    SendScope scope(hung);
    EnumChildWindows(dialog, each, 0);
  }

  // "1.6" to "2.2" (dialing dialog "Dialing ...") and "3.0" to "4.1" ("NZTV...").
  bool WaitNetZeroConnected(bool version3) {
    if (!run_.waits.Sleep(version3 ? 2000 : 3000)) return false;
    bool cancelled = false, connected = false;
    Attempts(kConnectedPolls, kPollGapMs, [&] {
      if (HWND dialog = FindWindowA("AwtDialog", nullptr)) {
        cancelled = netzero::DialStateFor(version3, ReadText(dialog)) == netzero::DialState::Cancelled;
        return cancelled;
      }
      connected = FindWindowA("AwtWindow", nullptr) && FindWindowA("AwtFrame", nullptr);
      return connected;
    });
    if (run_.Stopped()) return false;
    if (connected) return Report(dial_event::kConnected);
    Report(dial_event::kError, cancelled ? (version3 ? netzero::kConnectionCancelled : netzero::kCancelClicked)
                                    : netzero::kUnableToConnect);
    return false;
  }

  // "1.5": the client says how the connection went in a box of its own.
  void WaitNetZeroMessageBox() {
    if (!run_.waits.Sleep(3000)) return;
    bool answered = false;
    Attempts(kMessageBoxPolls, kPollGapMs, [&] {
      if (HWND box = FindWindowA("AwtDialog", "NetZero MessageBox")) {
        EnumChildWindows(box, EnumNetZeroMessageBoxFunc, reinterpret_cast<LPARAM>(this));
        return answered = true;
      }
      if (FindWindowA("AwtWindow", nullptr)) {
        Report(dial_event::kConnected);
        return answered = true;
      }
      return false;
    });
    // Running out must not leave the tray dialing for ever.
    if (!answered && !run_.Stopped()) Report(dial_event::kError, netzero::kUnableToConnect);
  }

  static BOOL CALLBACK EnumNetZeroMessageBoxFunc(HWND child, LPARAM dial) {
    auto* self = reinterpret_cast<NetZeroDial*>(dial);
    const std::string text = ReadText(child, kLongText);
    switch (netzero::MessageBoxChildFor(text)) {
      case netzero::MessageBoxChild::Error:
        return self->Report(dial_event::kError, text.c_str());
      case netzero::MessageBoxChild::Connected:
        return self->Report(dial_event::kConnected);
      default:
        return TRUE;
    }
  }

  NetZeroDialer::Run& run_;
  HWND controller_;
};

// A standard message loop that also ends when the dial is stopped; it
// handles one dial request and ends.
void DialerLoop(NetZeroDialer::Run& run) {
  const HANDLE stopped = run.waits.endedEvent();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (msg.hwnd == nullptr && msg.message == kNetZeroDialRequest) {
        NetZeroDial(run, reinterpret_cast<HWND>(msg.wParam)).RunSequence();
        return;
      }
    }
    if (MsgWaitForMultipleObjects(1, &stopped, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
      return;
  }
}

DWORD WINAPI NetZeroDialerThread(void* param) {
  auto* handed = static_cast<std::shared_ptr<NetZeroDialer::Run>*>(param);
  std::shared_ptr<NetZeroDialer::Run> run = std::move(*handed);
  delete handed;
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
  SetEvent(run->queueReady);
  try {
    DialerLoop(*run);
  } catch (...) {
    // A dial that throws ends like one that failed.
  }
  run.reset();
  --g_runningThreads;
  return 0;
}

// Starts the dialer thread and returns its id once it has its message queue
// (0 when it could not be started).
DWORD StartDialerThread(const std::shared_ptr<NetZeroDialer::Run>& run) {
  auto* handed = new std::shared_ptr<NetZeroDialer::Run>(run);
  ++g_runningThreads;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, NetZeroDialerThread, handed, 0, &id);
  if (!thread) {
    --g_runningThreads;
    delete handed;
    return 0;
  }
  const HANDLE both[2] = {run->queueReady, thread};
  const DWORD rc = win::WaitForAnyAnsweringSends(2, both, INFINITE);
  CloseHandle(thread);
  return rc == WAIT_OBJECT_0 ? id : 0;
}

}  // namespace

void ForEachCanvasOf(HWND parent, const std::function<void(HWND canvas)>& each) {
  for (HWND c = FindWindowExA(parent, nullptr, "AwtCanvas", ""); c;
       c = FindWindowExA(parent, c, "AwtCanvas", ""))
    each(c);
}

NetZeroDialer::NetZeroDialer() = default;

NetZeroDialer::~NetZeroDialer() { End(); }

long NetZeroDialer::RunningThreads() { return g_runningThreads.load(); }

void NetZeroDialer::Attach(HWND controller, bool& dialerStarted, UINT_PTR& timer9Record) {
  controller_ = controller;
  dialerStarted_ = &dialerStarted;
  timer9_ = &timer9Record;
  if (!relay_) {
    relay_ = std::make_unique<Relay>(*this);
    if (!relay_->Create()) relay_.reset();
  }
}

void NetZeroDialer::MarkDialerStarted() {
  if (dialerStarted_) *dialerStarted_ = true;
}

void NetZeroDialer::Redial() {
  if (IsStarted()) ToggleNetZeroDialer();
  ToggleNetZeroDialer();
  MarkDialerStarted();
}

void NetZeroDialer::ToggleNetZeroDialer() {
  if (ended_ || !controller_) return;
  if (!started_) Start();
  else Stop();
}

void NetZeroDialer::Start() {
  SendMessageA(controller_, dial_event::kMessage, dial_event::kDialing, 0);
  started_ = true;
  auto run = std::make_shared<Run>(relay_ ? relay_->hwnd() : nullptr, ++serial_);
  current_ = run;
  const DWORD thread = relay_ ? StartDialerThread(run) : 0;
  if (thread && PostThreadMessageA(thread, kNetZeroDialRequest, reinterpret_cast<WPARAM>(controller_), 0))
    return;
  // Without its thread the dial cannot go on: the tray must not go on dialing.
  run->Stop();
  current_.reset();
  const std::string text = netzero::kUnableToConnect;
  SendMessageA(controller_, dial_event::kMessage, dial_event::kError, reinterpret_cast<LPARAM>(text.c_str()));
}

void NetZeroDialer::Stop() {
  if (current_) current_->Stop();
  current_.reset();
  SendMessageA(controller_, dial_event::kMessage, dial_event::kEnded, 0);
  if (timer9_ && *timer9_ != 0) {
    KillTimer(controller_, kNetZeroTimerId);
    *timer9_ = 0;
  }
  started_ = false;
}

void NetZeroDialer::End() {
  ended_ = true;
  if (current_) current_->Stop();
  current_.reset();
  started_ = false;
}

void NetZeroDialer::Deliver(unsigned serial) {
  // A report of a stopped dial goes nowhere: its thread is ending.
  std::shared_ptr<Run> run = current_;
  if (!run || run->serial != serial) return;
  WPARAM code;
  std::string text;
  bool hasText;
  {
    win::LockGuard g(run->lock);
    code = run->pendingCode;
    text = run->pendingText;
    hasText = run->hasText;
  }
  SendMessageA(controller_, dial_event::kMessage, code, hasText ? reinterpret_cast<LPARAM>(text.c_str()) : 0);
  SetEvent(run->delivered);
}

}  // namespace watch

#pragma once
// Outside clients (and a mail server) that behave badly, played against the
// program's controller with its real watchers: a client that hangs, one that
// answers every message late, one that answers one message late, a
// launcher's box left open, the NetZero redial's long waits, a POP3 server
// that trickles. The watcher tests check each against the bounds the user
// relies on; the watchers benchmark prints the user interface's latency in
// each.
//
// A case runs as: set up (settings, the stand-in client, servers) -> the
// controller starts its services -> the client turns hostile -> (measured
// phase) -> the client recovers -> what the user needs is done (a sign-on
// pressed, a redial asked for, a mail check over) -> hostile again -> Exit.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "support/LoopbackServer.h"
#include "support/RegistrySandbox.h"
#include "support/StandInClient.h"
#include "support/TestHarness.h"
#include "win/Lock.h"
#include "win/MessageBox.h"

class StatusReportDlg;
struct ProductionParts;

namespace testing_support {

// How long the hostile behaviours last, in real milliseconds, and the time
// scale of the program's own waits.
struct HostileTiming {
  double scale = 0.05;
  DWORD hungMs = 2000;  // how long a hung client stays hung
  DWORD slowMs = 300;   // every message answered this late (within a send's bound)
  DWORD lateMs = 1300;  // the one late answer (beyond a send's bound)
};

// The controller with its production watchers and nothing else (no tray
// window, no keep-alive traffic), on an empty registry.
class HostileHarness {
 public:
  HostileHarness();
  ~HostileHarness();
  HostileHarness(const HostileHarness&) = delete;
  HostileHarness& operator=(const HostileHarness&) = delete;

  SettingsStore store;
  StandInClient client;
  LoopbackServer pop3;
  const char* pop3Address = "127.16.7.1";  // where the mail server of a case listens
  CommandLineRecorder recorder;

  // Builds the controller and starts its services.
  bool StartRunning();
  HWND controller() const;
  StatusReportDlg* dlg() { return dlg_.get(); }
  // A tick of `timer` now, as its WM_TIMER would come.
  void Kick(UINT_PTR timer);
  // Tray looks set so far (user-interface thread).
  std::vector<int> Looks() const { return looks_; }
  bool SawLook(int look) const;
  std::vector<std::string> BoxTexts();
  // Exit as the tray menu sends it; true once the window is gone within
  // `limitMs`, with the time it took.
  bool Exit(double& ms, DWORD limitMs = 15000);

 private:
  RegistrySandbox sandbox_;
  WinsockSession winsock_;
  std::shared_ptr<ProductionParts> parts_;
  std::unique_ptr<StatusReportDlg> dlg_;
  std::vector<int> looks_;
  win::Lock boxLock_;
  std::vector<std::string> boxes_;
  win::MessageBoxHandler savedBoxHandler_;
};

struct HostileCase {
  const char* name;
  // Settings, the stand-in, servers: before the controller runs.
  std::function<void(HostileHarness&, const HostileTiming&)> setUp;
  // Once it runs: what turns the case hostile (may be empty).
  std::function<void(HostileHarness&, const HostileTiming&)> turnHostile;
  // The client recovers after the measured phase (may be empty).
  std::function<void(HostileHarness&)> recover;
  // What the user needs done.
  std::function<bool(HostileHarness&)> served;
  // The client's control that must have been pressed exactly once, or null.
  const char* pressedOnce;
  // Hostile again before Exit (may be empty).
  std::function<void(HostileHarness&)> beforeExit;
  // Whether the phase lasts while the client is hung (timing.hungMs) or
  // only until the case is served.
  bool hangs;
};

const std::vector<HostileCase>& HostileCases();

// How long the POP3 client waits for the rest of a reply, at `scale`.
double Pop3ReplyWaitMs(double scale);

}  // namespace testing_support

#pragma once
// The NetZero dialer against the stand-in client started by the dialer itself
// (copied as "nzStart.exe" into a folder of its own), reporting to a window
// that stands in for the controller and records every status in order.
//
// The trees title the client's dialog only once its controls stand ("after
// 100 settext main ..."): the dialer acts as soon as it sees the title, and a
// dialog found while the stand-in is still building it has no controls yet.
#include <string>
#include <vector>

#include "settings/SettingsSchema.h"
#include "watcher_fixture.h"
#include "watchers/NetZeroDialer.h"
#include "watchers/NetZeroWatcher.h"

// Records message 32868 as "<status>" or "<status> <text>", with its time.
class StatusRecorder : public win::Window {
 public:
  bool Create();
  std::vector<std::string> statuses;
  std::vector<double> times;  // NowMs of each
  // Runs inside the handler, as the controller's reactions would.
  std::function<void(WPARAM status)> onStatus;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

class DialerTest : public WatcherTest {
 protected:
  DialerTest();
  ~DialerTest() override;

  // "Program Path" at the stand-in showing `tree`, copied as nzStart.exe into
  // a fresh folder; "Version" as given.
  void UseStandIn(const std::string& tree, const std::string& version);
  void UseVersion(const std::string& version) { store_.Write(settings::kNetZeroVersion, version); }
  void UseProgramPath(const std::string& path) { store_.Write(settings::kNetZeroProgramPath, path); }

  // Pumps until `count` statuses arrived.
  bool WaitForStatuses(size_t count, DWORD limitMs = 15000);
  // Pumps until no dialer thread runs.
  static bool WaitForDialerThreads(DWORD limitMs = 15000);
  std::vector<std::string> Statuses() const { return status_.statuses; }
  // What the client's windows received from outside, reads left out, and the
  // focus losses Wine sends a client it has just started (WM_KILLFOCUS from
  // another thread, nothing the dialer does).
  std::vector<std::string> Received(size_t from = 0) const;

  // A twentieth of real time: the dialer looks for the client's dialog for
  // 1.5 s, time enough for the client to start under load.
  static constexpr double kDialScale = 0.05;
  testing_support::TimeScale dialScale_{kDialScale};
  // The folder of the last UseStandIn, with its trailing backslash.
  std::string folder_;
  StatusRecorder status_;
  bool dialerStarted_ = false;
  UINT_PTR timer9_ = 0;
  watch::NetZeroDialer dialer_;

 private:
  std::vector<std::string> folders_;
};

// Every status as the recorder writes it.
std::string Status(WPARAM code, const std::string& text = {});

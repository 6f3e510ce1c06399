#pragma once
// The dial dialog against the simulated library, owned by a stand-in
// controller window that records the dial events. Every progress text,
// caption and status icon the dialog sets is recorded as it is set.
#include <memory>
#include <string>
#include <vector>

#include "dialup/DialProgressDlg.h"
#include "dialup_fixture.h"
#include "support/MessageRecorder.h"

// The dial events the dialog posts to the controller, as the tests list them.
inline constexpr WPARAM kDialing = dialup::kEventDialing, kConnected = dialup::kEventConnected,
                        kEnded = dialup::kEventEnded, kFailed = dialup::kEventFailed;

// The countdown's progress text for `n` seconds.
inline std::string Countdown(int n) { return "Reconnecting in " + std::to_string(n) + " seconds.\n"; }

class DialDialogTest : public DialUpTest {
 protected:
  // A dial that connects within about 50 ms.
  static constexpr const char* kConnects =
      "state 0 5\nstate 1 5\nstate 2 5\nstate 3 5\nstate 4 5\nstate 5 5\nstate 6 5\n"
      "state 14 5\nstate 8192 5\n";

  DialDialogTest();
  ~DialDialogTest() override;

  void Create(int showCommand = SW_SHOW);
  HWND hwnd() const { return dlg_->hwnd(); }
  // Clicks a button the way the user does (BN_CLICKED), now or once the
  // current message is done.
  void Press(int id);
  void PostPress(int id);

  std::string Caption() const;
  std::string ItemText(int id) const;
  bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(hwnd(), id)) != FALSE; }
  // The resource number of the status icon shown now (0 when unknown).
  int IconShown() const;

  bool WaitForText(const std::string& text, DWORD limitMs = 10000);
  bool WaitForEvents(size_t count, DWORD limitMs = 10000);
  bool Saw(const std::vector<std::string>& list, const std::string& item) const;
  // Dials and waits for the connected event.
  void DialAndConnect();

  // The dialog's timers as it started them through the time facility, with
  // the periods it asked for (before scaling).
  struct TimerRequest {
    UINT_PTR id;
    DWORD ms;
  };
  std::vector<TimerRequest> timerRequests_;

  testing_support::MessageRecorder controller_;
  std::unique_ptr<dialup::DialProgressDlg> dlg_;
  std::vector<WPARAM> events_;
  std::string failedText_;  // the text sent with event 32874
  std::vector<int> dialStates_;
  std::vector<std::string> texts_;     // progress texts, as set
  std::vector<std::string> captions_;  // captions, as set
  std::vector<int> icons_;             // status icons, as set
  // Called with each progress text as it is set.
  std::function<void(const std::string&)> onText_;

 private:
  static LRESULT CALLBACK Recorder(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static void OnTimerRequest(HWND hwnd, UINT_PTR id, DWORD ms);
  int IconId(HICON icon) const;
};

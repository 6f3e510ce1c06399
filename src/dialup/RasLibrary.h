#pragma once
// The dial-up library wrapper. "rasapi32.dll" is loaded at run time, from the
// system folder only, and each entry point is looked up just before use, so
// the program runs where the library is missing (a notice says so when the
// user asks for dial-up).
//
// Lifecycle: idle until the first Load. Listing entries unloads the library
// again; dialing and hanging up keep it loaded until the wrapper is deleted.
// The current connection is set by Dial and cleared by a completed hang-up.
// "Prev RAS Handle" keeps the handle of the last dial this program started,
// so that a later run, or the next dial, can end a connection left behind.
//
// Everything runs on the user-interface thread, except the library's dial
// callback, which only posts kDialStateMessage to the window given to Dial.
// Only one dial is in progress at a time in the process.
#include <windows.h>

#include <string>
#include <vector>

#include "dialup/DialTexts.h"
#include "dialup/RasApi.h"
#include "settings/SettingsStore.h"

namespace dialup {

// Posted by the dial callback: wParam the connection state, lParam the error (0 none).
inline constexpr UINT kDialStateMessage = WM_APP + 15;  // 32783

class RasLibrary {
 public:
  // The hang-up wait: polls this far apart, at most this long (both scaled
  // by the program's clock).
  static constexpr DWORD kHangUpPollMs = 50;
  static constexpr DWORD kHangUpWaitMs = 3000;

  RasLibrary() = default;
  ~RasLibrary();
  RasLibrary(const RasLibrary&) = delete;
  RasLibrary& operator=(const RasLibrary&) = delete;

  // Owner of the boxes and the notice this wrapper shows (may be null).
  void SetOwner(HWND owner) { owner_ = owner; }

  // Loads the library unless this object has it; shows the notice when it
  // cannot be loaded.
  bool Load();
  // Appends every phonebook entry's name, in the library's order. 0, or the
  // reason it failed (the load's own error when the library is missing).
  DWORD ListEntries(std::vector<std::string>& names);
  // The "Profile" setting; empty when unset.
  std::string ProfileName() const;
  // Starts dialing the profile; states arrive at `notify` as kDialStateMessage.
  // True when the dial has started. What went wrong has been shown, except
  // a dial the library refused when `showRefusal` is false: then
  // dialRefusal() tells its error, for the caller to show.
  bool Dial(HWND notify, bool showRefusal = true);
  // The library's answer to the last dial it refused at once; 0 otherwise.
  DWORD dialRefusal() const { return dialRefusal_; }
  // Ends the current connection and waits (bounded) until the library lets
  // go of it. True when it was hung up.
  bool HangUpCurrent();
  // Ends the connection remembered in "Prev RAS Handle" and the first active
  // connection. True when it hung up.
  bool HangUpPrevious();

  static const char* StateText(DWORD state) { return ConnectionStateText(state); }
  // The library's text for `code` (raised by 600 below 600) in a box.
  void ShowDialUpError(DWORD code);
  // The library's text for `code` as it is (at most 511 characters); empty,
  // after a system-error box, when the library has none.
  std::string DialUpErrorText(DWORD code);
  // The system's text for `code` in an "Error" box.
  void ShowSystemError(DWORD code);
  // Whether any dial-up connection exists.
  static bool ConnectionActive();

  bool loaded() const { return loaded_; }
  RasHandle current() const { return current_; }

 private:
  void Unload();
  bool ReconnectOn() const;
  // Shows a refused hang-up, unless the program redials by itself.
  void ReportRefusal(DWORD rc);
  // The library's text through a 512-byte buffer; false, with the lookup's
  // own answer in `failure`, when it has none.
  bool LookUpErrorText(DWORD code, std::string& text, DWORD& failure);
  bool ReadDialParams(const std::string& profile, RasDialParams& params);
  void StorePrevHandle(RasHandle handle);
  void AwaitHangUp(RasHandle handle);

  SettingsStore store_;
  bool loaded_ = false;
  HMODULE library_ = nullptr;
  DWORD loadError_ = 0;
  RasHandle current_ = nullptr;
  HWND owner_ = nullptr;
  DWORD dialRefusal_ = 0;
};

}  // namespace dialup

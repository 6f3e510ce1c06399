#pragma once
// The program's application object: starts Windows Sockets, creates the
// hidden trace window and the main controller, runs the message loop, and
// tears the trace window down after the controller has ended the loop.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/StatusReportDlg.h"
#include "app/TraceLog.h"

struct AppOptions {
  // Starts Windows Sockets; returns whether version 1.1 is available.
  std::function<bool()> startSockets;
  // Shows a start-up error to the user (a message box by default).
  std::function<void(const char* text)> showError;
  // Builds the controller's options (seams and service sessions).
  std::function<ControllerOptions()> controllerOptions;
};

class KeepAliveApp {
 public:
  explicit KeepAliveApp(AppOptions options = {});
  ~KeepAliveApp();

  // False ends the program at once.
  bool InitInstance();
  int Run();
  int ExitInstance();

  TraceLog* traceWindow() { return trace_.get(); }
  StatusReportDlg* controller() { return controller_.get(); }

  // The running program's application object, or null.
  static KeepAliveApp* Current();

 private:
  bool StartSockets();
  void TellIfSettingsCannotBeSaved();
  AppOptions options_;
  std::unique_ptr<TraceLog> trace_;
  std::unique_ptr<StatusReportDlg> controller_;
  bool socketsStarted_ = false;
};

// What the start-up check says when neither copy of the settings key can be
// written.
std::string UnwritableSettingsText(DWORD error);

// Winsock 1.1 exactly, or failure (with WSACleanup after a mismatch).
bool StartWindowsSockets11();

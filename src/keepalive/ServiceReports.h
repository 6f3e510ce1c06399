#pragma once
// How the service workers and their sockets report to the controller
// window: exchange progress (32770), service results (32771) and current
// hosts (32781). The reports go through one inbox of the controller's
// thread and reach the controller window there as the very messages it
// handles, each one, in the order they were made; a worker never waits for
// the controller, and a burst of reports (one exchange, or the exchanges of
// a whole cycle) costs the controller's thread one wake-up instead of one
// posted message per report.
//
// Lifecycle: Create() on the controller window's thread -> reports from any
// thread -> destruction on that thread, which frees the host texts of
// reports not yet delivered. Without an inbox (Create failed or never
// called) each report is posted to the controller on its own.
#include <windows.h>

#include "settings/ServiceKind.h"
#include "win/Inbox.h"

class ServiceReports {
 public:
  ServiceReports() = default;
  ~ServiceReports();
  ServiceReports(const ServiceReports&) = delete;
  ServiceReports& operator=(const ServiceReports&) = delete;

  bool Create(HWND controller);
  HWND controller() const { return controller_; }

  void Progress(WPARAM phase);
  void Result(ServiceKind kind, LPARAM result);
  // Carries an owned copy of `host` (at most 127 characters).
  void CurrentHost(int phase, ServiceKind kind, const char* host);

 private:
  struct Report {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
  };
  void Send(const Report& report);
  void Deliver(Report& report);
  static void Dispose(Report& report);

  HWND controller_ = nullptr;
  bool useInbox_ = false;  // set once, before any worker reports
  win::Inbox<Report> inbox_;
};

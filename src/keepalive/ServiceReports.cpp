#include "keepalive/ServiceReports.h"

#include "keepalive/ServiceMessages.h"

ServiceReports::~ServiceReports() { inbox_.Close(); }

bool ServiceReports::Create(HWND controller) {
  controller_ = controller;
  // The inbox hands reports over on this thread: only worth it when the
  // controller window belongs to it.
  if (!controller || GetWindowThreadProcessId(controller, nullptr) != GetCurrentThreadId())
    return false;
  useInbox_ = inbox_.Create([this](Report& r) { Deliver(r); }, &ServiceReports::Dispose);
  return useInbox_;
}

void ServiceReports::Progress(WPARAM phase) { Send({svcmsg::kExchangeProgress, phase, 0}); }

void ServiceReports::Result(ServiceKind kind, LPARAM result) {
  Send({svcmsg::kServiceResult, static_cast<WPARAM>(ServiceIndex(kind)), result});
}

void ServiceReports::CurrentHost(int phase, ServiceKind kind, const char* host) {
  const LPARAM text = svcmsg::CopyHostText(host);
  if (!text) return;
  Send({svcmsg::kCurrentHost, svcmsg::CurrentHostParam(phase, kind), text});
}

void ServiceReports::Send(const Report& report) {
  if (useInbox_) {
    inbox_.Put(report);  // once closed, it frees the report instead
    return;
  }
  if (!PostMessageA(controller_, report.message, report.wParam, report.lParam)) {
    Report undelivered = report;
    Dispose(undelivered);
  }
}

// On the controller's thread, so the send is a plain call of its window
// procedure: the controller sees the message exactly as if it were posted.
void ServiceReports::Deliver(Report& report) {
  if (!IsWindow(controller_)) {
    Dispose(report);
    return;
  }
  SendMessageA(controller_, report.message, report.wParam, report.lParam);
}

void ServiceReports::Dispose(Report& report) {
  if (report.message == svcmsg::kCurrentHost) svcmsg::TakeCurrentHost(report.lParam);
  report.lParam = 0;
}

#include "keepalive/ServiceWorkers.h"

#include <cstring>

#include "keepalive/ServiceMessages.h"
#include "win/Clock.h"

void ServiceContext::ReportProgress(WPARAM phase) {
  if (reports) reports->Progress(phase);
  else svcmsg::PostProgress(controller, phase);
}

void ServiceContext::ReportResult(LPARAM result) {
  if (reports) reports->Result(kind, result);
  else svcmsg::PostResult(controller, kind, result);
}

void ServiceContext::ReportHost(int phase, const char* host) {
  if (reports) reports->CurrentHost(phase, kind, host);
  else svcmsg::PostCurrentHost(controller, phase, kind, host);
}

struct ServiceWorkers::Service {
  ServiceContext context;
  win::WorkerThread thread;
  std::unique_ptr<ServiceSession> session;  // lives on the worker thread
};

struct ServiceWorkers::LauncherSlot {
  Launcher which = Launcher::Aol;
  HWND controller = nullptr;
  win::GuardedFlag busy;
  win::WorkerThread thread;
};

namespace {

// Owned copy of a request's host text, freed by the worker that takes it.
char* CopyHost(const char* host) {
  auto* copy = new char[ServiceWorkers::kHostCapacity];
  size_t n = host ? strnlen(host, ServiceWorkers::kHostCapacity - 1) : 0;
  if (n) std::memcpy(copy, host, n);
  copy[n] = '\0';
  return copy;
}

}  // namespace

ServiceWorkers::ServiceWorkers() = default;

ServiceWorkers::~ServiceWorkers() {
  if (!shutDown_) Shutdown(3000);
}

DWORD ServiceWorkers::Start(HWND controller, ServiceSessionFactory sessions, LaunchRoutine launch) {
  sessionFactory_ = std::move(sessions);
  launch_ = std::move(launch);
  reports_ = std::make_unique<ServiceReports>();
  reports_->Create(controller);  // without its inbox, reports are posted one by one
  for (int i = 0; i < kServiceCount; ++i) {
    auto service = std::make_unique<Service>();
    service->context.kind = ServiceFromIndex(i);
    service->context.controller = controller;
    service->context.reports = reports_.get();
    services_[i] = std::move(service);
  }
  for (int i = 0; i < 2; ++i) {
    auto slot = std::make_unique<LauncherSlot>();
    slot->which = static_cast<Launcher>(i);
    slot->controller = controller;
    launchers_[i] = std::move(slot);
  }
  return ERROR_SUCCESS;
}

bool ServiceWorkers::EnsureRunning(Service& service) {
  if (service.thread.id() != 0) return true;
  Service* s = &service;
  return s->thread.Start(
             [this, s](const MSG& msg) { HandleServiceMessage(*s, msg); },
             [this, s] {
               if (sessionFactory_) s->session = sessionFactory_(s->context);
             },
             [s] { s->session.reset(); }) == ERROR_SUCCESS;
}

bool ServiceWorkers::EnsureRunning(LauncherSlot& launcher) {
  if (launcher.thread.id() != 0) return true;
  LauncherSlot* l = &launcher;
  const UINT request = l->which == Launcher::Aol ? kLaunchAolMessage : kLaunchCs2000Message;
  // The routine is copied: a launch may outlive this object (Shutdown does not wait for it).
  return l->thread.Start([launch = launch_, l, request](const MSG& msg) {
    if (msg.message != request) return;
    if (launch) launch(l->which, reinterpret_cast<HWND>(msg.wParam));
    l->busy.Set(0);
  }) == ERROR_SUCCESS;
}

void ServiceWorkers::HandleServiceMessage(Service& service, const MSG& msg) {
  if (msg.message != kRequestMessage[ServiceIndex(service.context.kind)]) return;
  std::unique_ptr<char[]> host(reinterpret_cast<char*>(msg.lParam));
  // A request that raced with a stop is dropped; the flag is released so the
  // next start sends to this service again.
  if (paused_.load() || !service.session) {
    service.context.Release();
    return;
  }
  const bool visit = service.context.kind == ServiceKind::Http &&
                     msg.wParam == kOwnWebHostRequest;
  service.session->OnRequest(visit || !host ? "" : host.get(), visit);
}

bool ServiceWorkers::IsBusy(ServiceKind kind) {
  Service* s = services_[ServiceIndex(kind)].get();
  return s && s->context.busy.Get() != 0;
}

bool ServiceWorkers::TryClaim(ServiceKind kind) {
  Service* s = services_[ServiceIndex(kind)].get();
  return s && s->context.busy.TryClaim();
}

void ServiceWorkers::Release(ServiceKind kind) {
  if (Service* s = services_[ServiceIndex(kind)].get()) s->context.Release();
}

bool ServiceWorkers::PostRequest(ServiceKind kind, const char* host) {
  Service* s = services_[ServiceIndex(kind)].get();
  if (!s || shutDown_ || !EnsureRunning(*s)) return false;
  char* copy = CopyHost(host);
  if (s->thread.Post(kRequestMessage[ServiceIndex(kind)], 0, reinterpret_cast<LPARAM>(copy)))
    return true;
  delete[] copy;
  return false;
}

bool ServiceWorkers::PostOwnWebHostVisit() {
  Service* s = services_[ServiceIndex(ServiceKind::Http)].get();
  if (!s || shutDown_ || !EnsureRunning(*s)) return false;
  char* copy = CopyHost("");
  if (s->thread.Post(kRequestMessage[ServiceIndex(ServiceKind::Http)], kOwnWebHostRequest,
                     reinterpret_cast<LPARAM>(copy)))
    return true;
  delete[] copy;
  return false;
}

bool ServiceWorkers::RequestLaunch(Launcher which) {
  LauncherSlot* l = launchers_[static_cast<int>(which)].get();
  if (!l || shutDown_ || !EnsureRunning(*l) || !l->busy.TryClaim()) return false;
  const UINT request = which == Launcher::Aol ? kLaunchAolMessage : kLaunchCs2000Message;
  if (l->thread.Post(request, reinterpret_cast<WPARAM>(l->controller), 0)) return true;
  l->busy.Set(0);
  return false;
}

bool ServiceWorkers::IsLaunching(Launcher which) {
  LauncherSlot* l = launchers_[static_cast<int>(which)].get();
  return l && l->busy.Get() != 0;
}

void ServiceWorkers::Pause() { paused_.store(true); }

void ServiceWorkers::Resume() { paused_.store(false); }

bool ServiceWorkers::Shutdown(DWORD waitMs) {
  if (shutDown_) return true;
  shutDown_ = true;
  Resume();
  HANDLE handles[kServiceCount];
  DWORD count = 0;
  for (auto& s : services_) {
    if (!s) continue;
    s->thread.PostQuit();
    if (s->thread.handle()) handles[count++] = s->thread.handle();
  }
  for (auto& l : launchers_)
    if (l) l->thread.PostQuit();
  bool allEnded =
      count == 0 || win::WaitForAllAnsweringSends(count, handles, waitMs) == WAIT_OBJECT_0;
  if (!allEnded) {
    // Killing a thread that may hold the heap or a busy-flag lock would risk
    // a deadlock in everything after; keep its objects alive instead, and
    // the reports it may still make.
    for (auto& s : services_)
      if (s && s->thread.IsRunning()) (void)s.release();
    (void)reports_.release();
  }
  for (auto& l : launchers_)
    if (l && l->thread.IsRunning()) (void)l.release();  // launchers are not waited for
  return allEnded;
}

DWORD ServiceWorkers::ServiceThreadId(ServiceKind kind) const {
  const Service* s = services_[ServiceIndex(kind)].get();
  return s ? s->thread.id() : 0;
}

#pragma once
// The eight worker threads: one per keep-alive service and two launchers
// (AOL, CS2000). Set up once by the controller and ended at Exit.
//
// Lifecycle: Start() -> any number of Pause()/Resume() and requests ->
// Shutdown(). The controller only posts; workers answer by posting window
// messages to the controller window. Each thread begins with the first
// request for it (a thread costs about 1 MB under Wine, and most services
// and both launchers are never used in a run); from then on it stays until
// Shutdown.
//
// Busy flags: one per worker, set by the controller (TryClaim) before it
// posts a request and cleared by the worker or its socket when the exchange
// ends (ServiceContext::Release). Pausing is cooperative: a paused worker
// lets an exchange in flight finish and drops new requests (releasing the
// flag), so no exchange starts while the service is stopped and no thread is
// ever suspended while it may hold a lock.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "keepalive/ServiceReports.h"
#include "settings/ServiceKind.h"
#include "win/Lock.h"
#include "win/WorkerThread.h"

// What a service worker shares with its requests and its socket. Reports go
// to the controller through `reports` (posted on their own without it).
struct ServiceContext {
  ServiceKind kind = ServiceKind::Http;
  HWND controller = nullptr;
  ServiceReports* reports = nullptr;
  win::GuardedFlag busy;
  void Release() { busy.Set(0); }
  void ReportProgress(WPARAM phase);
  void ReportResult(LPARAM result);
  void ReportHost(int phase, const char* host);
};

// The per-thread handler of one service's requests. Created and destroyed on
// the worker thread, so anything it creates (socket notification windows)
// belongs to that thread.
class ServiceSession {
 public:
  virtual ~ServiceSession() = default;
  // `host` is the worker's own copy (at most 127 characters). `ownWebHost`
  // asks HTTP for the visit of the program's own web host instead; `host`
  // is then empty.
  virtual void OnRequest(const char* host, bool ownWebHost) = 0;
};

using ServiceSessionFactory = std::function<std::unique_ptr<ServiceSession>(ServiceContext&)>;

enum class Launcher : int { Aol = 0, Cs2000 = 1 };
// Runs one client launch to its end on the launcher thread, with the
// controller window its request carried. It may outlive the controller.
using LaunchRoutine = std::function<void(Launcher which, HWND controller)>;

class ServiceWorkers {
 public:
  static constexpr UINT kRequestMessage[kServiceCount] = {32779, 32774, 32772,
                                                          32773, 32777, 32780};
  static constexpr UINT kLaunchAolMessage = 32782;
  static constexpr UINT kLaunchCs2000Message = 32787;
  static constexpr size_t kHostCapacity = 128;  // 127 characters and the terminator
  // wParam of an HTTP request that visits the program's own web host.
  static constexpr WPARAM kOwnWebHostRequest = 1;

  ServiceWorkers();
  ~ServiceWorkers();
  ServiceWorkers(const ServiceWorkers&) = delete;
  ServiceWorkers& operator=(const ServiceWorkers&) = delete;

  // Sets up the six services in ServiceKind order, then the AOL and CS2000
  // launchers; their threads start with their first requests.
  DWORD Start(HWND controller, ServiceSessionFactory sessions, LaunchRoutine launch);

  // Busy flag of a service, read and written inside its lock.
  bool IsBusy(ServiceKind kind);
  bool TryClaim(ServiceKind kind);
  void Release(ServiceKind kind);

  // Posts a request with an owned copy of `host` (cut to 127 characters),
  // starting the service's thread first if need be. Returns false, leaving
  // the busy flag as it was, when the thread could not start or the post failed.
  bool PostRequest(ServiceKind kind, const char* host);
  // The HTTP request that visits the program's own web host.
  bool PostOwnWebHostVisit();

  // Claims the launcher and posts its request (wParam: the controller
  // window); false when a launch is already in progress or the post failed.
  bool RequestLaunch(Launcher which);
  bool IsLaunching(Launcher which);

  void Pause();
  void Resume();
  bool IsPaused() const { return paused_.load(); }

  // Resumes, ends every thread and waits up to `waitMs` (scaled) for the six
  // service threads. Returns true when they all ended. A thread that did not
  // end is left to the process exit rather than killed while it may hold a
  // lock; its objects are then deliberately kept alive.
  bool Shutdown(DWORD waitMs);

  // 0 until the service's first request has started its thread.
  DWORD ServiceThreadId(ServiceKind kind) const;

 private:
  struct Service;
  struct LauncherSlot;
  void HandleServiceMessage(Service& service, const MSG& msg);
  bool EnsureRunning(Service& service);
  bool EnsureRunning(LauncherSlot& launcher);

  std::unique_ptr<ServiceReports> reports_;
  std::unique_ptr<Service> services_[kServiceCount];
  std::unique_ptr<LauncherSlot> launchers_[2];
  ServiceSessionFactory sessionFactory_;
  LaunchRoutine launch_;
  std::atomic<bool> paused_{false};
  bool shutDown_ = false;
};

#include "app/ProductionSeams.h"

#include <memory>

#include "app/AboutDlg.h"
#include "app/KeepAliveTraySeam.h"
#include "app/ProductionParts.h"
#include "keepalive/ServiceSessions.h"

namespace {

void WireTray(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  seams.tray.create = [parts](HWND controller) {
    parts->controller = controller;
    if (parts->tray) return;
    parts->tray = std::make_unique<CKeepAliveTray>();
    parts->tray->Create(controller);
    parts->traySeam = MakeTraySeam(*parts->tray);
  };
  seams.tray.addIcon = [parts](int look) { CallSeam(parts->traySeam.addIcon, look); };
  seams.tray.setLook = [parts](int look, const char* text) {
    CallSeam(parts->traySeam.setLook, look, text);
  };
  seams.tray.removeIcon = [parts] { CallSeam(parts->traySeam.removeIcon); };
  seams.tray.destroy = [parts] { CallSeam(parts->traySeam.destroy); };
}

void WireKeepAlive(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  seams.keepAlive.attach = [parts](HWND controller, ServiceWorkers& workers) {
    parts->scheduler = std::make_unique<KeepAliveScheduler>(parts->store, workers, controller);
  };
  seams.keepAlive.runCycle = [parts] {
    if (parts->scheduler) parts->scheduler->RunCycle();
  };
  seams.keepAlive.arm = [parts] { return parts->scheduler && parts->scheduler->Arm(); };
  seams.keepAlive.kill = [parts] {
    if (parts->scheduler) parts->scheduler->Kill();
  };
  seams.keepAlive.isArmed = [parts] { return parts->scheduler && parts->scheduler->IsArmed(); };
  seams.keepAlive.onHttpHostShown = [parts](bool ownWebHostVisited, bool& showText) {
    if (parts->scheduler) parts->scheduler->OnHttpHostShown(ownWebHostVisited, showText);
  };
}

}  // namespace

ControllerOptions MakeProductionControllerOptions() {
  ControllerOptions options;
  auto parts = std::make_shared<ProductionParts>();
  WireTray(options.seams, parts);
  WireKeepAlive(options.seams, parts);
  WireWatchers(options.seams, parts);
  WireDialUp(options.seams, parts);
  WireMouse(options.seams, parts);
  WireConfig(options.seams, parts);
  options.seams.config.showAbout = [parts] {
    AboutDlg about;
    about.Run(parts->controller);
  };
  options.sessions = [](ServiceContext& context) { return CreateServiceSession(context); };
  return options;
}

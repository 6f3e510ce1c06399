#pragma once
// What the running program builds behind the controller's seams, shared by
// the wiring of every subsystem (one ProductionSeams_*.cpp each). A
// subsystem's own state lives in its wiring file, captured by its closures;
// only what several of them need is here. It goes when the controller drops
// its seams.
#include <memory>

#include "app/ControllerSeams.h"
#include "app/KeepAliveScheduler.h"
#include "app/KeepAliveTray.h"
#include "settings/SettingsStore.h"

struct ProductionParts {
  SettingsStore store;
  HWND controller = nullptr;
  std::unique_ptr<CKeepAliveTray> tray;
  TraySeam traySeam;
  std::unique_ptr<KeepAliveScheduler> scheduler;
};

void WireWatchers(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts);
void WireDialUp(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts);
void WireMouse(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts);
void WireConfig(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts);

// Production wiring of mouse simulation and the idle-disconnect values.
#include "app/IdleDisconnect.h"
#include "app/MouseSimulation.h"
#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"

void WireMouse(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)parts;
  auto mouse = std::make_shared<MouseSimulation>();
  // The controller outlives its seams, so the reference stays good.
  seams.mouse.attach = [mouse](StatusReportDlg& controller) {
    mouse->Attach(controller.hwnd(), [&controller] { controller.ArmMouseMoveTimer(); });
  };
  seams.mouse.rememberCursor = [mouse] { mouse->RememberCursor(); };
  seams.mouse.idleCheck = [mouse] { mouse->IdleCheck(); };
  seams.mouse.walk = [mouse] { mouse->Walk(); };
  seams.mouse.applyIdleDisconnect = [](DWORD value) { ApplyIdleDisconnectSettings(value); };
}

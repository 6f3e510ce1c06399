#include <windows.h>
#include <commctrl.h>

#include "app/KeepAliveApp.h"
#include "app/ProductionSeams.h"
#include "win/Clock.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  win::LoadTimeScaleFromEnvironment();
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  AppOptions options;
  options.controllerOptions = &MakeProductionControllerOptions;
  KeepAliveApp app(std::move(options));
  int code = 0;
  if (app.InitInstance()) code = app.Run();
  app.ExitInstance();
  return code;
}

#include "app/KeepAliveTraySeam.h"

#include "app/KeepAliveTray.h"

TraySeam MakeTraySeam(CKeepAliveTray& tray) {
  TraySeam seam;
  seam.addIcon = [&tray](int addLook) { tray.AddTrayIcon(addLook); };
  seam.setLook = [&tray](int look, const char* text) { tray.SetTrayLook(look, text); };
  seam.removeIcon = [&tray]() { tray.RemoveTrayIcon(); };
  seam.destroy = [&tray]() { tray.Destroy(); };
  return seam;
}

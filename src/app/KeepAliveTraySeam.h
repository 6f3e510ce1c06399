#pragma once
// Connects the controller's tray seam to a real tray window. The tray must
// outlive the seam's use; `destroy` destroys the window, not the object.
#include "app/ControllerSeams.h"

class CKeepAliveTray;

TraySeam MakeTraySeam(CKeepAliveTray& tray);

#pragma once
#include "app/StatusReportDlg.h"

// The controller's options as the program runs: every seam wired to the
// subsystem that fills it.
ControllerOptions MakeProductionControllerOptions();

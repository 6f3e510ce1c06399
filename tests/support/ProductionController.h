#pragma once
// The controller's options as the program wires them, without the splash,
// with every tray look it sets also recorded (the tray still shows it).
#include <vector>

#include "app/StatusReportDlg.h"

namespace testing_support {

// `looks` must outlive the controller built from the options.
ControllerOptions ProductionOptionsRecordingLooks(std::vector<int>* looks);

// The looks of a dial among `looks`, in order: dialing, connecting,
// connected, running.
std::vector<int> DialLooks(const std::vector<int>& looks);

}  // namespace testing_support

// Production wiring of the dial-up library and the dial progress dialog.
#include "app/ProductionParts.h"
#include "app/StatusReportDlg.h"
#include "dialup/DialProgressDlg.h"

namespace {

// The dial dialog, made on first need and kept for the rest of the run.
struct DialUpParts {
  StatusReportDlg* controller = nullptr;  // outlives its seams
  std::unique_ptr<dialup::DialProgressDlg> dialog;
};

}  // namespace

void WireDialUp(ControllerSeams& seams, const std::shared_ptr<ProductionParts>& parts) {
  (void)parts;
  auto dial = std::make_shared<DialUpParts>();
  seams.dial.attach = [dial](StatusReportDlg& controller) { dial->controller = &controller; };
  seams.dial.exists = [dial] { return dial->dialog && dial->dialog->hwnd(); };
  seams.dial.create = [dial](bool visible) {
    StatusReportDlg* controller = dial->controller;
    if (!controller) return;
    dial->dialog = std::make_unique<dialup::DialProgressDlg>(
        controller->hwnd(), [controller](int state) { controller->SetDialState(state); });
    dial->dialog->Create(visible ? SW_SHOW : SW_HIDE);
  };
  seams.dial.show = [dial](bool visible) {
    if (dial->dialog) dial->dialog->Show(visible);
  };
  seams.dial.isDialing = [dial] { return dial->dialog && dial->dialog->IsDialing(); };
  seams.dial.redialPending = [dial] { return dial->dialog && dial->dialog->RedialPending(); };
  seams.dial.startDial = [dial] {
    if (dial->dialog) dial->dialog->Dial();
  };
  seams.dial.hangUp = [dial] {
    if (dial->dialog) dial->dialog->HangUp();
  };
}

#include "config/WizardFinishWriter.h"

#include "win/ErrorText.h"

namespace config {
namespace {

// False when the step was due and failed; the reason is left in GetLastError.
bool Write(SettingsStore& store, const FinishStep& step) {
  switch (step.kind) {
    case FinishStep::Kind::Dword: return store.Write(*step.dword, step.value);
    case FinishStep::Kind::Text: return store.Write(*step.text, step.str);
    case FinishStep::Kind::Credentials:
      return store.WriteProfileCredentials(step.str, step.login, step.password);
    case FinishStep::Kind::BrowserLaunch: return store.WriteBrowserLaunch(step.client, step.value, step.str);
    case FinishStep::Kind::ScreenNames:
      return store.WriteScreenNames(step.client, step.value, step.str, step.names);
    case FinishStep::Kind::RunEntry:
      return store.Read(settings::kWinStart) != 1 || store.WriteRunEntry(true);
  }
  return true;
}

}  // namespace

std::vector<FinishFailure> WriteFinishPlan(SettingsStore& store, const std::vector<FinishStep>& plan) {
  std::vector<FinishFailure> failures;
  for (const FinishStep& step : plan) {
    SetLastError(ERROR_SUCCESS);
    if (Write(store, step)) continue;
    const DWORD error = GetLastError();
    failures.push_back({FinishStepLabel(step), error ? win::ErrorText(error) : "The reason is not known."});
  }
  return failures;
}

}  // namespace config

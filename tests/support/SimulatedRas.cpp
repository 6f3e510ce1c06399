#include "support/SimulatedRas.h"

#include <sstream>

#include "support/MessagePump.h"
#include "win/SystemLibrary.h"

namespace testing_support {

namespace {
template <typename Fn>
void Find(HMODULE module, const char* name, Fn& fn) {
  fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
}  // namespace

SimulatedRas::SimulatedRas() {
  module_ = win::LoadSystemLibrary("rasapi32.dll");
  Find(module_, "SimRasReset", reset_);
  Find(module_, "SimRasScript", script_);
  Find(module_, "SimRasLog", log_);
  Find(module_, "SimRasLastDialParams", params_);
  Find(module_, "SimRasDropLine", drop_);
  Find(module_, "SimRasCallCount", callCount_);
  Find(module_, "SimRasFootprint", footprint_);
  if (reset_) reset_();
}

SimulatedRas::~SimulatedRas() {
  if (reset_) reset_();
  if (module_) FreeLibrary(module_);
}

void SimulatedRas::Script(const std::string& lines) {
  if (script_) script_(lines.c_str());
}

std::vector<std::string> SimulatedRas::Log() const {
  std::vector<std::string> lines;
  if (!log_) return lines;
  std::string text(log_(nullptr, 0), '\0');
  log_(text.data(), static_cast<DWORD>(text.size()));
  std::istringstream in(text.c_str());
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimulatedRas::Calls(const std::string& call) const {
  std::vector<std::string> matching;
  for (const std::string& line : Log())
    if (line.compare(0, call.size(), call) == 0) matching.push_back(line);
  return matching;
}

bool SimulatedRas::WaitForCalls(const std::string& call, int count, DWORD limitMs) const {
  return PumpUntil([&] { return Count(call) >= count; }, limitMs);
}

std::vector<BYTE> SimulatedRas::LastDialParams() const {
  std::vector<BYTE> bytes;
  if (!params_) return bytes;
  bytes.resize(params_(nullptr, 0));
  params_(bytes.data(), static_cast<DWORD>(bytes.size()));
  return bytes;
}

void SimulatedRas::DropLine(bool notify) {
  if (drop_) drop_(notify ? TRUE : FALSE);
}

int SimulatedRas::CallCount(const std::string& name) const {
  return callCount_ ? static_cast<int>(callCount_(name.c_str())) : -1;
}

DWORD SimulatedRas::Footprint() const { return footprint_ ? footprint_() : 0; }

}  // namespace testing_support

#include "netzero_fixture.h"

#include <atomic>

#include "support/MessagePump.h"

bool StatusRecorder::Create() {
  return win::Window::Create("TetherlyNetZeroStatusRecorder", "", 0, 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr);
}

bool StatusRecorder::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != dial_event::kMessage) return false;
  const char* text = reinterpret_cast<const char*>(lp);
  statuses.push_back(Status(wp, text ? text : ""));
  times.push_back(testing_support::NowMs());
  if (onStatus) onStatus(wp);
  result = 0;
  return true;
}

std::string Status(WPARAM code, const std::string& text) {
  return std::to_string(code) + (text.empty() ? "" : " " + text);
}

DialerTest::DialerTest() {
  status_.Create();
  dialer_.Attach(status_.hwnd(), dialerStarted_, timer9_);
}

DialerTest::~DialerTest() {
  dialer_.End();
  client_.Stop();
  WaitForDialerThreads(5000);
  for (const std::string& folder : folders_) {
    DeleteFileA((folder + "nzStart.exe").c_str());
    RemoveDirectoryA(folder.c_str());
  }
}

void DialerTest::UseStandIn(const std::string& tree, const std::string& version) {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof(temp), temp);
  folder_ = std::string(temp) + "nz-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter.fetch_add(1)) + "\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
  folders_.push_back(folder_);
  ASSERT_TRUE(client_.PrepareLaunch(folder_ + "nzStart.exe", tree));
  UseProgramPath(folder_ + "nzStart.exe");
  UseVersion(version);
}

std::vector<std::string> DialerTest::Received(size_t from) const {
  std::vector<std::string> out;
  for (const std::string& line : client_.Received(from))
    if (line.find(" KILLFOCUS ") == std::string::npos) out.push_back(line);
  return out;
}

bool DialerTest::WaitForStatuses(size_t count, DWORD limitMs) {
  return testing_support::PumpUntil([&] { return status_.statuses.size() >= count; }, limitMs);
}

bool DialerTest::WaitForDialerThreads(DWORD limitMs) {
  return testing_support::PumpUntil([] { return watch::NetZeroDialer::RunningThreads() == 0; }, limitMs);
}

#include "dialup_fixture.h"

#include "dialup/NoticeDlg.h"
#include "win/MessageBox.h"

DialUpTest::DialUpTest() {
  store_.Write(settings::kHostsAdded, 1);
  store_.Write(settings::kModemUseDialer, 1);
  store_.Write(settings::kModemProfile, kProfile);
  store_.WriteProfileCredentials(kProfile, "alice", "s3cret");
  win::SetMessageBoxHandler([this](HWND, const char* text, const char* caption, UINT type) {
    boxes_.push_back({text, caption, type});
    return onBox_ ? onBox_(boxes_.back()) : IDOK;
  });
  dialup::SetNoticeHandler([this](HWND, const char* text, UINT icon, UINT topic) {
    notices_.push_back({text, icon, topic});
  });
}

DialUpTest::~DialUpTest() {
  win::SetMessageBoxHandler({});
  dialup::SetNoticeHandler({});
}

bool DialUpTest::TraceMentions(const std::string& part) const {
  for (const std::string& line : testing_support::TraceRecorder::Lines())
    if (line.find(part) != std::string::npos) return true;
  return false;
}

#include "watchers/MsnMailCheck.h"

#include <string>

#include "base/Trace.h"
#include "keepalive/Pop3Connection.h"
#include "settings/SettingsStore.h"
#include "watchers/DialerPromptRules.h"

namespace watch {
namespace {
constexpr int kPop3FailedLook = 33;
}

MsnMailCheck::MsnMailCheck(WatcherEnv env) : env_(std::move(env)) {}

void MsnMailCheck::CheckMSNMail() {
  // Read afresh: the user may have changed them since the timer started.
  SettingsStore store;
  std::string login, password, server;
  store.ReadPop3Login(login);
  store.ReadPop3Password(password);
  store.ReadPop3ServerName(server);

  Pop3Connection pop3;
  pop3.SetAbortEvent(env_.waits ? env_.waits->endedEvent() : nullptr);
  switch (pop3.Connect(server, login, password, Pop3Connection::kPort)) {
    case Pop3Connection::kFailed:
      env_.SetLook(kPop3FailedLook);
      pop3Failed_ = 1;
      break;
    case Pop3Connection::kLoggedIn: {
      unsigned long mails = 0, size = 0;
      if (pop3.Statistics(mails, size)) {
        TraceLine(dialers::kMailChecking);
        TraceLine(mails != 0 ? dialers::kMailWaiting : dialers::kMailNone);
      }
      pop3Failed_ = 0;
      break;
    }
    default:
      TraceLine(dialers::kMailNotChecked);
      pop3Failed_ = 0;
      break;
  }
  pop3.Disconnect();
}

}  // namespace watch

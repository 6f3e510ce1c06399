#include "config/WizardFinishPlan.h"

#include <cstring>

#include "settings/DefaultHosts.h"

using namespace settings;

namespace config {
namespace {

class Plan {
 public:
  void Dword(const DwordSetting& setting, std::uint32_t value) {
    FinishStep step;
    step.dword = &setting;
    step.value = value;
    steps_.push_back(std::move(step));
  }
  void Flag(const DwordSetting& setting, bool on) { Dword(setting, on ? 1 : 0); }
  void Text(const StringSetting& setting, std::string text) {
    FinishStep step;
    step.kind = FinishStep::Kind::Text;
    step.text = &setting;
    step.str = std::move(text);
    steps_.push_back(std::move(step));
  }
  void Add(FinishStep step) { steps_.push_back(std::move(step)); }
  std::vector<FinishStep> Take() { return std::move(steps_); }

 private:
  std::vector<FinishStep> steps_;
};

// The settings of one sign-on client, and those of the other that go off.
struct ClientSettings {
  SignOnClient client;
  const DwordSetting& stayOnline;
  const DwordSetting& signOn;
  const DwordSetting& dialAtStartup;
  const DwordSetting& autoRedial;
  std::vector<std::pair<Gadget, const DwordSetting*>> gadgets;  // in writing order
};

const ClientSettings& AolSettings() {
  static const ClientSettings aol{
      SignOnClient::Aol, kAolStayOnline, kAolSignOn, kAolDialAtStartup, kAolAutoRedial,
      {{kGadgetFirst, &kAolKillBuddyList}, {kGadgetFourth, &kAolKillChannels},
       {kGadgetThird, &kAolKillHotline}, {kGadgetSecond, &kAolKillSearchPreview},
       {kGadgetAdvertisement, &kAolKillAdvertisement}, {kGadgetWelcome, &kAolMinimizeWelcome}}};
  return aol;
}

const ClientSettings& CsSettings() {
  static const ClientSettings cs{
      SignOnClient::Cs, kCsStayOnline, kCsSignOn, kCsDialAtStartup, kCsAutoRedial,
      {{kGadgetFirst, &kCsKillChildOne}, {kGadgetSecond, &kCsKillChildTwo},
       {kGadgetThird, &kCsKillChildThree}, {kGadgetFourth, &kCsKillChildFour},
       {kGadgetAdvertisement, &kCsKillAdvertisement}}};
  return cs;
}

void OtherIsp(Plan& plan, const DialerAnswers& d, const ServiceAnswers& s) {
  plan.Flag(kModemUseDialer, d.useDialer);
  if (d.useDialer) {
    for (const DwordSetting* off : {&kNetZeroStayOnline, &kNetZeroUseDialer, &kNetZeroTrayDial,
                                    &kNetZeroDialAtStartup, &kAttStayOnline, &kMsnStayOnline})
      plan.Dword(*off, 0);
    plan.Dword(kConnection, kConnectionManual);
    plan.Text(kModemProfile, d.profile);
    FinishStep credentials;
    credentials.kind = FinishStep::Kind::Credentials;
    credentials.str = d.profile;
    credentials.login = d.login;
    credentials.password = d.password;
    plan.Add(std::move(credentials));
    plan.Flag(kModemOneStop, d.oneStop);
    plan.Flag(kModemPromptToDial, d.promptToDial);
    plan.Flag(kModemPromptToDisconnect, d.promptToDisconnect);
    plan.Flag(kModemReconnect, d.reconnect);
    plan.Flag(kModemDialAtStartup, d.dialAtStartup);
    if (d.dialAtStartup) plan.Dword(kWinStart, 1);
  } else {
    plan.Dword(kModemOneStop, 0);
  }
  for (int i = 0; i < 6; ++i) plan.Flag(kServiceFlags[i], s.on[static_cast<std::size_t>(i)]);
  plan.Dword(kAccessType, s.accessMethod);
  plan.Dword(kIntervalOption, s.intervalOption);
  plan.Dword(kRandomStart, s.randomStart);
  plan.Dword(kRandomEnd, s.randomEnd);
  plan.Dword(kFixed, s.fixed);
}

void AolOrCs(Plan& plan, const ClientAnswers& a, const ClientSettings& mine,
                  const ClientSettings& other) {
  plan.Flag(mine.stayOnline, a.stayOnline);
  if (a.stayOnline) {
    plan.Dword(other.stayOnline, 0);
    plan.Dword(other.signOn, 0);
    plan.Dword(other.dialAtStartup, 0);
  }
  FinishStep launch;
  launch.kind = FinishStep::Kind::BrowserLaunch;
  launch.client = mine.client;
  launch.value = a.launch ? 1 : 0;
  // Not launching keeps whatever path is stored.
  if (a.launch) launch.str = a.path;
  plan.Add(std::move(launch));
  if (a.launch) {
    plan.Flag(mine.dialAtStartup, a.dialAtStartup);
    if (a.dialAtStartup) plan.Dword(kWinStart, 1);
    plan.Flag(mine.signOn, a.signOn);
    if (a.signOn) {
      FinishStep names;
      names.kind = FinishStep::Kind::ScreenNames;
      names.client = mine.client;
      // Signing on "with the default screen name" needs one to be chosen.
      names.value = a.defaultName.empty() ? 0 : 1;
      names.str = a.defaultName;
      names.names = a.names;
      plan.Add(std::move(names));
    }
  } else {
    plan.Dword(mine.dialAtStartup, 0);
  }
  for (const auto& [box, setting] : mine.gadgets) plan.Flag(*setting, a.gadgets[box]);
  plan.Flag(mine.autoRedial, a.autoRedial);
}

void NetZero(Plan& plan, const NetZeroAnswers& n) {
  plan.Flag(kNetZeroStayOnline, n.stayOnline);
  if (!n.stayOnline) {
    for (const DwordSetting* off : {&kNetZeroUseDialer, &kNetZeroTrayDial, &kNetZeroDialAtStartup})
      plan.Dword(*off, 0);
    return;
  }
  for (const DwordSetting* off :
       {&kModemUseDialer, &kModemOneStop, &kModemDialAtStartup, &kAttStayOnline, &kMsnStayOnline})
    plan.Dword(*off, 0);
  if (n.useDialer) plan.Dword(kConnection, kConnectionManual);
  if (!n.version.empty()) plan.Text(kNetZeroVersion, n.version);
  plan.Flag(kNetZeroUseDialer, n.useDialer);
  // Answers the page greys out while the dialer is not used count as no.
  plan.Flag(kNetZeroTrayDial, n.useDialer && n.trayDial);
  if (!n.path.empty()) plan.Text(kNetZeroProgramPath, n.path);
  plan.Flag(kNetZeroAutoRedial, n.autoRedial);
  const bool atStartup = n.useDialer && n.dialAtStartup;
  plan.Flag(kNetZeroDialAtStartup, atStartup);
  if (atStartup) plan.Dword(kWinStart, 1);
}

void Att(Plan& plan, bool stayOnline) {
  plan.Flag(kAttStayOnline, stayOnline);
  if (!stayOnline) return;
  for (const DwordSetting* off : {&kModemUseDialer, &kModemOneStop, &kNetZeroStayOnline,
                                  &kNetZeroUseDialer, &kNetZeroTrayDial, &kMsnStayOnline})
    plan.Dword(*off, 0);
}

void Msn(Plan& plan, const MsnAnswers& m) {
  plan.Flag(kMsnStayOnline, m.stayOnline);
  plan.Flag(kPop3Enable, m.pop3);
  if (m.stayOnline) {
    for (const DwordSetting* off : {&kModemUseDialer, &kModemOneStop, &kNetZeroStayOnline,
                                    &kNetZeroUseDialer, &kNetZeroTrayDial, &kAttStayOnline})
      plan.Dword(*off, 0);
  }
  if (!m.pop3) return;
  plan.Text(kPop3Login, m.login.empty() ? kPop3Placeholder : m.login);
  plan.Text(kPop3Password, m.password.empty() ? kPop3Placeholder : m.password);
  plan.Text(kPop3ServerName, Pop3ServerToStore(m.server));
  plan.Dword(kPop3TimerInterval, Pop3IntervalToStore(m.interval));
}

// "SOFTWARE\Quillmark\Tetherly\Modem Dialer" -> "Modem Dialer".
std::string KeyBelowRoot(const char* key) {
  const std::size_t root = std::strlen(kKeyRoot);
  if (std::strncmp(key, kKeyRoot, root) == 0 && key[root] == '\\') return key + root + 1;
  return key;
}

const char* ClientKeyName(settings::SignOnClient client) {
  return client == settings::SignOnClient::Cs ? "CS Options" : "AOL Options";
}

}  // namespace

std::vector<FinishStep> FinishPlan(const WizardAnswers& answers) {
  Plan plan;
  switch (answers.kind) {
    case IspKind::OtherIsp: OtherIsp(plan, answers.dialer, answers.services); break;
    case IspKind::Aol: AolOrCs(plan, answers.aol, AolSettings(), CsSettings()); break;
    case IspKind::Cs2000: AolOrCs(plan, answers.cs, CsSettings(), AolSettings()); break;
    case IspKind::NetZero: NetZero(plan, answers.netZero); break;
    case IspKind::Att: Att(plan, answers.attStayOnline); break;
    case IspKind::Msn: Msn(plan, answers.msn); break;
    case IspKind::None: break;
  }
  FinishStep run;
  run.kind = FinishStep::Kind::RunEntry;
  plan.Add(std::move(run));
  return plan.Take();
}

std::string FinishStepLabel(const FinishStep& step) {
  switch (step.kind) {
    case FinishStep::Kind::Dword: return KeyBelowRoot(step.dword->key) + "\\" + step.dword->name;
    case FinishStep::Kind::Text: return KeyBelowRoot(step.text->key) + "\\" + step.text->name;
    case FinishStep::Kind::Credentials:
      return KeyBelowRoot(kKeyModemDialer) + "\\" + step.str + "\\Login, Password";
    case FinishStep::Kind::BrowserLaunch:
      return std::string(ClientKeyName(step.client)) + "\\Launch Browser, Program Path";
    case FinishStep::Kind::ScreenNames:
      return std::string(ClientKeyName(step.client)) + "\\Screen Names";
    case FinishStep::Kind::RunEntry:
      return std::string("the start-with-Windows entry (") + kKeyRun + "\\" + kRunValueName + ")";
  }
  return {};
}

std::string FinishFailureMessage(const std::vector<FinishFailure>& failures) {
  constexpr std::size_t kNamesPerReason = 10;
  std::vector<std::string> reasons;
  for (const FinishFailure& f : failures) {
    bool known = false;
    for (const std::string& r : reasons) known = known || r == f.reason;
    if (!known) reasons.push_back(f.reason);
  }
  std::string text = "Some of your answers could not be saved:\n";
  for (const std::string& reason : reasons) {
    text += "\n" + reason + "\n";
    std::size_t shown = 0, left = 0;
    for (const FinishFailure& f : failures) {
      if (f.reason != reason) continue;
      if (shown < kNamesPerReason) {
        text += "    " + f.label + "\n";
        ++shown;
      } else {
        ++left;
      }
    }
    if (left) text += "    and " + std::to_string(left) + " more\n";
  }
  text += "\nTetherly! goes on with the settings that were saved.";
  return text;
}

}  // namespace config

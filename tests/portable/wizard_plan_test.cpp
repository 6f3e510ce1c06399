// The Finish table as a list of writes, without a registry: the order of
// each kind's writes, the Run entry last, and the one failure message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/WizardFinishPlan.h"
#include "config/WizardTexts.h"

using namespace config;

namespace {

std::vector<std::string> Labels(const WizardAnswers& a) {
  std::vector<std::string> labels;
  for (const FinishStep& step : FinishPlan(a)) labels.push_back(FinishStepLabel(step));
  return labels;
}

TEST(WizardPlan, EachKindWritesInTheTablesOrderAndEndsWithTheRunEntry) {
  // Either copy's Run key may hold it: the path names no hive.
  const std::string run = "the start-with-Windows entry (SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Tetherly)";
  WizardAnswers att;
  att.kind = IspKind::Att;
  att.attStayOnline = true;
  EXPECT_EQ(Labels(att), (std::vector<std::string>{"ATT\\Stay Online", "Modem Dialer\\Use Dialer",
                                                   "Modem Dialer\\One Stop Connection", "NetZero\\Stay Online",
                                                   "NetZero\\Use Dialer", "NetZero\\Tray Dial",
                                                   "MSN\\Stay Online", run}));
  WizardAnswers aol;
  aol.kind = IspKind::Aol;
  aol.aol.stayOnline = aol.aol.launch = aol.aol.signOn = true;
  aol.aol.path = "C:\\AOL\\aol.exe";
  EXPECT_EQ(Labels(aol), (std::vector<std::string>{
                             "AOL Options\\Stay Online", "CS Options\\Stay Online", "CS Options\\Sign On",
                             "CS Options\\Dial At Startup", "AOL Options\\Launch Browser, Program Path",
                             "AOL Options\\Dial At Startup", "AOL Options\\Sign On", "AOL Options\\Screen Names",
                             "AOL Options\\Kill Buddy List Window", "AOL Options\\Kill Channels Window",
                             "AOL Options\\Kill Hotline Window", "AOL Options\\Kill Search Preview Window",
                             "AOL Options\\Kill Advertisement Window", "AOL Options\\Minimize Welcome Window",
                             "AOL Options\\Auto Redial", run}));
  // Signing on with no screen name chosen does not claim one.
  const std::vector<FinishStep> steps = FinishPlan(aol);
  EXPECT_EQ(steps[7].kind, FinishStep::Kind::ScreenNames);
  EXPECT_EQ(steps[7].value, 0u);

  WizardAnswers none;
  EXPECT_EQ(Labels(none), std::vector<std::string>{run});
}

// Answers greyed out on the NetZero page count as no, and neither the
// placeholder nor an empty path is ever written over a stored one.
TEST(WizardPlan, NetZeroWithoutItsDialerWritesNoPathAndNoStartup) {
  WizardAnswers a;
  a.kind = IspKind::NetZero;
  a.netZero.stayOnline = true;
  a.netZero.trayDial = a.netZero.dialAtStartup = true;  // left from a Yes, then the dialer turned off
  for (const FinishStep& step : FinishPlan(a)) {
    const std::string label = FinishStepLabel(step);
    EXPECT_NE(label, "NetZero\\Program Path");
    EXPECT_NE(label, "Settings\\WinStart");
    EXPECT_NE(label, "Settings\\Connection");
    if (label == "NetZero\\Tray Dial" || label == "NetZero\\Dial At Startup") {
      EXPECT_EQ(step.value, 0u) << label;
    }
  }
}

TEST(WizardPlan, TheFailureMessageGroupsTheValuesUnderTheirReason) {
  std::vector<FinishFailure> failures;
  for (int i = 0; i < 12; ++i) failures.push_back({"Services\\S" + std::to_string(i), "Access is denied."});
  failures.push_back({"Modem Dialer\\Profile", "The data is invalid."});
  const std::string text = FinishFailureMessage(failures);
  EXPECT_EQ(text.find("Access is denied."), text.rfind("Access is denied.")) << "each reason once";
  EXPECT_NE(text.find("    Services\\S9\n"), std::string::npos);
  EXPECT_EQ(text.find("Services\\S10"), std::string::npos) << "ten names per reason";
  EXPECT_NE(text.find("    and 2 more\n"), std::string::npos);
  EXPECT_NE(text.find("The data is invalid.\n    Modem Dialer\\Profile\n"), std::string::npos);
}

TEST(WizardTexts, TheGreetingIsBuiltFromItsPieces) {
  EXPECT_EQ(WizardGreeting(true),
            "We see that this is your first time using Tetherly!.\nYou can use our Configuration Wizard to configure "
            "Tetherly!, just select your ISP and click next to start\nOr click on Cancel to exit. You can alway do "
            "this at a later time.");
  EXPECT_EQ(WizardGreeting(false).find("Configuration Wizard can help you configure Tetherly! easily and quickly."),
            0u);
  EXPECT_STREQ(CsTexts().pathInvalid, "CS Browser path not valid, please enter again.");
}

}  // namespace

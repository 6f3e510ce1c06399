#include "config/WizardTexts.h"

namespace config {

std::string WizardGreeting(bool firstRun) {
  if (firstRun) {
    return std::string("We see that this is your first time using Tetherly!.") +
           "\nYou can use our Configuration Wizard to configure Tetherly!, " +
           "just select your ISP and click next to start\nOr click on Cancel to exit. " +
           "You can alway do this at a later time.";
  }
  return std::string("Configuration Wizard can help you configure Tetherly! easily and quickly.") +
         "\nJust select your ISP and click next to begin." +
         "\nIf you want to configure more than one type of ISP, " +
         "just come back here again after setting up the first one.";
}

const ClientTexts& AolTexts() {
  static const ClientTexts texts{
      "Would you like Tetherly! to launch AOL browser?",
      "Please enter AOL browser Path:",
      "AOL.exe",
      "[Path not set, please locate program name \"AOL.exe\"]",
      "Would you like Tetherly! to launch AOL when Windows starts?",
      "AOL Browser path cannot be empty, please enter a path pointing to AOL.exe.",
      "AOL Browser path not valid, please enter again.",
      "Would you like Tetherly! to sign-on automcatically for you after AOL has launched?",
      "AOL... (You can change the titles of the window in Advanced Configurations)",
  };
  return texts;
}

const ClientTexts& CsTexts() {
  static const ClientTexts texts{
      "Would you like Tetherly! to launch CS browser?",
      "Please enter CS browser Path:",
      "CS.exe",
      "[Path not set, please locate program name \"CS.exe\"]",
      "Would you like Tetherly! to launch CS when Windows starts?",
      "CS Browser path cannot be empty, please enter a path pointing to CS.exe.",
      "CS Browser path not valid, please enter again.",
      "Would you like Tetherly! to sign-on automcatically for you after CS2000 has launched?",
      "CS2000... (You can change the titles of the window in Advanced Configurations)",
  };
  return texts;
}

}  // namespace config

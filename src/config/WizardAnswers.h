#pragma once
// What the Configuration Wizard collects before Finish writes anything: the
// chosen kind of ISP and the answers of every page of its path. The pages
// fill it on Next; Finish turns it into writes (WizardFinishPlan.h).
// Portable: no window, no registry.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace config {

// Stored numbers of the radio buttons on the main page.
enum class IspKind : int { None = 0, OtherIsp = 1, Aol = 2, Cs2000 = 3, NetZero = 4, Att = 5, Msn = 6 };

// The program's own dialer (other ISPs).
struct DialerAnswers {
  bool useDialer = false;
  std::string profile, login, password;
  bool oneStop = false, promptToDial = true, promptToDisconnect = true, reconnect = false,
       dialAtStartup = false;
};

// Keep-alive services and how hosts and intervals are used.
struct ServiceAnswers {
  std::array<bool, 6> on = {true, false, false, false, false, false};  // HTTP .. User Port
  std::uint32_t accessMethod = 1;   // 1 Sequential, 2 Random
  std::uint32_t intervalOption = 2; // 1 Random, 2 Fixed
  std::uint32_t randomStart = 15, randomEnd = 90, fixed = 60;
  // Set by Next on the services and properties pages: shown again, they show
  // these answers instead of what is stored.
  bool flagsGiven = false, numbersGiven = false;
};

// Gadget boxes of the gadgets page, top to bottom (AOL: buddy list, search,
// hotline, channels, advertisement, welcome; CS2000: child windows one to
// four, advertisement; the sixth box is hidden).
enum Gadget { kGadgetFirst, kGadgetSecond, kGadgetThird, kGadgetFourth, kGadgetAdvertisement,
              kGadgetWelcome, kGadgetCount };

// AOL or CompuServe 2000 (one set each).
struct ClientAnswers {
  bool stayOnline = false, launch = false;
  std::string path;
  bool dialAtStartup = false, signOn = false, autoRedial = false;
  std::string defaultName;
  std::vector<std::string> names;
  std::array<bool, kGadgetCount> gadgets = {};
};

struct NetZeroAnswers {
  bool stayOnline = false, useDialer = false, trayDial = false, autoRedial = false,
       dialAtStartup = false;
  std::string path, version;
};

struct MsnAnswers {
  bool stayOnline = false, pop3 = false;
  std::string server, login, password;
  long interval = 10;  // minutes as entered; stored only when 1 to 60
};

struct WizardAnswers {
  IspKind kind = IspKind::None;
  DialerAnswers dialer;
  ServiceAnswers services;
  ClientAnswers aol, cs;
  NetZeroAnswers netZero;
  bool attStayOnline = false;
  MsnAnswers msn;
};

}  // namespace config

#pragma once
// The command-line parameters the launchers pass to the AOL and CompuServe
// 2000 clients, built exactly as those clients take them. No Win32.
#include <string>

namespace watch {

struct AolLaunchOptions {
  bool signOn = false;          // "Sign On"
  bool useScreenName = false;   // "Use Screen Name"
  std::string screenName;       // "Default Screen Name"
  bool useSpecificSite = false; // "Use Specific Site"
  std::string site;             // "AOL Sites" "Default Site"
};

// "-n<name>", then " -u\"\"" when no site is given, or "-u\"<site>\"" (after a
// blank when a name came first). Empty without "Sign On".
std::string BuildAolParameters(const AolLaunchOptions& o);

// Whether the launcher presses the sign-on button itself: only when the
// client was started with neither a screen name nor a start page.
bool AolSignOnNeedsPress(const AolLaunchOptions& o);

// "-n<name>" with "Sign On" and "Use Screen Name", else empty.
std::string BuildCs2000Parameters(bool signOn, bool useScreenName, const std::string& screenName);

}  // namespace watch

#pragma once
// What the launchers start and with which parameters: the program paths they
// hand to the shell, and the command-line parameters of the AOL and
// CompuServe 2000 clients, built exactly as those clients take them. No Win32.
#include <cstddef>
#include <string>
#include <string_view>

namespace watch {

// ---- Program paths ----
// The longest path that fits MAX_PATH with its terminator.
inline constexpr std::size_t kMaxLaunchPath = 259;

// Whether a program path may be handed to the shell as far as its text
// tells: at most kMaxLaunchPath characters, absolute ("C:\..." or
// "\\server\share\..."), not ending in a separator, and nothing a file
// name cannot hold (double quotes, control characters, wildcards, a stream
// after a second colon). The launcher also checks that it names an existing
// file.
bool LaunchPathAcceptable(std::string_view path);

// The folder a path names its file in, with its last separator ("C:\NZ\"
// for "C:\NZ\nzStart.exe"); false when the path has no separator.
bool FolderOf(std::string_view path, std::string& folder);

// ---- Parameters ----
// Whether a screen name or site can go on a client's command line: a double
// quote would end the quoting around it, a control character the line.
bool PassableArgument(std::string_view text);

// The trace line for a value that was not passed, e.g. "AOL screen name not
// passed to the client: it holds a double quote or a control character".
std::string NotPassedTrace(std::string_view what);

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

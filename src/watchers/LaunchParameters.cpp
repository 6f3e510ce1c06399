#include "watchers/LaunchParameters.h"

namespace watch {
namespace {

bool IsControl(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7F;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "\\server\share\..." with a server and a share; not the "\\?\" and
// "\\.\" device forms.
bool IsUncPath(std::string_view path) {
  if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  const std::size_t serverEnd = path.find_first_of("\\/", 2);
  if (serverEnd == std::string_view::npos || serverEnd == 2) return false;
  const std::string_view server = path.substr(2, serverEnd - 2);
  if (server == "?" || server == ".") return false;
  const std::size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
  return shareEnd != std::string_view::npos && shareEnd > serverEnd + 1;
}

}  // namespace

bool LaunchPathAcceptable(std::string_view path) {
  if (path.empty() || path.size() > kMaxLaunchPath) return false;
  const bool drive = path.size() >= 4 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
  if (!drive && !IsUncPath(path)) return false;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsControl(c) || c == '"' || c == '*' || c == '?' || c == '<' || c == '>') return false;
    if (c == ':' && i != 1) return false;
  }
  return !IsSeparator(path.back());
}

bool FolderOf(std::string_view path, std::string& folder) {
  const std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return false;
  folder.assign(path.substr(0, last + 1));
  return true;
}

bool PassableArgument(std::string_view text) {
  for (char c : text)
    if (c == '"' || IsControl(c)) return false;
  return true;
}

std::string NotPassedTrace(std::string_view what) {
  return std::string(what) + " not passed to the client: it holds a double quote or a control character";
}

std::string BuildAolParameters(const AolLaunchOptions& o) {
  std::string params;
  if (!o.signOn) return params;
  if (o.useScreenName) {
    params = "-n" + o.screenName;
    if (!o.useSpecificSite) params += " -u\"\"";
  }
  if (o.useSpecificSite) {
    const std::string page = "-u\"" + o.site + "\"";
    params = params.empty() ? page : params + " " + page;
  }
  return params;
}

bool AolSignOnNeedsPress(const AolLaunchOptions& o) {
  return o.signOn && !o.useScreenName && !o.useSpecificSite;
}

std::string BuildCs2000Parameters(bool signOn, bool useScreenName, const std::string& screenName) {
  return signOn && useScreenName ? "-n" + screenName : std::string();
}

}  // namespace watch

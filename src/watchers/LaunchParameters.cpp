#include "watchers/LaunchParameters.h"

namespace watch {

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

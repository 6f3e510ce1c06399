// AOL launch, sign-on and the outside browser.
#include <windows.h>

#include <vector>

#include "base/Trace.h"
#include "res/resource_watchers.h"
#include "settings/SettingsSchema.h"
#include "watchers/AolWatcher.h"
#include "watchers/LaunchParameters.h"
#include "watchers/MatchRules.h"
#include "watchers/ShellLaunch.h"
#include "watchers/ShellLaunchError.h"
#include "watchers/SignOn.h"
#include "watchers/WindowPress.h"
#include "win/ResourceText.h"

namespace watch {
namespace {

// Sign-on windows, looked for in this order; then the configured titles.
constexpr const char* kSignOnTitles[] = {"Welcome", "Sign On", "Goodbye from AOL!"};

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string p(path, n < sizeof(path) ? n : 0);
  size_t sep = p.find_last_of("\\/");
  return sep == std::string::npos ? std::string() : p.substr(0, sep + 1);
}

}  // namespace

void AolWatcher::LaunchAOL() {
  if (env_.waits->Ended()) return;  // asked for before Exit, reached after it
  DWORD signOn = 0;
  store_.ReadFlag(settings::kAolSignOn, signOn);
  AolLaunchOptions o;
  o.signOn = signOn == 1;
  std::vector<std::string> list;
  DWORD flag = 0;
  store_.ReadScreenNames(settings::SignOnClient::Aol, flag, o.screenName, list);
  o.useScreenName = flag == 1;
  flag = 0;
  store_.ReadSiteList(settings::SiteList::AolSites, flag, o.site, list);
  o.useSpecificSite = flag == 1;
  DWORD launch = 0;
  std::string path;
  store_.ReadBrowserLaunch(settings::SignOnClient::Aol, launch, path);
  // What cannot go on the command line as it is goes as if it were not set.
  if (o.useScreenName && !PassableArgument(o.screenName)) {
    TraceLine(NotPassedTrace("AOL screen name").c_str());
    o.useScreenName = false;
  }
  if (o.useSpecificSite && !PassableArgument(o.site)) {
    TraceLine(NotPassedTrace("AOL site").c_str());
    o.useSpecificSite = false;
  }

  const INT_PTR result = StartProgram(GetDesktopWindow(), path, BuildAolParameters(o), nullptr, SW_SHOW);
  if (ShellLaunchFailed(result)) {
    ShowShellLaunchError(result, win::LoadResourceText(IDS_AOL_LAUNCH_ERROR_CAPTION, "AOL Browser Error"),
                         env_.boxes);
    return;
  }
  if (AolSignOnNeedsPress(o)) SignOnAOL();

  DWORD external = 0;
  std::string site;
  store_.ReadSiteList(settings::SiteList::ExtBrowserSites, external, site, list);
  if (external == 1 && !env_.waits->Ended()) LaunchDefaultBrowser(site);
}

void AolWatcher::SignOnAOL() { SignOn(BoxPlace::kHere); }

void AolWatcher::SignOn(BoxPlace boxPlace) {
  if (RunSignOn() == SignOnEnd::kNoClient)
    ShowCannotSignOn(
        env_, IDS_AOL_CANNOT_SIGN_ON,
        "Tetherly! cannot sign-on to AOL on behalf of you, please check your program settings",
        boxPlace);
}

SignOnEnd AolWatcher::RunSignOn() {
  std::vector<std::string> titles;  // read once the client's MDI client is there
  const auto find = [this, &titles](HWND mdi) -> HWND {
    if (titles.empty()) {
      titles.assign(std::begin(kSignOnTitles), std::end(kSignOnTitles));
      for (const settings::StringSetting& s : {settings::kAolSignOnTitle, settings::kAolReSignOnTitle}) {
        std::string title;
        if (store_.Read(s, title) && !title.empty()) titles.push_back(title);
      }
    }
    for (const std::string& t : titles)
      if (HWND h = FindWindowExA(mdi, nullptr, "AOL Child", t.c_str())) return h;
    return nullptr;
  };
  const auto press = [this](HWND window) {
    for (const settings::StringSetting& s : {settings::kAolSignOnButton, settings::kAolReSignOnButton}) {
      std::string button;
      store_.Read(s, button);
      EnumChildWindows(window, EnumAOLSignOnBtnFunc, reinterpret_cast<LPARAM>(&button));
    }
  };
  return RunClientSignOn(signOnRunning_, *env_.waits, find, press);
}

void AolWatcher::LaunchDefaultBrowser(const std::string& url) {
  // The address goes into the browser's command line, quoted by the handler.
  if (!PassableArgument(url)) {
    TraceLine("Outside browser site not opened: it holds a double quote or a control character");
    return;
  }
  const std::string target = url.empty() ? ProgramFolder() + "blank.htm" : url;
  if (!ShellLaunchFailed(ShellOpen(target, std::string()))) return;
  const std::string text =
      win::LoadResourceText(IDS_NO_DEFAULT_BROWSER,
                            "Default browser cannot be found. Please launch your browser and set "
                            "the URL to ") +
      target;
  win::ShowMessageBox(nullptr, text.c_str(), "Tetherly!", MB_OK, env_.boxes);
}

BOOL CALLBACK EnumAOLSignOnBtnFunc(HWND child, LPARAM buttonText) {
  const auto* configured = reinterpret_cast<const std::string*>(buttonText);
  const std::string text = ReadText(child, kShortTextBuffer);
  if (MatchContains(text, "Sign On") || MatchContains(text, "Sign On Again") ||
      (configured && MatchContains(text, *configured)))
    SpacePress(child);
  return TRUE;
}

}  // namespace watch

// The application object in-process: start-up, its failure, and the exit step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/KeepAliveApp.h"
#include "settings/SettingsSchema.h"
#include "support/MessagePump.h"
#include "support/ReadOnlyKey.h"
#include "support/RegistrySandbox.h"
#include "win/Clock.h"
#include "win/ErrorText.h"
#include "win/RegKey.h"

namespace {

struct ScaledTime {
  double saved = win::TimeScale();
  ScaledTime() { win::SetTimeScale(0.01); }
  ~ScaledTime() { win::SetTimeScale(saved); }
};

ControllerOptions QuietController() {
  ControllerOptions o;
  o.showSplash = true;
  return o;
}

TEST(KeepAliveApp, WithoutWindowsSocketsItShowsTheMessageAndCreatesNothing) {
  testing_support::RegistrySandbox sandbox;
  std::string shown;
  AppOptions options;
  options.startSockets = [] { return false; };
  options.showError = [&](const char* text) { shown = text; };
  KeepAliveApp app(options);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(shown, "Windows sockets initialization failed.");
  EXPECT_EQ(app.traceWindow(), nullptr);
  EXPECT_EQ(app.controller(), nullptr);
  win::RegKey root;
  EXPECT_NE(root.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\Tetherly", KEY_READ), ERROR_SUCCESS);
}

TEST(KeepAliveApp, RunsUntilExitThenSavesTheTraceWindow) {
  testing_support::RegistrySandbox sandbox;
  ScaledTime scaled;
  SettingsStore store;
  store.Write(settings::kHostsAdded, 1);
  AppOptions options;
  options.controllerOptions = &QuietController;
  KeepAliveApp app(options);
  ASSERT_TRUE(app.InitInstance());
  ASSERT_NE(app.traceWindow(), nullptr);
  ASSERT_NE(app.controller(), nullptr);
  HWND main = app.controller()->hwnd();
  EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_FALSE(IsWindowVisible(main));
  PostMessageA(main, WM_COMMAND, 32771, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_FALSE(IsWindow(main));
  app.ExitInstance();
  LONG l = 0, t = 0, r = 0, b = 0;
  EXPECT_TRUE(store.ReadTraceRect(l, t, r, b));
}

// A standard user cannot write under HKEY_LOCAL_MACHINE, but keeps settings
// in the user's own copy: nothing to say. Only where neither copy can be
// written does the program say so, once at start-up, naming both keys and
// the reason, and run on what it reads.
TEST(KeepAliveApp, OnlySettingsThatNoCopyCanKeepAreToldOnceAndTheProgramRunsOn) {
  testing_support::RegistrySandbox sandbox;
  ScaledTime scaled;
  SettingsStore store;
  store.Write(settings::kHostsAdded, 1);
  store.Write(settings::kConnection, 1);
  auto runApp = [](std::vector<std::string>& shown) {
    AppOptions options;
    options.controllerOptions = &QuietController;
    options.showError = [&](const char* text) { shown.push_back(text); };
    KeepAliveApp app(options);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.controller(), nullptr);
    PostMessageA(app.controller()->hwnd(), WM_COMMAND, 32771, 0);
    EXPECT_EQ(app.Run(), 0);
    app.ExitInstance();
  };
  {
    SCOPED_TRACE("the machine's copy read-only");
    std::vector<std::string> shown;
    {
      testing_support::ReadOnlyKey locked(settings::kKeyRoot);
      runApp(shown);
    }
    EXPECT_EQ(shown, std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("both copies read-only");
    std::vector<std::string> shown;
    {
      testing_support::ReadOnlySettings locked;
      runApp(shown);
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmark\\Tetherly"), std::string::npos) << shown[0];
    EXPECT_NE(shown[0].find("HKEY_CURRENT_USER\\SOFTWARE\\Quillmark\\Tetherly"), std::string::npos) << shown[0];
    EXPECT_NE(shown[0].find(win::ErrorText(ERROR_ACCESS_DENIED)), std::string::npos) << shown[0];
  }
  {
    SCOPED_TRACE("both writable");
    std::vector<std::string> shown;
    runApp(shown);
    EXPECT_TRUE(shown.empty()) << "a writable key says nothing";
  }
}

}  // namespace

// Every way into the help reaches the viewer with the help file beside the
// program and the topic the button stands for, and says so when there is no
// help file. The viewers are stood in for: what HtmlHelpA or WinHelpA would
// have been asked is recorded.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/StatusReportDlg.h"
#include "config/CConfigurationsDlg.h"
#include "dialup/NoticeDlg.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/RegistrySandbox.h"
#include "win/Clock.h"
#include "win/HelpFile.h"
#include "win/MessageBox.h"

namespace {

// This program's own path with another extension: where the help must be.
std::string BesideExe(const char* extension) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string beside(path);
  return beside.substr(0, beside.find_last_of('.') + 1) + extension;
}

void Place(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  CloseHandle(file);
}

struct Asked {
  win::HelpRequest::Viewer viewer;
  std::string file;
  UINT command;
  DWORD_PTR data;
};

// The three ways in, each run to the point where it asks for help.
void AdvancedConfigurationsHelp(SettingsStore& store) {
  CConfigurationsDlg dlg(store, {});
  ASSERT_TRUE(dlg.CreateModeless(IDD_CONFIGURATIONS, nullptr));
  SendMessageA(dlg.Item(IDC_CONFIG_HELP), BM_CLICK, 0, 0);
}

void DialUpNoticeHelp(SettingsStore&) {
  // The notice a missing dial-up library brings, with its Help pressed.
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND notice = FindWindowA("#32770", "Tetherly! Help Wizard");
    if (!notice) return;
    KillTimer(nullptr, id);
    SendMessageA(notice, WM_COMMAND, IDHELP, 0);
    PostMessageA(notice, WM_COMMAND, IDOK, 0);
  });
  dialup::ShowNotice(nullptr, "No dial-up library", dialup::kNoticeInformation, IDH_NO_DIALUP);
}

void TrayOnlineHelp(SettingsStore& store) {
  win::SetTimeScale(0.01);
  store.Write(settings::kHostsAdded, 1);
  ControllerOptions options;
  options.showSplash = false;
  options.seams.tray.setLook = [](int, const char*) {};
  auto controller = std::make_unique<StatusReportDlg>(options);
  ASSERT_TRUE(controller->Create());
  SendMessageA(controller->hwnd(), WM_COMMAND, cmd::kOnlineHelp, 0);
  controller.reset();
  win::SetTimeScale(1.0);
}

using Way = void (*)(SettingsStore&);

class HelpRouteTest : public ::testing::Test {
 protected:
  HelpRouteTest() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    win::SetHelpHandler([this](HWND, const win::HelpRequest& r) {
      asked_.push_back({r.viewer, r.file, r.command, r.data});
      return opens_;
    });
    win::SetMessageBoxHandler([this](HWND, const char* text, const char*, UINT) {
      told_.push_back(text);
      return IDOK;
    });
  }
  ~HelpRouteTest() override {
    win::SetHelpHandler({});
    win::SetMessageBoxHandler({});
    for (const char* extension : {"chm", "HLP"}) DeleteFileA(BesideExe(extension).c_str());
  }

  testing_support::RegistrySandbox sandbox_;
  SettingsStore store_;
  std::vector<Asked> asked_;
  std::vector<std::string> told_;
  bool opens_ = true;
};

using Viewer = win::HelpRequest::Viewer;

TEST_F(HelpRouteTest, EachWayInOpensTheHtmlHelpAtItsTopic) {
  struct Case {
    const char* name;
    Way way;
    UINT command;
    DWORD_PTR topic;
  };
  const Case cases[] = {
      {"Advanced Configurations, Help", AdvancedConfigurationsHelp, HH_HELP_CONTEXT, 107},
      {"the dial-up library notice, Help", DialUpNoticeHelp, HH_HELP_CONTEXT, 106},
      {"the tray menu, Online Help", TrayOnlineHelp, HH_DISPLAY_TOC, 0},
  };
  Place(BesideExe("chm"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    asked_.clear();
    told_.clear();
    c.way(store_);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].viewer, Viewer::HtmlHelpFile);
    EXPECT_EQ(asked_[0].file, BesideExe("chm"));
    EXPECT_EQ(asked_[0].command, c.command);
    EXPECT_EQ(asked_[0].data, c.topic);
    EXPECT_EQ(told_, std::vector<std::string>{});
  }
}

TEST_F(HelpRouteTest, TheFileBesideTheProgramDecidesTheViewer) {
  struct Case {
    const char* name;
    std::vector<const char*> present;
    bool opens;
    std::vector<Asked> asked;
    std::vector<std::string> told;
  };
  const std::string chm = BesideExe("chm"), hlp = BesideExe("HLP");
  const Case cases[] = {
      {"HTML Help only", {"chm"}, true, {{Viewer::HtmlHelpFile, chm, HH_HELP_CONTEXT, 107}}, {}},
      {"both: HTML Help first", {"chm", "HLP"}, true, {{Viewer::HtmlHelpFile, chm, HH_HELP_CONTEXT, 107}}, {}},
      {"an old WinHelp file only", {"HLP"}, true, {{Viewer::WinHelpFile, hlp, HELP_CONTEXT, 107}}, {}},
      {"none", {}, true, {}, {"The help file " + chm + " was not found."}},
      {"the viewer fails", {"chm"}, false, {{Viewer::HtmlHelpFile, chm, HH_HELP_CONTEXT, 107}},
       {"The help file " + chm + " could not be opened."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* extension : {"chm", "HLP"}) DeleteFileA(BesideExe(extension).c_str());
    for (const char* extension : c.present) Place(BesideExe(extension));
    asked_.clear();
    told_.clear();
    opens_ = c.opens;
    AdvancedConfigurationsHelp(store_);
    ASSERT_EQ(asked_.size(), c.asked.size());
    for (size_t i = 0; i < c.asked.size(); ++i) {
      EXPECT_EQ(asked_[i].viewer, c.asked[i].viewer);
      EXPECT_EQ(asked_[i].file, c.asked[i].file);
      EXPECT_EQ(asked_[i].command, c.asked[i].command);
      EXPECT_EQ(asked_[i].data, c.asked[i].data);
    }
    EXPECT_EQ(told_, c.told);
  }
}

}  // namespace

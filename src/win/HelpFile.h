#pragma once
// The program's help: an HTML Help file beside the executable and named
// like it (tetherly.exe: tetherly.chm), shown with HtmlHelpA from the
// system's hhctrl.ocx, loaded at the first request. A WinHelp file
// (tetherly.HLP) is opened only when one stands there instead: WinHelp is
// gone from every supported Windows.
#include <windows.h>

#include <functional>
#include <string>

namespace win {

// The program's help file with the given extension ("chm", "HLP"); empty
// when the executable's path cannot be had.
std::string HelpFilePath(const char* extension);

// What is asked of a help viewer: HtmlHelpA(owner, file, command, data), with
// HH_DISPLAY_TOC or HH_HELP_CONTEXT, or WinHelpA with HELP_FINDER or
// HELP_CONTEXT.
struct HelpRequest {
  enum class Viewer { HtmlHelpFile, WinHelpFile };
  Viewer viewer;
  std::string file;
  UINT command;
  DWORD_PTR data;
};
// Tests stand in for the viewers: the handler gets each request instead
// and answers whether it opened. An empty handler gives the viewers back.
using HelpHandler = std::function<bool(HWND owner, const HelpRequest& request)>;
HelpHandler SetHelpHandler(HelpHandler handler);

// The help's contents, or the topic of a context id.
constexpr UINT kHelpContents = 0;
// False, with what to tell the user in `problem`, when there is no help
// file beside the exe or the viewer could not open it.
bool OpenHelp(HWND owner, UINT topic, std::string& problem);

// Closes every help window the program opened (at exit).
void CloseHelp();

// What the user is told when the file is missing.
std::string HelpFileMissingText(const std::string& path);

}  // namespace win

#include "win/HelpFile.h"

#include <htmlhelp.h>

#include <utility>

#include "win/Lock.h"
#include "win/SystemLibrary.h"

namespace win {
namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

Lock& HandlerLock() {
  static Lock lock;
  return lock;
}

HelpHandler& Handler() {
  static HelpHandler handler;
  return handler;
}

// Help windows belong to the user-interface thread; hhctrl.ocx stays loaded
// while any may be open.
HMODULE g_hhctrl = nullptr;
HtmlHelpFn g_htmlHelp = nullptr;

HtmlHelpFn HtmlHelpEntry() {
  if (!g_htmlHelp) {
    if (!g_hhctrl) g_hhctrl = LoadSystemLibrary("hhctrl.ocx");
    if (g_hhctrl) g_htmlHelp = reinterpret_cast<HtmlHelpFn>(GetProcAddress(g_hhctrl, "HtmlHelpA"));
  }
  return g_htmlHelp;
}

bool Exists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Show(HWND owner, const HelpRequest& request) {
  HelpHandler handler;
  {
    LockGuard guard(HandlerLock());
    handler = Handler();
  }
  if (handler) return handler(owner, request);
  if (request.viewer == HelpRequest::Viewer::WinHelpFile)
    return WinHelpA(owner, request.file.c_str(), request.command, request.data) != FALSE;
  HtmlHelpFn htmlHelp = HtmlHelpEntry();
  return htmlHelp && htmlHelp(owner, request.file.c_str(), request.command, request.data) != nullptr;
}

}  // namespace

std::string HelpFilePath(const char* extension) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return {};
  std::string help(path, n);
  const size_t dot = help.find_last_of('.');
  const size_t slash = help.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) help.resize(dot);
  return help + '.' + extension;
}

HelpHandler SetHelpHandler(HelpHandler handler) {
  LockGuard guard(HandlerLock());
  return std::exchange(Handler(), std::move(handler));
}

bool OpenHelp(HWND owner, UINT topic, std::string& problem) {
  const bool contents = topic == kHelpContents;
  const std::string chm = HelpFilePath("chm");
  const std::string hlp = HelpFilePath("HLP");
  HelpRequest request;
  if (Exists(chm)) {
    request = {HelpRequest::Viewer::HtmlHelpFile, chm, static_cast<UINT>(contents ? HH_DISPLAY_TOC : HH_HELP_CONTEXT),
               topic};
  } else if (Exists(hlp)) {
    request = {HelpRequest::Viewer::WinHelpFile, hlp, static_cast<UINT>(contents ? HELP_FINDER : HELP_CONTEXT), topic};
  } else {
    problem = HelpFileMissingText(chm);
    return false;
  }
  if (Show(owner, request)) return true;
  problem = "The help file " + request.file + " could not be opened.";
  return false;
}

void CloseHelp() {
  if (g_htmlHelp) g_htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

std::string HelpFileMissingText(const std::string& path) {
  return "The help file " + path + " was not found.";
}

}  // namespace win

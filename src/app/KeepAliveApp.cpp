#include "app/KeepAliveApp.h"

#include <winsock2.h>

#include "base/Trace.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "win/ErrorText.h"
#include "win/MessageBox.h"
#include "win/ResourceText.h"

namespace {

KeepAliveApp* g_current = nullptr;

bool IsModelessDialog(HWND window) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpA(name, "#32770") == 0;
}

void ShowErrorBox(const char* text) { win::ShowMessageBox(nullptr, text, "Tetherly!", MB_OK); }

}  // namespace

std::string UnwritableSettingsText(DWORD error) {
  return std::string("Tetherly! cannot save its settings: neither HKEY_LOCAL_MACHINE\\") +
         settings::kKeyRoot + " nor HKEY_CURRENT_USER\\" + settings::kKeyRoot +
         " can be opened for writing (" + win::ErrorText(error) +
         ").\n\nTetherly! runs with the settings it can read, but changes you make will not be "
         "kept.";
}

bool StartWindowsSockets11() {
  WSADATA data = {};
  if (WSAStartup(0x0101, &data) != 0) return false;
  if (data.wVersion != 0x0101) {
    WSACleanup();
    return false;
  }
  return true;
}

KeepAliveApp::KeepAliveApp(AppOptions options) : options_(std::move(options)) {
  if (!options_.startSockets) options_.startSockets = &StartWindowsSockets11;
  if (!options_.showError) options_.showError = &ShowErrorBox;
  g_current = this;
}

KeepAliveApp::~KeepAliveApp() {
  controller_.reset();
  trace_.reset();
  if (socketsStarted_) WSACleanup();
  if (g_current == this) g_current = nullptr;
}

KeepAliveApp* KeepAliveApp::Current() { return g_current; }

bool KeepAliveApp::InitInstance() {
  if (!options_.startSockets()) {
    options_.showError(win::LoadResourceText(IDS_WINSOCK_FAILED, "Windows sockets initialization failed.").c_str());
    return false;
  }
  socketsStarted_ = true;
  TellIfSettingsCannotBeSaved();

  if (!trace_) {
    trace_ = std::make_unique<TraceLog>();
    trace_->Create(SW_HIDE);
    trace_->InstallAsTraceSink();
  }
  if (!controller_) {
    ControllerOptions options = options_.controllerOptions ? options_.controllerOptions()
                                                           : ControllerOptions{};
    options.postQuitOnDestroy = true;
    controller_ = std::make_unique<StatusReportDlg>(std::move(options));
    if (!controller_->Create()) return false;
  }
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  SendMessageA(controller_->hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  return true;
}

// A standard user's changes go to the user's own copy; only where neither
// copy can be written would every change be lost without a word. Say so once
// and go on with what can be read.
void KeepAliveApp::TellIfSettingsCannotBeSaved() {
  const DWORD error = SettingsStore().CheckWritable();
  if (error == ERROR_SUCCESS) return;
  const std::string text = UnwritableSettingsText(error);
  TraceLine(text.c_str());
  options_.showError(text.c_str());
}

int KeepAliveApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Tab, Enter and Esc for whichever of the program's modeless dialogs
    // (status report, dial progress, trace) the message is for.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsModelessDialog(root) && IsDialogMessageA(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int KeepAliveApp::ExitInstance() {
  if (trace_) trace_->Destroy();  // saves its rectangle
  return 0;
}

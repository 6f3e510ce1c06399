#include "dialup/RasLibrary.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <new>

#include "base/Trace.h"
#include "dialup/DialUpConnections.h"
#include "dialup/NoticeDlg.h"
#include "res/resource.h"
#include "settings/SettingsSchema.h"
#include "win/Clock.h"
#include "win/ErrorText.h"
#include "win/MessageBox.h"
#include "win/SystemLibrary.h"

namespace dialup {
namespace {

constexpr const char* kTitle = "Tetherly!";
constexpr const char* kNoLibraryText =
    "You do not have Dial-up Networking (DUN) or Remote Access Service (RAS) installed in your "
    "system. If you're using AOL or Compuserve, this may not be required.\n\nFor more "
    "information, please click on the Help button";
constexpr const char* kNoProfileText =
    "You have not setup a default phonebook entry. Please setup a default entry via "
    "'Configurations -> ISP -> Logon Options' menu";
constexpr const char* kTooLongText =
    "The dial-up profile name, login or password is too long for the dial-up library. Please "
    "shorten it via 'Configurations -> ISP -> Logon Options' menu";
constexpr DWORD kErrorTextBytes = 512;  // the library's documented longest text
constexpr int kEnumerationAttempts = 3;  // the phonebook may grow between two asks
// More entries than any phonebook holds; a larger request is a wrong answer.
constexpr std::size_t kMaxEntries = 65536;

// The window the running dial reports to. The library calls back on its own
// thread, so the callback only posts.
std::atomic<HWND> g_notifyWindow{nullptr};

void WINAPI DialNotify(UINT, DWORD state, DWORD error) {
  if (HWND window = g_notifyWindow.load()) PostMessageA(window, kDialStateMessage, state, error);
}

RasHandle HandleFromStored(DWORD stored) {
  return reinterpret_cast<RasHandle>(static_cast<ULONG_PTR>(stored));
}

void Wipe(std::string& secret) { std::fill(secret.begin(), secret.end(), '\0'); }

}  // namespace

RasLibrary::~RasLibrary() { Unload(); }

bool RasLibrary::Load() {
  if (loaded_) return true;
  library_ = win::LoadSystemLibrary(kRasLibraryName);
  if (library_) {
    loaded_ = true;
    loadError_ = ERROR_SUCCESS;
    return true;
  }
  loadError_ = GetLastError();
  if (loadError_ == ERROR_SUCCESS) loadError_ = ERROR_MOD_NOT_FOUND;
  TraceLine("The dial-up library rasapi32.dll could not be loaded");
  ShowNotice(owner_, kNoLibraryText, kNoticeInformation, IDH_NO_DIALUP);
  return false;
}

void RasLibrary::Unload() {
  // While a connection of ours is open the library may still be calling
  // back on its own thread: it stays loaded for the rest of the run.
  if (current_) return;
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
  loaded_ = false;
}

DWORD RasLibrary::ListEntries(std::vector<std::string>& names) {
  if (!Load()) return loadError_;
  auto enumerate = FindEntry<RasEnumEntriesFn>(library_, "RasEnumEntriesA");
  if (!enumerate) {
    DWORD error = GetLastError();
    Unload();
    return error != ERROR_SUCCESS ? error : ERROR_PROC_NOT_FOUND;
  }
  std::vector<RasEntryName> buffer(1, RasEntryName{});
  buffer[0].dwSize = sizeof(RasEntryName);
  DWORD bytes = sizeof(RasEntryName), count = 0;
  DWORD rc = enumerate(nullptr, nullptr, buffer.data(), &bytes, &count);
  for (int attempt = 1; rc == kErrorBufferTooSmall && attempt < kEnumerationAttempts; ++attempt) {
    const std::size_t records = RecordsFor(bytes, sizeof(RasEntryName), kMaxEntries);
    if (records == 0) {
      rc = kErrorNotEnoughMemory;
      break;
    }
    try {
      buffer.assign(records, RasEntryName{});
    } catch (const std::bad_alloc&) {
      rc = kErrorNotEnoughMemory;
      break;
    }
    for (RasEntryName& record : buffer) record.dwSize = sizeof(RasEntryName);
    bytes = static_cast<DWORD>(records * sizeof(RasEntryName));
    count = 0;
    rc = enumerate(nullptr, nullptr, buffer.data(), &bytes, &count);
  }
  if (rc == ERROR_SUCCESS) {
    const std::size_t filled = std::min<std::size_t>(count, buffer.size());
    for (std::size_t i = 0; i < filled; ++i) names.push_back(EntryNameOf(buffer[i]));
  }
  Unload();
  return rc;
}

std::string RasLibrary::ProfileName() const {
  std::string profile;
  store_.Read(settings::kModemProfile, profile);
  return profile;
}

bool RasLibrary::Dial(HWND notify, bool showRefusal) {
  dialRefusal_ = 0;
  if (!Load()) return false;
  g_notifyWindow.store(notify);
  const std::string profile = ProfileName();
  if (profile.empty()) {
    win::ShowMessageBox(owner_, kNoProfileText, kTitle, MB_OK);
    return false;
  }
  auto dial = FindEntry<RasDialFn>(library_, "RasDialA");
  if (!dial) {
    ShowSystemError(GetLastError());
    return false;
  }
  RasDialParams params;
  if (!ReadDialParams(profile, params)) {
    win::ShowMessageBox(owner_, kTooLongText, kTitle, MB_OK);
    return false;
  }
  HangUpPrevious();
  // The window to report to went while a box was up: the program is ending.
  if (notify && !IsWindow(notify)) return false;

  current_ = nullptr;
  RasHandle handle = nullptr;
  TraceLine(("Dialing " + profile).c_str());
  const DWORD rc = dial(nullptr, nullptr, &params, 0, reinterpret_cast<void*>(&DialNotify), &handle);
  WipeDialParams(params);
  current_ = handle;
  if (rc == ERROR_SUCCESS) {
    StorePrevHandle(handle);
    return true;
  }
  TraceLine(("The dial could not start: dial-up error " + std::to_string(rc)).c_str());
  dialRefusal_ = rc;
  // A half-started dial holds a handle the library wants back.
  HangUpCurrent();
  if (showRefusal) ShowDialUpError(rc);
  return false;
}

bool RasLibrary::ReadDialParams(const std::string& profile, RasDialParams& params) {
  std::string login, password;
  store_.ReadProfileCredentials(profile, login, password);  // both empty when not stored
  const bool fits = FillDialParams(params, profile, login, password);
  Wipe(password);
  return fits;
}

void RasLibrary::StorePrevHandle(RasHandle handle) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(handle));
  store_.Write(settings::kModemPrevRasHandle, StorableHandle(value));
}

bool RasLibrary::HangUpCurrent() {
  if (!current_) return false;
  auto hangUp = FindEntry<RasHangUpFn>(library_, "RasHangUpA");
  if (!hangUp) {
    ShowSystemError(GetLastError());
    return false;
  }
  const DWORD rc = hangUp(current_);
  if (rc != ERROR_SUCCESS) {
    TraceLine(("The hang-up was refused: dial-up error " + std::to_string(rc)).c_str());
    ReportRefusal(rc);
    return false;
  }
  AwaitHangUp(current_);
  current_ = nullptr;
  store_.Write(settings::kModemPrevRasHandle, 0);
  return true;
}

// The library ends a connection in the background; the handle stays valid
// until it is done. Any answer but "connected" ends the wait, and a library
// that never lets go is not waited for beyond the bound.
void RasLibrary::AwaitHangUp(RasHandle handle) {
  auto status = FindEntry<RasGetConnectStatusFn>(library_, "RasGetConnectStatusA");
  if (!status) return;
  for (DWORD waited = 0;; waited += kHangUpPollMs) {
    RasConnStatus s{};
    s.dwSize = sizeof(s);
    if (status(handle, &s) != ERROR_SUCCESS) return;
    if (waited >= kHangUpWaitMs) break;
    win::SleepMs(kHangUpPollMs);
  }
  TraceLine("The dial-up library did not let go of the connection in time; the hang-up counts as done");
}

bool RasLibrary::HangUpPrevious() {
  const DWORD stored = store_.Read(settings::kModemPrevRasHandle);
  if (stored == 0 || stored == settings::kNone) return false;
  auto hangUp = FindEntry<RasHangUpFn>(library_, "RasHangUpA");
  if (!hangUp) {
    ShowSystemError(GetLastError());
    return false;
  }
  DWORD rc = hangUp(HandleFromStored(stored));
  if (rc != ERROR_SUCCESS) {
    ReportRefusal(rc);
    return false;
  }
  auto enumerate = FindEntry<RasEnumConnectionsFn>(library_, "RasEnumConnectionsA");
  if (!enumerate) {
    ShowSystemError(GetLastError());
    return false;
  }
  std::vector<RasHandle> connections;
  rc = EnumerateConnections(enumerate, connections);
  if (rc != ERROR_SUCCESS) {
    ReportRefusal(rc);
    return false;
  }
  if (!connections.empty() && connections[0]) hangUp(connections[0]);
  store_.Write(settings::kModemPrevRasHandle, 0);
  return true;
}

bool RasLibrary::ReconnectOn() const { return store_.Read(settings::kModemReconnect) == 1; }

void RasLibrary::ReportRefusal(DWORD rc) {
  // A program that redials by itself says nothing about a line it could not end.
  if (!ReconnectOn()) ShowDialUpError(rc);
}

void RasLibrary::ShowDialUpError(DWORD code) {
  std::string text;
  DWORD failure = ERROR_SUCCESS;
  if (LookUpErrorText(RaisedErrorCode(code, 600), text, failure))
    win::ShowMessageBox(owner_, text.c_str(), kTitle, MB_OK);
  else if (failure != ERROR_SUCCESS)
    ShowSystemError(failure);
}

std::string RasLibrary::DialUpErrorText(DWORD code) {
  std::string text;
  DWORD failure = ERROR_SUCCESS;
  if (!LookUpErrorText(code, text, failure) && failure != ERROR_SUCCESS) ShowSystemError(failure);
  return text;
}

bool RasLibrary::LookUpErrorText(DWORD code, std::string& text, DWORD& failure) {
  text.clear();
  failure = ERROR_SUCCESS;  // stays so when the notice has already told the user
  const bool loadedHere = !loaded_;
  if (!Load()) return false;
  auto lookUp = FindEntry<RasGetErrorStringFn>(library_, "RasGetErrorStringA");
  char buffer[kErrorTextBytes] = {};
  const DWORD rc = lookUp ? lookUp(code, buffer, sizeof(buffer)) : GetLastError();
  buffer[sizeof(buffer) - 1] = '\0';
  text = buffer;  // as the library left it, also when it failed
  if (loadedHere) Unload();
  if (rc == ERROR_SUCCESS) return true;
  failure = rc;
  return false;
}

void RasLibrary::ShowSystemError(DWORD code) {
  win::ShowMessageBox(owner_, win::ErrorText(code).c_str(), "Error", MB_OK | MB_ICONERROR);
}

bool RasLibrary::ConnectionActive() { return AnyDialUpConnection(); }

}  // namespace dialup

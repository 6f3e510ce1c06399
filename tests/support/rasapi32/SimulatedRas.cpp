// A dial-up library for tests: our own rasapi32.dll with the six entry points
// the program uses, put into the Wine prefix's system folder (where the
// program loads it from) and loaded in front of Wine's own with
// WINEDLLOVERRIDES="rasapi32=n,b" (Wine's own cannot dial).
//
// What it does is scripted, by the file named in TETHERLY_RAS_SCRIPT (read
// again at every dial, so a person may edit it between dials) or by the
// exported SimRas* calls, which then take over. Script lines:
//
//   entry NAME                 a phonebook entry (repeatable; any length)
//   entries COUNT LENGTH       COUNT entries with names of LENGTH characters
//   enum-entries-result CODE   RasEnumEntriesA answers CODE
//   dial-result CODE           RasDialA answers CODE (a handle is still given)
//   dial-handle HEX            the handle RasDialA gives (default: counted)
//   state STATE DELAY [ERROR]  sent to the callback DELAY ms after the one before
//   drop DELAY [notify]        after the last state the line drops (state 8193 with notify)
//   then                       what follows is the next dial's (dial-result,
//                              state, drop); the last dial's is every later one's
//   hangup-result CODE         RasHangUpA answers CODE and keeps the line
//   hangup-complete MS|never   how long the handle stays valid after a hang-up
//   hangup-status CODE         what RasGetConnectStatusA answers then (default 6)
//   after-hangup STATE DELAY [ERROR]  a late state sent after a hang-up
//   error-text CODE TEXT       RasGetErrorStringA's text for CODE
//   error-string-result CODE RESULT   RasGetErrorStringA fails for CODE
//   connection HEX NAME        a connection that exists already
//   enum-connections-result CODE      RasEnumConnectionsA answers CODE
//   connection-records current the oldest connection record is refused (632),
//                              as a newer system may do (default: any)
//
// Every call is logged with its arguments (SimRasLog keeps the latest 64 KiB
// of it in memory; the file named in TETHERLY_RAS_LOG gets all of it).
//
// Record sizes are those of the system's own header (mingw-w64's ras.h,
// packed to 4 bytes), never the program's: each record's oldest layout (up
// to the first field a later version added, rounded up to 4) and its full
// current one. Any other size gets 632, as a real library answers. The
// records are read and filled at the header's offsets.
#include <windows.h>
#include <ras.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD RoundUp4(size_t n) { return static_cast<DWORD>((n + 3) & ~size_t{3}); }

// The oldest layouts, which every version of the library accepts.
constexpr DWORD kEntrySize = RoundUp4(offsetof(RASENTRYNAMEA, dwFlags));
constexpr DWORD kConnSize = RoundUp4(offsetof(RASCONNA, szPhonebook));
constexpr DWORD kParamsSize = RoundUp4(offsetof(RASDIALPARAMSA, dwSubEntry));
constexpr DWORD kStatusSize = RoundUp4(offsetof(RASCONNSTATUSA, szPhoneNumber));
// Where the fields are.
constexpr size_t kEntryName = offsetof(RASENTRYNAMEA, szEntryName);
constexpr size_t kConnHandle = offsetof(RASCONNA, hrasconn), kConnName = offsetof(RASCONNA, szEntryName);
constexpr size_t kParamEntry = offsetof(RASDIALPARAMSA, szEntryName),
                 kParamPhone = offsetof(RASDIALPARAMSA, szPhoneNumber),
                 kParamCallback = offsetof(RASDIALPARAMSA, szCallbackNumber),
                 kParamUser = offsetof(RASDIALPARAMSA, szUserName),
                 kParamPassword = offsetof(RASDIALPARAMSA, szPassword),
                 kParamDomain = offsetof(RASDIALPARAMSA, szDomain);
constexpr size_t kStatusState = offsetof(RASCONNSTATUSA, rasconnstate),
                 kStatusError = offsetof(RASCONNSTATUSA, dwError);
constexpr DWORD kNameField = RAS_MaxEntryName + 1;
constexpr DWORD kInvalidSize = 632;
constexpr DWORD kBufferTooSmall = 603;
constexpr DWORD kInvalidHandle = 6;
constexpr DWORD kConnected = 8192;
constexpr DWORD kDisconnected = 8193;
constexpr UINT kDialEvent = 0xCCCD;  // WM_RASDIALEVENT
// What the in-memory log keeps: the latest lines up to this many bytes.
constexpr size_t kLogBytes = 64 * 1024;

using Notifier = void(WINAPI*)(UINT, DWORD, DWORD);

struct Step {
  DWORD state = 0, delayMs = 0, error = 0;
};

// What one dial does.
struct DialPlan {
  DWORD dialResult = 0;
  std::vector<Step> steps;
  long dropMs = -1;
  bool dropNotify = false;
};

struct Script {
  std::vector<std::string> entries;
  DWORD enumEntriesResult = 0;
  ULONG_PTR dialHandle = 0;
  std::vector<DialPlan> plans{1};  // one per dial; the last one for every later dial
  DWORD hangUpResult = 0;
  long hangUpCompleteMs = 0;  // -1: never
  DWORD hangUpStatus = kInvalidHandle;
  std::vector<Step> afterHangUp;
  std::map<DWORD, std::string> errorTexts;
  std::map<DWORD, DWORD> errorStringResults;
  std::vector<std::pair<ULONG_PTR, std::string>> connections;
  DWORD enumConnectionsResult = 0;
  bool currentConnectionsOnly = false;
};

// Whether the library takes a record of `size` whose oldest layout is
// `oldest` bytes and whose current one is `current`.
bool Takes(DWORD size, DWORD oldest, DWORD current, bool currentOnly = false) {
  return size == current || (size == oldest && !currentOnly);
}

struct Connection {
  ULONG_PTR handle = 0;
  std::string entry;
  DWORD state = 0, error = 0;
  bool listed = false;  // shown by RasEnumConnectionsA
  bool hungUp = false;
  DWORD hungUpAt = 0;
  Notifier notifier = nullptr;
  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // set at hang-up: the dial sends nothing more

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() {
    if (stop) CloseHandle(stop);
  }
};

struct State {
  CRITICAL_SECTION lock;
  Script script;
  std::string scriptText;
  size_t dials = 0;         // RasDialA calls under this script
  bool controlled = false;  // scripted by calls: the file is not read
  std::vector<std::shared_ptr<Connection>> connections;
  std::set<ULONG_PTR> materialized;  // script connections already made
  std::deque<std::string> log;
  size_t logBytes = 0;
  std::map<std::string, DWORD> calls;  // per entry point, since the last reset
  std::vector<BYTE> lastParams;
  ULONG_PTR nextHandle = 0x1000;
  DWORD started = GetTickCount();
  State() { InitializeCriticalSection(&lock); }
};

State& S() {
  static State* state = new State();  // never destroyed: dial threads may outlive unload
  return *state;
}

class Guard {
 public:
  Guard() { EnterCriticalSection(&S().lock); }
  ~Guard() { LeaveCriticalSection(&S().lock); }
};

std::string Env(const char* name) {
  char buf[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof(buf));
  return n > 0 && n < sizeof(buf) ? std::string(buf, n) : std::string();
}

void Log(const std::string& line) {
  Guard g;
  State& s = S();
  s.log.push_back(line);
  s.logBytes += line.size() + 1;
  while (s.logBytes > kLogBytes && s.log.size() > 1) {
    s.logBytes -= s.log.front().size() + 1;
    s.log.pop_front();
  }
  ++s.calls[line.substr(0, line.find(' '))];
  std::string path = Env("TETHERLY_RAS_LOG");
  if (path.empty()) return;
  if (FILE* f = std::fopen(path.c_str(), "a")) {
    std::fprintf(f, "%8lu %s\n", static_cast<unsigned long>(GetTickCount() - S().started), line.c_str());
    std::fclose(f);
  }
}

std::string Hex(ULONG_PTR v) {
  char buf[32];
  std::snprintf(buf, sizeof(buf), "0x%llx", static_cast<unsigned long long>(v));
  return buf;
}

std::string Field(const BYTE* p, size_t size) {
  size_t n = 0;
  while (n < size && p[n]) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

ULONG_PTR ParseHex(const std::string& s) { return static_cast<ULONG_PTR>(std::strtoull(s.c_str(), nullptr, 16)); }

Step ParseStep(std::istringstream& in) {
  Step s;
  in >> s.state >> s.delayMs;
  if (!(in >> s.error)) s.error = 0;
  return s;
}

Script Parse(const std::string& text) {
  Script script;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    std::istringstream in(rest);
    if (key == "entry") {
      script.entries.push_back(rest);
    } else if (key == "entries") {
      size_t count = 0, length = 0;
      in >> count >> length;
      for (size_t i = 0; i < count; ++i) {
        char head[16];
        std::snprintf(head, sizeof(head), "Entry %04u", static_cast<unsigned>(i));
        std::string name = head;
        name.resize(length, 'x');
        script.entries.push_back(name);
      }
    } else if (key == "enum-entries-result") {
      in >> script.enumEntriesResult;
    } else if (key == "dial-result") {
      in >> script.plans.back().dialResult;
    } else if (key == "dial-handle") {
      script.dialHandle = ParseHex(rest);
    } else if (key == "state") {
      script.plans.back().steps.push_back(ParseStep(in));
    } else if (key == "drop") {
      std::string notify;
      in >> script.plans.back().dropMs >> notify;
      script.plans.back().dropNotify = notify == "notify";
    } else if (key == "hangup-result") {
      in >> script.hangUpResult;
    } else if (key == "hangup-complete") {
      script.hangUpCompleteMs = rest == "never" ? -1 : std::atol(rest.c_str());
    } else if (key == "hangup-status") {
      in >> script.hangUpStatus;
    } else if (key == "after-hangup") {
      script.afterHangUp.push_back(ParseStep(in));
    } else if (key == "error-text") {
      DWORD code = 0;
      in >> code;
      std::string text;
      std::getline(in >> std::ws, text);
      script.errorTexts[code] = text;
    } else if (key == "error-string-result") {
      DWORD code = 0, result = 0;
      in >> code >> result;
      script.errorStringResults[code] = result;
    } else if (key == "connection") {
      std::string handle, name;
      in >> handle;
      std::getline(in >> std::ws, name);
      script.connections.emplace_back(ParseHex(handle), name);
    } else if (key == "enum-connections-result") {
      in >> script.enumConnectionsResult;
    } else if (key == "then") {
      script.plans.emplace_back();
    } else if (key == "connection-records") {
      script.currentConnectionsOnly = rest == "current";
    }
  }
  return script;
}

// Called with the lock held. A script that differs from the one in use
// starts again at its first dial plan.
void Adopt(const std::string& text) {
  State& s = S();
  if (text != s.scriptText) s.dials = 0;
  s.scriptText = text;
  s.script = Parse(text);
  for (const auto& [handle, name] : s.script.connections) {
    if (!s.materialized.insert(handle).second) continue;
    auto c = std::make_shared<Connection>();
    c->handle = handle;
    c->entry = name;
    c->state = kConnected;
    c->listed = true;
    s.connections.push_back(c);
  }
}

void ReadScriptFile() {
  const std::string path = Env("TETHERLY_RAS_SCRIPT");
  Guard g;
  if (S().controlled || path.empty()) return;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return;
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) text.append(buf, n);
  std::fclose(f);
  Adopt(text);
}

// Called with the lock held.
std::shared_ptr<Connection> Find(ULONG_PTR handle) {
  for (auto& c : S().connections)
    if (c->handle == handle) return c;
  return nullptr;
}

void Remove(ULONG_PTR handle) {
  auto& list = S().connections;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if ((*it)->handle == handle) {
      list.erase(it);
      return;
    }
  }
}

void Notify(const std::shared_ptr<Connection>& c, DWORD state, DWORD error) {
  Log("callback " + Hex(c->handle) + " state=" + std::to_string(state) + " error=" + std::to_string(error));
  if (c->notifier) c->notifier(kDialEvent, state, error);
}

struct DialRun {
  std::shared_ptr<Connection> connection;
  std::vector<Step> steps;
  long dropMs = -1;
  bool dropNotify = false;
};

DWORD WINAPI DialThread(void* arg) {
  std::unique_ptr<DialRun> run(static_cast<DialRun*>(arg));
  auto& c = run->connection;
  bool connected = false;
  for (const Step& step : run->steps) {
    if (WaitForSingleObject(c->stop, step.delayMs) == WAIT_OBJECT_0) return 0;
    {
      Guard g;
      if (c->hungUp) return 0;
      c->state = step.state;
      c->error = step.error;
      if (step.state == kConnected && step.error == 0) c->listed = connected = true;
    }
    Notify(c, step.state, step.error);
    if (step.error != 0) return 0;  // the library reports nothing after an error
  }
  if (!connected || run->dropMs < 0) return 0;
  if (WaitForSingleObject(c->stop, static_cast<DWORD>(run->dropMs)) == WAIT_OBJECT_0) return 0;
  {
    Guard g;
    if (c->hungUp || !c->listed) return 0;  // hung up, or dropped by SimRasDropLine
    c->listed = false;
    c->state = kDisconnected;
  }
  Log("line dropped " + Hex(c->handle));
  if (run->dropNotify) Notify(c, kDisconnected, 0);
  return 0;
}

struct LateRun {
  std::shared_ptr<Connection> connection;
  std::vector<Step> steps;
};

DWORD WINAPI LateThread(void* arg) {
  std::unique_ptr<LateRun> run(static_cast<LateRun*>(arg));
  for (const Step& step : run->steps) {
    Sleep(step.delayMs);
    Notify(run->connection, step.state, step.error);
  }
  return 0;
}

// Dial threads run this module's code: it must stay loaded while they do.
void Pin() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&Pin), &self);
}

void StartThread(LPTHREAD_START_ROUTINE routine, void* arg) {
  Pin();
  HANDLE t = CreateThread(nullptr, 0, routine, arg, 0, nullptr);
  if (t) CloseHandle(t);
}

}  // namespace

extern "C" {

// The entry points with the header's own signatures; records are handled as
// bytes at the header's offsets, with the stride the caller's size field gives.

__declspec(dllexport) DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR phonebook, LPRASENTRYNAMEA records,
                                                   LPDWORD bytes, LPDWORD count) {
  ReadScriptFile();
  BYTE* entries = reinterpret_cast<BYTE*>(records);
  const DWORD size = entries ? *reinterpret_cast<DWORD*>(entries) : 0;
  const DWORD given = bytes ? *bytes : 0;
  DWORD rc = 0;
  DWORD needed = 0, n = 0;
  {
    Guard g;
    const Script& script = S().script;
    n = static_cast<DWORD>(script.entries.size());
    needed = n * size;
    if (!entries || !bytes || !count) {
      rc = ERROR_INVALID_PARAMETER;
    } else if (!Takes(size, kEntrySize, sizeof(RASENTRYNAMEA))) {
      rc = kInvalidSize;
    } else if (script.enumEntriesResult != 0) {
      rc = script.enumEntriesResult;
    } else if (given < needed) {
      *bytes = needed;
      *count = n;
      rc = kBufferTooSmall;
    } else {
      for (DWORD i = 0; i < n; ++i) {
        BYTE* record = entries + i * size;
        std::memset(record + sizeof(DWORD), 0, size - sizeof(DWORD));
        *reinterpret_cast<DWORD*>(record) = size;
        const std::string& text = script.entries[i];
        // A name of 257 characters or more fills the field with no terminator.
        std::memcpy(record + kEntryName, text.data(), text.size() < kNameField ? text.size() : kNameField);
      }
      *bytes = needed;
      *count = n;
    }
  }
  Log("RasEnumEntriesA phonebook=" + std::string(phonebook ? phonebook : "(default)") +
      " size=" + std::to_string(size) + " bytes=" + std::to_string(given) + " -> " +
      std::to_string(rc) + " needed=" + std::to_string(needed) + " count=" + std::to_string(n));
  return rc;
}

__declspec(dllexport) DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS extensions, LPCSTR phonebook,
                                            LPRASDIALPARAMSA record, DWORD notifierType, LPVOID notifier,
                                            LPHRASCONN handle) {
  ReadScriptFile();
  const BYTE* params = reinterpret_cast<const BYTE*>(record);
  const DWORD size = params ? *reinterpret_cast<const DWORD*>(params) : 0;
  const bool taken = Takes(size, kParamsSize, sizeof(RASDIALPARAMSA));
  std::string args = "RasDialA extensions=" + std::string(extensions ? "yes" : "none") +
                     " phonebook=" + (phonebook ? phonebook : "(default)") +
                     " size=" + std::to_string(size) + " notifier=" + std::to_string(notifierType);
  if (params && taken) {
    args += " entry=\"" + Field(params + kParamEntry, kNameField) + "\" phone=\"" +
            Field(params + kParamPhone, RAS_MaxPhoneNumber + 1) + "\" callback=\"" +
            Field(params + kParamCallback, RAS_MaxCallbackNumber + 1) + "\" user=\"" +
            Field(params + kParamUser, UNLEN + 1) + "\" password=\"" + Field(params + kParamPassword, PWLEN + 1) +
            "\" domain=\"" + Field(params + kParamDomain, DNLEN + 1) + "\"";
  }
  DWORD rc = 0;
  ULONG_PTR given = 0;
  {
    Guard g;
    State& s = S();
    if (!params || !handle) {
      rc = ERROR_INVALID_PARAMETER;
    } else if (!taken) {
      rc = kInvalidSize;
    } else if (notifierType != 0 || !notifier) {
      rc = ERROR_INVALID_PARAMETER;
    } else {
      s.lastParams.assign(params, params + size);
      given = s.script.dialHandle ? s.script.dialHandle : (s.nextHandle += 0x10);
      *handle = reinterpret_cast<HRASCONN>(given);
      auto c = std::make_shared<Connection>();
      c->handle = given;
      c->entry = Field(params + kParamEntry, kNameField);
      c->notifier = reinterpret_cast<Notifier>(notifier);
      Remove(given);
      s.connections.push_back(c);
      const auto& plans = s.script.plans;
      const DialPlan& plan = plans[s.dials < plans.size() ? s.dials : plans.size() - 1];
      ++s.dials;
      rc = plan.dialResult;
      if (rc == 0) {
        auto* run = new DialRun{c, plan.steps, plan.dropMs, plan.dropNotify};
        StartThread(&DialThread, run);
      }
    }
  }
  Log(args + " -> " + std::to_string(rc) + " handle=" + Hex(given));
  return rc;
}

__declspec(dllexport) DWORD WINAPI RasHangUpA(HRASCONN handle) {
  const ULONG_PTR h = reinterpret_cast<ULONG_PTR>(handle);
  DWORD rc = 0;
  {
    Guard g;
    State& s = S();
    auto c = Find(h);
    if (!c || c->hungUp) {
      rc = kInvalidHandle;
    } else if (s.script.hangUpResult != 0) {
      rc = s.script.hangUpResult;
    } else {
      c->hungUp = true;
      c->hungUpAt = GetTickCount();
      c->listed = false;
      SetEvent(c->stop);
      if (!s.script.afterHangUp.empty()) StartThread(&LateThread, new LateRun{c, s.script.afterHangUp});
    }
  }
  Log("RasHangUpA " + Hex(h) + " -> " + std::to_string(rc));
  return rc;
}

__declspec(dllexport) DWORD WINAPI RasGetConnectStatusA(HRASCONN handle, LPRASCONNSTATUSA record) {
  const ULONG_PTR h = reinterpret_cast<ULONG_PTR>(handle);
  BYTE* status = reinterpret_cast<BYTE*>(record);
  const DWORD size = status ? *reinterpret_cast<DWORD*>(status) : 0;
  DWORD rc = 0, state = 0;
  {
    Guard g;
    const Script& script = S().script;
    auto c = Find(h);
    if (!status) {
      rc = ERROR_INVALID_PARAMETER;
    } else if (!Takes(size, kStatusSize, sizeof(RASCONNSTATUSA))) {
      rc = kInvalidSize;
    } else if (!c) {
      rc = kInvalidHandle;
    } else if (c->hungUp && script.hangUpCompleteMs >= 0 &&
               GetTickCount() - c->hungUpAt >= static_cast<DWORD>(script.hangUpCompleteMs)) {
      rc = script.hangUpStatus;
      if (rc == kInvalidHandle) Remove(h);
    } else {
      state = c->state;
      std::memcpy(status + kStatusState, &c->state, sizeof(DWORD));
      std::memcpy(status + kStatusError, &c->error, sizeof(DWORD));
    }
  }
  Log("RasGetConnectStatusA " + Hex(h) + " size=" + std::to_string(size) + " -> " +
      std::to_string(rc) + " state=" + std::to_string(state));
  return rc;
}

__declspec(dllexport) DWORD WINAPI RasEnumConnectionsA(LPRASCONNA records, LPDWORD bytes, LPDWORD count) {
  ReadScriptFile();
  BYTE* conns = reinterpret_cast<BYTE*>(records);
  const DWORD size = conns ? *reinterpret_cast<DWORD*>(conns) : 0;
  const DWORD given = bytes ? *bytes : 0;
  DWORD rc = 0, n = 0;
  {
    Guard g;
    State& s = S();
    std::vector<std::shared_ptr<Connection>> listed;
    for (auto& c : s.connections)
      if (c->listed) listed.push_back(c);
    n = static_cast<DWORD>(listed.size());
    const DWORD needed = n * size;
    if (!conns || !bytes || !count) {
      rc = ERROR_INVALID_PARAMETER;
    } else if (!Takes(size, kConnSize, sizeof(RASCONNA), s.script.currentConnectionsOnly)) {
      rc = kInvalidSize;
    } else if (s.script.enumConnectionsResult != 0) {
      rc = s.script.enumConnectionsResult;
    } else if (given < needed) {
      *bytes = needed;
      *count = n;
      rc = kBufferTooSmall;
    } else {
      for (DWORD i = 0; i < n; ++i) {
        BYTE* record = conns + i * size;
        std::memset(record + sizeof(DWORD), 0, size - sizeof(DWORD));
        *reinterpret_cast<DWORD*>(record) = size;
        const HRASCONN handle = reinterpret_cast<HRASCONN>(listed[i]->handle);
        std::memcpy(record + kConnHandle, &handle, sizeof(handle));
        std::strncpy(reinterpret_cast<char*>(record + kConnName), listed[i]->entry.c_str(), kNameField - 1);
      }
      *bytes = needed;
      *count = n;
    }
  }
  Log("RasEnumConnectionsA size=" + std::to_string(size) + " bytes=" + std::to_string(given) +
      " -> " + std::to_string(rc) + " count=" + std::to_string(n));
  return rc;
}

__declspec(dllexport) DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR text, DWORD size) {
  DWORD rc = 0;
  {
    Guard g;
    const Script& script = S().script;
    auto failing = script.errorStringResults.find(code);
    auto scripted = script.errorTexts.find(code);
    const std::string message = scripted != script.errorTexts.end()
                                    ? scripted->second
                                    : "Simulated dial-up error " + std::to_string(code) + ".";
    if (failing != script.errorStringResults.end()) {
      rc = failing->second;
    } else if (!text) {
      rc = ERROR_INVALID_PARAMETER;
    } else if (size <= message.size()) {
      rc = ERROR_INSUFFICIENT_BUFFER;
    } else {
      std::memcpy(text, message.c_str(), message.size() + 1);
    }
  }
  Log("RasGetErrorStringA " + std::to_string(code) + " size=" + std::to_string(size) + " -> " +
      std::to_string(rc));
  return rc;
}

// ---- Control calls for tests in the same process ----

// Forgets connections, log and script, and stops reading the script file.
__declspec(dllexport) void WINAPI SimRasReset() {
  Guard g;
  State& s = S();
  for (auto& c : s.connections) {
    c->hungUp = true;
    SetEvent(c->stop);
  }
  s.connections.clear();
  s.materialized.clear();
  s.log.clear();
  s.logBytes = 0;
  s.calls.clear();
  s.lastParams.clear();
  s.nextHandle = 0x1000;
  s.script = Script{};
  s.scriptText.clear();
  s.dials = 0;
  s.controlled = true;
}

// Replaces the script (lines as in the file).
__declspec(dllexport) void WINAPI SimRasScript(const char* text) {
  Guard g;
  S().controlled = true;
  S().dials = 0;
  Adopt(text ? text : "");
}

// The log's latest lines, one call a line; returns the length it needs.
__declspec(dllexport) DWORD WINAPI SimRasLog(char* buffer, DWORD size) {
  Guard g;
  std::string all;
  for (const auto& line : S().log) all += line + "\n";
  if (buffer && size > 0) {
    const size_t n = all.size() < size - 1 ? all.size() : size - 1;
    std::memcpy(buffer, all.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<DWORD>(all.size() + 1);
}

// How often the entry point `name` ("RasDialA") was called since the last
// reset, whatever the log still holds.
__declspec(dllexport) DWORD WINAPI SimRasCallCount(const char* name) {
  Guard g;
  auto it = S().calls.find(name ? name : "");
  return it == S().calls.end() ? 0 : it->second;
}

// The bytes this library holds for what it was told and did: the log, the
// connections it knows and the last dial parameters.
__declspec(dllexport) DWORD WINAPI SimRasFootprint() {
  Guard g;
  const State& s = S();
  return static_cast<DWORD>(s.logBytes + s.connections.size() * sizeof(Connection) + s.lastParams.size());
}

// The bytes of the last dial parameters RasDialA accepted; returns their count.
__declspec(dllexport) DWORD WINAPI SimRasLastDialParams(BYTE* buffer, DWORD size) {
  Guard g;
  const auto& p = S().lastParams;
  if (buffer) std::memcpy(buffer, p.data(), p.size() < size ? p.size() : size);
  return static_cast<DWORD>(p.size());
}

// Drops every connected line now (with state 8193 to its callback when `notify`).
__declspec(dllexport) void WINAPI SimRasDropLine(BOOL notify) {
  std::vector<std::shared_ptr<Connection>> dropped;
  {
    Guard g;
    for (auto& c : S().connections) {
      if (!c->listed || !c->notifier) continue;
      c->listed = false;
      c->state = kDisconnected;
      dropped.push_back(c);
    }
  }
  for (auto& c : dropped) {
    Log("line dropped " + Hex(c->handle));
    if (notify) Notify(c, kDisconnected, 0);
  }
}

}  // extern "C"

#include "dialup/DialTexts.h"

#include <cstring>

namespace dialup {
namespace {

struct StateText {
  std::uint32_t state;
  const char* text;
};

constexpr StateText kStateTexts[] = {
    {0, "Opening port"},
    {1, "Port opened"},
    {2, "Initiating connection"},
    {3, "Connecting"},
    {4, "Establishing link"},
    {5, "Initiating authentication"},
    {6, "Authenticating"},
    {7, "Retrying authentication"},
    {8, "Remote server requesting for callback number"},
    {9, "Requesting change of password"},
    {10, "Logging on to network"},
    {11, "Starting link-speed calculation"},
    {12, "Authentication request acknowledged"},
    {13, "Starting reauthentication"},
    {14, "Authenticated"},
    {15, "Disconnecting for callback"},
    {16, "Resetting modem for callback"},
    {17, "Waiting for callback"},
    {18, "Projection phase done"},
    {19, "Initiating user authentication"},
    {20, "Resuming authentication"},
    {21, "Logging on to network"},
    {22, "Secondary connection established"},
    {23, "Secondary connection disconnected"},
    {4096, "Terminal state"},
    {4097, "Retrying authentication"},
    {4098, "Setting callback"},
    {4099, "Password expired"},
    {kStateConnected, "Connected"},
    {kStateDisconnected, "Disconnected"},
};

// Copies text with its terminator into a field of fieldSize bytes, or
// refuses when it does not fit.
bool CopyField(char* field, std::size_t fieldSize, const std::string& text) {
  const std::size_t length = std::strlen(text.c_str());  // up to an embedded zero, as the library reads it
  if (length + 1 > fieldSize) return false;
  std::memcpy(field, text.c_str(), length + 1);
  return true;
}

}  // namespace

const char* ConnectionStateText(std::uint32_t state) {
  for (const StateText& s : kStateTexts)
    if (s.state == state) return s.text;
  return "Undefined error";
}

std::uint32_t RaisedErrorCode(std::uint32_t code, std::uint32_t offset) {
  return code < 600 ? code + offset : code;
}

bool FillDialParams(RasDialParams& params, const std::string& profile, const std::string& login,
                    const std::string& password) {
  std::memset(&params, 0, sizeof(params));
  params.dwSize = sizeof(RasDialParams);
  const bool fits = CopyField(params.szEntryName, sizeof(params.szEntryName), profile) &&
                    CopyField(params.szUserName, sizeof(params.szUserName), login) &&
                    CopyField(params.szPassword, sizeof(params.szPassword), password) &&
                    CopyField(params.szDomain, sizeof(params.szDomain), "*");
  if (!fits) std::memset(&params, 0, sizeof(params));
  return fits;
}

void WipeDialParams(RasDialParams& params) {
  // volatile, so the compiler cannot drop the stores as dead.
  volatile char* p = params.szPassword;
  for (std::size_t i = 0; i < sizeof(params.szPassword); ++i) p[i] = 0;
}

std::uint32_t StorableHandle(std::uint64_t handle) {
  if (handle >= 0xFFFFFFFFull) return 0;
  return static_cast<std::uint32_t>(handle);
}

std::string EntryNameOf(const RasEntryName& record) {
  std::size_t n = 0;
  while (n < kMaxEntryName && record.szEntryName[n] != '\0') ++n;
  return std::string(record.szEntryName, n);
}

std::size_t RecordsFor(std::uint32_t bytes, std::size_t recordSize, std::size_t maxRecords) {
  if (recordSize == 0) return 0;
  // Rounded up: a size between two record counts still needs the larger.
  const std::size_t records = (static_cast<std::size_t>(bytes) + recordSize - 1) / recordSize;
  if (records == 0 || records > maxRecords) return 0;
  return records;
}

std::string DialUpToCaption(const std::string& profile) { return "Dial-Up To " + profile; }
std::string DialingCaption(const std::string& profile) { return "Dialing " + profile; }
std::string ConnectedToCaption(const std::string& profile) { return "Connected To " + profile; }
std::string DisconnectedFromText(const std::string& profile) {
  return "Disconnected from " + profile;
}

std::string CountdownText(int seconds) {
  return "Reconnecting in " + std::to_string(seconds) + " seconds.\n";
}

std::string WithDot(const std::string& text, std::size_t bufferSize) {
  if (text.size() + 2 > bufferSize) return text;
  return text + ".";
}

}  // namespace dialup

#include "dialup/RasApi.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "base/Trace.h"
#include "dialup/DialTexts.h"

namespace dialup {
namespace {

// More connections than any system holds; a larger request is a wrong answer.
constexpr std::size_t kMaxConnections = 1024;

// The connection record size the library took last (0: none yet, or it
// refused both), shared by every caller in the process.
std::atomic<DWORD> g_takenSize{0};

template <typename Record>
void Prepare(std::vector<Record>& buffer, std::size_t records) {
  buffer.assign(records, Record{});
  for (Record& c : buffer) c.dwSize = sizeof(Record);
}

template <typename Record>
DWORD EnumerateAs(RasEnumConnectionsFn enumerate, std::vector<RasHandle>& handles) {
  std::vector<Record> buffer;
  Prepare(buffer, 1);
  DWORD bytes = sizeof(Record), count = 0;
  DWORD rc = enumerate(buffer.data(), &bytes, &count);
  if (rc == kErrorBufferTooSmall || rc == kErrorBufferInvalid || rc == kErrorOutOfBuffers) {
    const std::size_t records = RecordsFor(bytes, sizeof(Record), kMaxConnections);
    if (records == 0) return rc;
    Prepare(buffer, records);
    bytes = static_cast<DWORD>(records * sizeof(Record));
    count = 0;
    rc = enumerate(buffer.data(), &bytes, &count);
  }
  if (rc == ERROR_SUCCESS) {
    const std::size_t filled = std::min<std::size_t>(count, buffer.size());
    for (std::size_t i = 0; i < filled; ++i) handles.push_back(buffer[i].hrasconn);
  }
  return rc;
}

DWORD EnumerateWithSize(RasEnumConnectionsFn enumerate, DWORD size, std::vector<RasHandle>& handles) {
  return size == sizeof(RasConnCurrent) ? EnumerateAs<RasConnCurrent>(enumerate, handles)
                                        : EnumerateAs<RasConn>(enumerate, handles);
}

// Once per change, so a monitor asking every few seconds adds no lines.
void NoteTakenSize(DWORD first, DWORD taken) {
  if (g_takenSize.exchange(taken) == taken) return;
  const std::string firstText = std::to_string(first) + "-byte";
  std::string line;
  if (taken == 0) {
    line = "The dial-up library refused both the " + std::to_string(sizeof(RasConn)) + "-byte and the " +
           std::to_string(sizeof(RasConnCurrent)) + "-byte connection record (error 632)";
  } else if (taken == first) {
    line = "The dial-up library took the " + firstText + " connection record";
  } else {
    line = "The dial-up library refused the " + firstText + " connection record (error 632) and took the " +
           std::to_string(taken) + "-byte one";
  }
  TraceLine(line.c_str());
}

}  // namespace

DWORD EnumerateConnections(RasEnumConnectionsFn enumerate, std::vector<RasHandle>& handles) {
  handles.clear();
  if (!enumerate) return ERROR_PROC_NOT_FOUND;
  const DWORD first = g_takenSize.load() == sizeof(RasConnCurrent) ? sizeof(RasConnCurrent) : sizeof(RasConn);
  const DWORD other = first == sizeof(RasConn) ? sizeof(RasConnCurrent) : sizeof(RasConn);
  DWORD rc = EnumerateWithSize(enumerate, first, handles);
  DWORD taken = first;
  if (rc == kErrorInvalidSize) {
    rc = EnumerateWithSize(enumerate, other, handles);
    taken = rc == kErrorInvalidSize ? 0 : other;
  }
  NoteTakenSize(first, taken);
  return rc;
}

}  // namespace dialup

#include "dialup/RasApi.h"

#include <algorithm>

#include "dialup/DialTexts.h"

namespace dialup {
namespace {

// More connections than any system holds; a larger request is a wrong answer.
constexpr std::size_t kMaxConnections = 1024;

void Prepare(std::vector<RasConn>& buffer, std::size_t records) {
  buffer.assign(records, RasConn{});
  for (RasConn& c : buffer) c.dwSize = sizeof(RasConn);
}

}  // namespace

DWORD EnumerateConnections(RasEnumConnectionsFn enumerate, std::vector<RasConn>& connections) {
  connections.clear();
  if (!enumerate) return ERROR_PROC_NOT_FOUND;
  std::vector<RasConn> buffer;
  Prepare(buffer, 1);
  DWORD bytes = sizeof(RasConn), count = 0;
  DWORD rc = enumerate(buffer.data(), &bytes, &count);
  if (rc == kErrorBufferTooSmall || rc == kErrorBufferInvalid || rc == kErrorOutOfBuffers) {
    const std::size_t records = RecordsFor(bytes, sizeof(RasConn), kMaxConnections);
    if (records == 0) return rc;
    Prepare(buffer, records);
    bytes = static_cast<DWORD>(records * sizeof(RasConn));
    count = 0;
    rc = enumerate(buffer.data(), &bytes, &count);
  }
  if (rc == ERROR_SUCCESS) {
    const std::size_t filled = std::min<std::size_t>(count, buffer.size());
    connections.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(filled));
  }
  return rc;
}

}  // namespace dialup

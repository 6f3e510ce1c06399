#include "keepalive/SocketErrorCodes.h"

#include <algorithm>
#include <iterator>

namespace {

// Sorted. Each has an entry in the string table under its own number.
constexpr int kListed[] = {
    10004, 10009, 10013, 10014, 10022, 10024, 10035, 10036, 10037, 10038,
    10039, 10040, 10041, 10042, 10043, 10044, 10045, 10046, 10047, 10048,
    10049, 10050, 10051, 10052, 10053, 10054, 10055, 10056, 10057, 10058,
    10059, 10060, 10061, 10062, 10063, 10064, 10065, 10066, 10067, 10068,
    10069, 10070, 10071, 10091, 10092, 10093, 10101, 11001, 11002, 11003,
    11004,
};

}  // namespace

int SocketErrorStringId(int code) {
  return std::binary_search(std::begin(kListed), std::end(kListed), code) ? code : 0;
}

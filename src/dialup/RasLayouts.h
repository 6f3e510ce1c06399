#pragma once
// The dial-up library's records as the system lays them out: packed to 4
// bytes, as the system's own header declares them. The program uses their
// oldest layouts, which every version of the library accepts, and the
// current connection record for a library that no longer takes the oldest.
// A pointer-sized handle in a 4-byte packing sits at offset 4 on 64-bit too,
// so the oldest connection record is 412 bytes on 32-bit and 416 on 64-bit.
// Portable: no <windows.h>.
#include <cstddef>
#include <cstdint>

namespace dialup {

// A connection handle as the library hands it out (pointer-sized).
using RasHandle = void*;

inline constexpr std::size_t kMaxEntryName = 256;
inline constexpr std::size_t kMaxDeviceType = 16;
inline constexpr std::size_t kMaxDeviceName = 128;
inline constexpr std::size_t kMaxPhoneNumber = 128;
inline constexpr std::size_t kMaxCallbackNumber = 128;
inline constexpr std::size_t kMaxUserName = 256;
inline constexpr std::size_t kMaxPassword = 256;
inline constexpr std::size_t kMaxDomain = 15;
inline constexpr std::size_t kMaxPath = 260;

#pragma pack(push, 4)

struct RasEntryName {
  std::uint32_t dwSize;
  char szEntryName[kMaxEntryName + 1];
};

// Templates over the handle, so that both platforms' layouts are checked in
// every build.
template <typename Handle>
struct BasicRasConn {
  std::uint32_t dwSize;
  Handle hrasconn;
  char szEntryName[kMaxEntryName + 1];
  char szDeviceType[kMaxDeviceType + 1];
  char szDeviceName[kMaxDeviceName + 1];
};

// The current connection record: the oldest one and what later systems added.
template <typename Handle>
struct BasicRasConnCurrent {
  std::uint32_t dwSize;
  Handle hrasconn;
  char szEntryName[kMaxEntryName + 1];
  char szDeviceType[kMaxDeviceType + 1];
  char szDeviceName[kMaxDeviceName + 1];
  char szPhonebook[kMaxPath];
  std::uint32_t dwSubEntry;
  std::uint8_t guidEntry[16];
  std::uint32_t dwFlags;
  std::uint32_t luidLow;
  std::int32_t luidHigh;
};

struct RasDialParams {
  std::uint32_t dwSize;
  char szEntryName[kMaxEntryName + 1];
  char szPhoneNumber[kMaxPhoneNumber + 1];
  char szCallbackNumber[kMaxCallbackNumber + 1];
  char szUserName[kMaxUserName + 1];
  char szPassword[kMaxPassword + 1];
  char szDomain[kMaxDomain + 1];
};

struct RasConnStatus {
  std::uint32_t dwSize;
  std::uint32_t rasconnstate;
  std::uint32_t dwError;
  char szDeviceType[kMaxDeviceType + 1];
  char szDeviceName[kMaxDeviceName + 1];
};

#pragma pack(pop)

using RasConn = BasicRasConn<RasHandle>;
using RasConnCurrent = BasicRasConnCurrent<RasHandle>;

// 32-bit and 64-bit Windows, whichever this build is for.
using RasConn32 = BasicRasConn<std::uint32_t>;
using RasConn64 = BasicRasConn<std::uint64_t>;
static_assert(sizeof(RasConn32) == 412 && offsetof(RasConn32, hrasconn) == 4, "32-bit connection record");
static_assert(sizeof(RasConn64) == 416 && offsetof(RasConn64, hrasconn) == 4, "64-bit connection record");
static_assert(offsetof(RasConn64, szEntryName) == 12, "64-bit connection record");
static_assert(sizeof(BasicRasConnCurrent<std::uint32_t>) == 704, "32-bit current connection record");
static_assert(sizeof(BasicRasConnCurrent<std::uint64_t>) == 708, "64-bit current connection record");
static_assert(sizeof(RasConn) == (sizeof(void*) == 8 ? 416 : 412), "connection record");
static_assert(offsetof(RasConn, hrasconn) == 4, "connection handle");
static_assert(sizeof(RasEntryName) == 264, "entry name record");
static_assert(sizeof(RasDialParams) == 1052, "dial parameters");
static_assert(sizeof(RasConnStatus) == 160, "connection status");

// Library answers the program tells apart.
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorBufferTooSmall = 603;
inline constexpr std::uint32_t kErrorBufferInvalid = 610;
inline constexpr std::uint32_t kErrorOutOfBuffers = 614;
inline constexpr std::uint32_t kErrorInvalidSize = 632;

// Connection states the program reacts to.
inline constexpr std::uint32_t kStateAuthNotify = 6;
inline constexpr std::uint32_t kStateConnected = 8192;
inline constexpr std::uint32_t kStateDisconnected = 8193;

}  // namespace dialup

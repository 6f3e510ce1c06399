#pragma once
// The dial-up library's records in their oldest layouts, which every version
// of the library accepts. The SDK's current layouts are larger and older
// libraries refuse them, so the program declares its own. Sizes are those of
// the platform the program is built for: the connection record holds a
// handle, so it grows with the pointer (412 bytes on 32-bit, 424 on 64-bit).
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

struct RasEntryName {
  std::uint32_t dwSize;
  char szEntryName[kMaxEntryName + 1];
};

struct RasConn {
  std::uint32_t dwSize;
  RasHandle hrasconn;
  char szEntryName[kMaxEntryName + 1];
  char szDeviceType[kMaxDeviceType + 1];
  char szDeviceName[kMaxDeviceName + 1];
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

static_assert(sizeof(RasEntryName) == 264, "entry name record");
static_assert(sizeof(RasConn) == (sizeof(void*) == 8 ? 424 : 412), "connection record");
static_assert(sizeof(RasDialParams) == 1052, "dial parameters");
static_assert(sizeof(RasConnStatus) == 160, "connection status");

// Library answers the program tells apart.
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorBufferTooSmall = 603;
inline constexpr std::uint32_t kErrorBufferInvalid = 610;
inline constexpr std::uint32_t kErrorOutOfBuffers = 614;

// Connection states the program reacts to.
inline constexpr std::uint32_t kStateAuthNotify = 6;
inline constexpr std::uint32_t kStateConnected = 8192;
inline constexpr std::uint32_t kStateDisconnected = 8193;

}  // namespace dialup

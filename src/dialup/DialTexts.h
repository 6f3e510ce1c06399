#pragma once
// The dial-up wrapper's and the dial dialog's pure rules: connection state
// texts, the captions and progress texts, how error codes are raised into the
// library's range, what fits the dial parameters and the stored handle.
// Portable: no <windows.h>.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialup/RasLayouts.h"

namespace dialup {

// The text shown for a connection state; "Undefined error" for a state the
// table does not know.
const char* ConnectionStateText(std::uint32_t state);

// Codes below 600 are system errors; the library knows them `offset` higher
// (600 for hang-up and dial errors, 599 for the authentication notice).
std::uint32_t RaisedErrorCode(std::uint32_t code, std::uint32_t offset);

// Fills every field: entry = profile, no phone or callback number (the
// phonebook's are used), the login and password, domain "*" (the one stored
// in the phonebook). False, with the record zeroed, when a text does not fit
// its field: nothing is cut.
bool FillDialParams(RasDialParams& params, const std::string& profile, const std::string& login,
                    const std::string& password);

// Overwrites the password, so it does not linger in memory after the dial.
void WipeDialParams(RasDialParams& params);

// What "Prev RAS Handle" stores for a handle: the handle when it fits the
// 32-bit value and means a handle there, else 0 (none). 0xFFFFFFFF is the
// value's "never set", so it is not stored either.
std::uint32_t StorableHandle(std::uint64_t handle);

// An entry name as read from a record: at most 256 characters, whether or
// not the library terminated it.
std::string EntryNameOf(const RasEntryName& record);

// How many records of `recordSize` bytes it takes to give the library the
// `bytes` it asked for, or 0 when it asks for no room at all or for more than
// `maxRecords` records (a size that cannot be right).
std::size_t RecordsFor(std::uint32_t bytes, std::size_t recordSize, std::size_t maxRecords);

// Captions and texts of the dial dialog, each followed by the profile name.
std::string DialUpToCaption(const std::string& profile);        // "Dial-Up To "
std::string DialingCaption(const std::string& profile);         // "Dialing "
std::string ConnectedToCaption(const std::string& profile);     // "Connected To "
std::string DisconnectedFromText(const std::string& profile);   // "Disconnected from "
// "Reconnecting in N seconds.\n"
std::string CountdownText(int seconds);

// The progress text with one more dot, unless that would not fit a buffer of
// `bufferSize` bytes (terminator included); then it stays as it is.
std::string WithDot(const std::string& text, std::size_t bufferSize);

}  // namespace dialup

#pragma once
// Built-in host and site lists written on first run, and the small text and
// number rules of the settings store that need no registry.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace settings {

// ---- Built-in lists ----------------------------------------------------------
// The list seeded for a service (0 HTTP .. 5 User Defined); empty for any
// other index. User Defined entries are "host:port".
std::span<const char* const> DefaultHosts(int service);
// "AOL Sites": nine aol:// keywords followed by four web addresses.
std::span<const char* const> DefaultAolSites();
// "Ext Browser Sites": three web addresses.
std::span<const char* const> DefaultExtBrowserSites();

// ---- Text sizes ----------------------------------------------------------------
// Longest text of each kind that its reader gets back whole; writers refuse
// longer ones rather than store something a reader would drop or cut.
inline constexpr std::size_t kStringReadBuffer = 255;     // general strings, host entries
inline constexpr std::size_t kMaxGeneralText = kStringReadBuffer - 1;
inline constexpr std::size_t kProfileReadBuffer = 256;    // "Login"/"Password" of a profile
inline constexpr std::size_t kMaxProfileText = kProfileReadBuffer - 1;
inline constexpr std::size_t kProgramPathBuffer = 1024;   // AOL/CS "Program Path"
inline constexpr std::size_t kMaxProgramPath = kProgramPathBuffer - 1;
inline constexpr std::size_t kScreenNameField = 32;       // stored data length of a name
inline constexpr std::size_t kMaxScreenName = kScreenNameField - 1;
inline constexpr std::size_t kSiteField = 256;            // stored data length of a site
inline constexpr std::size_t kMaxSite = kSiteField - 1;
inline constexpr std::size_t kRunPathBuffer = 500;        // executable path for "Run"
inline constexpr std::size_t kRunEntryBuffer = kRunPathBuffer + 2;  // the path in quotes

// ---- Helpers -------------------------------------------------------------------
// Value name of list entry `index`: prefix + decimal digits, no leading zeros
// ("" + 0 = "0", "Screen Name " + 3 = "Screen Name 3").
std::string IndexedName(const char* prefix, std::size_t index);

// Length of `text` as a C string (stops at an embedded NUL).
std::size_t TextLength(const std::string& text);

// Copies `text` into a zero-filled field of `fieldSize` bytes, leaving room for
// the terminator. A text that does not fit is refused: the field stays all
// zeros and the result is false.
bool CopyToField(const std::string& text, char* field, std::size_t fieldSize);

// The "Run" entry for an executable path: the path in double quotes, so a
// path with spaces starts that file and no other.
std::string RunEntryText(const std::string& path);
// The path an entry starts: the text inside its quotes, or the whole text of
// an entry written unquoted.
std::string PathFromRunEntry(const std::string& entry);

// The three-space stand-in the POP3 texts use for "nothing".
inline constexpr const char* kPop3Placeholder = "   ";
// What "Server Name" stores for `text`: the placeholder for an empty text.
std::string Pop3ServerToStore(const std::string& text);
// What a POP3 text read returns for stored `text`: empty for the placeholder.
std::string Pop3TextFromStored(const std::string& text);

// "Timer Interval" minutes as readers use them: a stored 0 means 10.
std::uint32_t Pop3IntervalFromStored(std::uint32_t stored);
// What the MSN page stores for its field: the entry when 1 to 60, else 60.
std::uint32_t Pop3IntervalToStore(long entry);

}  // namespace settings

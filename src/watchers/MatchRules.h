#pragma once
// How every watcher compares the texts it reads from an outside client's
// controls. Byte texts, ASCII case only; no Win32.
#include <cstddef>
#include <string_view>

namespace watch {

// The whole text equals the literal, case-sensitive.
bool MatchExact(std::string_view text, std::string_view literal);
// The whole text equals the literal, ignoring ASCII letter case.
bool MatchExactAnyCase(std::string_view text, std::string_view literal);
// The text begins with the literal (compared over the literal's length).
bool MatchPrefix(std::string_view text, std::string_view literal);
// The literal occurs anywhere in the text. An empty literal matches nothing:
// an unset configured text takes no part in a match.
bool MatchContains(std::string_view text, std::string_view literal);

// What a read into a buffer of `bufferSize` bytes keeps: at most
// bufferSize - 1 characters. A caption re-read into 16 bytes keeps 15, so a
// caption of 16 characters or more never equals "Yes" or "OK".
constexpr std::size_t kCaptionBuffer = 16;
std::string_view CutToBuffer(std::string_view text, std::size_t bufferSize);

// The idle prompts of the AOL-style clients: the modal dialog's ("You have
// been" / "You have been idle"), the palette's and the timer window's ("You
// have been" / "You have been online").
bool IsModalPrompt(std::string_view text);
bool IsOnlinePrompt(std::string_view text);

// An advertisement's refusal button: its text begins with one of the client's
// refusal words and its class is "_AOL_Button" or "_AOL_Icon". The AOL list
// has "no thanks" in lower case besides "No Thanks", "No", "NO" and "no"; the
// CompuServe 2000 list has not.
enum class RefusalList { Aol, Cs2000 };
bool IsRefusalButton(RefusalList list, std::string_view text, std::string_view className);

}  // namespace watch

#include "watchers/MatchRules.h"

namespace watch {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool AnyPrefix(std::string_view text, std::initializer_list<std::string_view> literals) {
  for (std::string_view l : literals)
    if (MatchPrefix(text, l)) return true;
  return false;
}

}  // namespace

bool MatchExact(std::string_view text, std::string_view literal) { return text == literal; }

bool MatchExactAnyCase(std::string_view text, std::string_view literal) {
  if (text.size() != literal.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (Lower(text[i]) != Lower(literal[i])) return false;
  return true;
}

bool MatchPrefix(std::string_view text, std::string_view literal) {
  return text.substr(0, literal.size()) == literal;
}

bool MatchContains(std::string_view text, std::string_view literal) {
  return !literal.empty() && text.find(literal) != std::string_view::npos;
}

std::string_view CutToBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return text.substr(0, bufferSize - 1);
}

bool IsModalPrompt(std::string_view text) {
  return AnyPrefix(text, {"You have been", "You have been idle"});
}

bool IsOnlinePrompt(std::string_view text) {
  return AnyPrefix(text, {"You have been", "You have been online"});
}

bool IsRefusalButton(RefusalList list, std::string_view text, std::string_view className) {
  if (!MatchExact(className, "_AOL_Button") && !MatchExact(className, "_AOL_Icon")) return false;
  if (AnyPrefix(text, {"No Thanks", "No", "NO", "no"})) return true;
  return list == RefusalList::Aol && MatchPrefix(text, "no thanks");
}

}  // namespace watch

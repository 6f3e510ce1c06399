#include "config/ConfigTexts.h"

#include <climits>

namespace config {

std::string IntegerRangeMessage(long low, long high) {
  return "Please enter an integer between " + std::to_string(low) + " and " +
         std::to_string(high) + ".";
}

std::string MaxCharsMessage(std::size_t chars) {
  return "Please enter no more than " + std::to_string(chars) + " characters.";
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ParseInteger(std::string_view text, long& value) {
  std::string_view digits = TrimBlanks(text);
  bool negative = false;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return false;
  long long number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) number = -number;
  if (number < INT_MIN || number > INT_MAX) return false;
  value = static_cast<long>(number);
  return true;
}

NumberCheck CheckInteger(std::string_view text, long low, long high) {
  NumberCheck check;
  if (!ParseInteger(text, check.value)) {
    check.message = kNotAnInteger;
    return check;
  }
  if (check.value < low || check.value > high) {
    check.message = IntegerRangeMessage(low, high);
    return check;
  }
  check.ok = true;
  return check;
}

std::string ListEntryMessage(const ListEditUse& use, std::string_view text) {
  if (text.empty()) return EmptyAddMessage(use.title);
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || u < 0x20 || u == 0x7F) return kNoQuotesOrControls;
  }
  return LengthMessage(text, use.maxLength);
}

std::string LengthMessage(std::string_view text, std::size_t maxChars) {
  return text.size() > maxChars ? MaxCharsMessage(maxChars) : std::string();
}

std::string HostEntry(int service, std::string_view host, long port) {
  std::string entry(host);
  if (service == 5) entry += ":" + std::to_string(port);
  return entry;
}

std::string PriorityText(settings::HostAccessMethod method, int position, bool isDedicated) {
  switch (method) {
    case settings::HostAccessMethod::Sequential:
      return std::to_string(position + 1);
    case settings::HostAccessMethod::Random:
      return "Random";
    case settings::HostAccessMethod::Dedicated:
      return isDedicated ? "Dedicated" : "--";
  }
  return {};
}

std::string GadgetCaption(std::string_view title) {
  return "Kills the \"" + std::string(title) + "\" window";
}

std::string NetZeroPathFromField(std::string_view field) {
  if (field == kNetZeroPathPlaceholder) return {};
  return std::string(field);
}

const char* EmptyAddMessage(std::string_view title) {
  if (title == kAolSiteUse.title) return "Nothing to add! Please enter an AOL site you wish to add.";
  if (title == kWebsiteUse.title) return "Nothing to add! Please enter an URL you wish to add.";
  return "Nothing to add! Please enter a Screen Name you wish to add.";
}

}  // namespace config

#include "StandInTree.h"

#include <cstdlib>
#include <sstream>

namespace standin {
namespace {

bool ParsePair(const std::string& value, int& a, int& b) {
  size_t comma = value.find(',');
  if (comma == std::string::npos) return false;
  char* end = nullptr;
  a = static_cast<int>(std::strtol(value.c_str(), &end, 10));
  if (end != value.c_str() + comma) return false;
  b = static_cast<int>(std::strtol(value.c_str() + comma + 1, &end, 10));
  return *end == '\0';
}

std::vector<std::string> SplitColons(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t colon = text.find(':', start);
    out.push_back(text.substr(start, colon - start));
    if (colon == std::string::npos) return out;
    start = colon + 1;
  }
}

bool ParseWindow(const std::vector<std::string>& words, WindowSpec& w, std::string& why) {
  if (words.size() < 2) {
    why = "window needs an id";
    return false;
  }
  w.id = words[1];
  for (size_t i = 2; i < words.size(); ++i) {
    const std::string& word = words[i];
    size_t eq = word.find('=');
    std::string key = word.substr(0, eq);
    std::string value = eq == std::string::npos ? std::string() : word.substr(eq + 1);
    if (key == "class") w.cls = value;
    else if (key == "text") w.text = value;
    else if (key == "parent") w.parent = value;
    else if (key == "group") w.group = value;
    else if (key == "keep") w.keep = true;
    else if (key == "hidden") w.hidden = true;
    else if (key == "border") w.border = true;
    else if (key == "repeat") w.repeat = std::atoi(value.c_str());
    else if (key == "at") {
      if (!ParsePair(value, w.x, w.y)) {
        why = "at= wants X,Y";
        return false;
      }
    } else if (key == "size") {
      if (!ParsePair(value, w.w, w.h)) {
        why = "size= wants W,H";
        return false;
      }
    } else if (key == "on") {
      std::vector<std::string> parts = SplitColons(value);
      if (parts.size() < 2) {
        why = "on= wants trigger:command";
        return false;
      }
      Reaction r;
      r.trigger = parts[0];
      const size_t hash = r.trigger.find('#');
      if (hash != std::string::npos) {
        r.nth = std::atoi(r.trigger.c_str() + hash + 1);
        r.trigger.resize(hash);
        if (r.nth <= 0) {
          why = "on=<trigger>#N wants N from 1";
          return false;
        }
      }
      r.command.assign(parts.begin() + 1, parts.end());
      w.reactions.push_back(std::move(r));
    } else {
      why = "unknown attribute " + key;
      return false;
    }
  }
  if (w.cls.empty()) {
    why = "window " + w.id + " has no class";
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string cur;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c == '\\' && i + 1 < line.size()) {
        cur += line[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        cur += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      inWord = true;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) words.push_back(cur);
      cur.clear();
      inWord = false;
    } else {
      cur += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(cur);
  return words;
}

bool ParseTree(const std::string& text, Tree& tree, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    std::vector<std::string> words = SplitWords(line);
    std::string why;
    if (words[0] == "window") {
      WindowSpec w;
      if (ParseWindow(words, w, why)) {
        tree.windows.push_back(std::move(w));
        continue;
      }
    } else if (words[0] == "after" && words.size() >= 3) {
      TimedCommand t;
      t.ms = static_cast<unsigned>(std::strtoul(words[1].c_str(), nullptr, 10));
      t.command.assign(words.begin() + 2, words.end());
      tree.timed.push_back(std::move(t));
      continue;
    } else {
      why = "unknown statement " + words[0];
    }
    error = "line " + std::to_string(number) + ": " + why;
    return false;
  }
  return true;
}

}  // namespace standin

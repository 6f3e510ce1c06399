#include "RawRegistry.h"

#include <vector>

namespace raw {

std::string Value::Text() const {
  std::string text = data;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  if (text.find('\0') != std::string::npos) return "<embedded NUL>";
  return present ? text : "<missing>";
}

Value Get(const char* path, const char* name) { return GetIn(HKEY_LOCAL_MACHINE, path, name); }

Value GetIn(HKEY root, const char* path, const char* name) {
  Value v;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<char> buf(size + 1);
    if (RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buf.data()),
                         &size) == ERROR_SUCCESS) {
      v.present = true;
      v.data.assign(buf.data(), size);
    }
  }
  RegCloseKey(key);
  return v;
}

bool KeyExists(const char* path) { return KeyExistsIn(HKEY_LOCAL_MACHINE, path); }

bool KeyExistsIn(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::set<std::string> ValueNames(const char* path) { return ValueNamesIn(HKEY_LOCAL_MACHINE, path); }

std::set<std::string> ValueNamesIn(HKEY root, const char* path) {
  std::set<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof(name);
    if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.insert(std::string(name, length));
  }
  RegCloseKey(key);
  return names;
}

static HKEY CreateKey(const char* path, HKEY root = HKEY_LOCAL_MACHINE) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void Put(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes) {
  HKEY key = CreateKey(path, root);
  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void PutText(const char* path, const char* name, const std::string& bytes) {
  HKEY key = CreateKey(path);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void PutUnterminated(const char* path, const char* name, const std::string& text) {
  const std::string bytes = text + 'X';
  HKEY key = CreateKey(path);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(text.size()));
  RegCloseKey(key);
}

void PutDword(const char* path, const char* name, DWORD value) {
  HKEY key = CreateKey(path);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

}  // namespace raw

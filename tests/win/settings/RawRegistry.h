#pragma once
// Looks at what the store left in the registry, bypassing the store. Paths
// are under HKEY_LOCAL_MACHINE unless a root is given.
#include <windows.h>

#include <set>
#include <string>

namespace raw {

struct Value {
  bool present = false;
  DWORD type = 0;
  std::string data;  // the stored bytes, exactly as many as were stored
  // The stored text. Windows adds a terminator to a REG_SZ written without
  // one, so one trailing NUL is dropped; any other NUL marks the result.
  std::string Text() const;
};

Value Get(const char* path, const char* name);
bool KeyExists(const char* path);
// Names of every value in the key (empty when the key is missing).
std::set<std::string> ValueNames(const char* path);
// Writes bytes as REG_SZ (length given) or a DWORD, creating the key.
void PutText(const char* path, const char* name, const std::string& bytes);
// Stores exactly the characters of `text` with nothing after them (the
// registry would otherwise add a terminator it finds behind the data).
void PutUnterminated(const char* path, const char* name, const std::string& text);
void PutDword(const char* path, const char* name, DWORD value);

// The same in either copy of the settings (HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER); Put stores the bytes with any type.
Value GetIn(HKEY root, const char* path, const char* name);
bool KeyExistsIn(HKEY root, const char* path);
std::set<std::string> ValueNamesIn(HKEY root, const char* path);
void Put(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes);

}  // namespace raw

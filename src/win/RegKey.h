#pragma once
// Owner of one open registry key. Every call returns the Win32 error code.
#include <windows.h>

namespace win {

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  LONG Open(HKEY parent, const char* path, REGSAM access);
  // Creates the key and any missing parents, or opens it when it exists.
  LONG Create(HKEY parent, const char* path, REGSAM access = KEY_ALL_ACCESS);
  // Open for writing, creating it when opening fails.
  LONG OpenOrCreate(HKEY parent, const char* path, REGSAM access = KEY_ALL_ACCESS);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

  // A REG_DWORD of 4 bytes; a value of any other type or size gives
  // ERROR_INVALID_DATA and leaves `value` alone.
  LONG QueryDword(const char* name, DWORD& value) const;
  // Reads a REG_SZ into buf (size bytes). The text is always terminated;
  // stored text with or without its terminating zero is accepted. A value
  // that does not fit in size-1 characters gives ERROR_MORE_DATA.
  LONG QueryString(const char* name, char* buf, DWORD size) const;
  LONG SetDword(const char* name, DWORD value);
  // Stores `length` bytes of `data` as REG_SZ.
  LONG SetString(const char* name, const char* data, DWORD length);
  LONG DeleteValue(const char* name);

  // Deletes one key that has no sub-keys.
  static LONG DeleteKey(HKEY parent, const char* path);
  // Deletes a key with everything below it.
  static LONG DeleteTree(HKEY parent, const char* path);

 private:
  HKEY key_ = nullptr;
};

}  // namespace win

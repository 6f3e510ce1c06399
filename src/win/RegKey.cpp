#include "win/RegKey.h"

#include <cstring>

namespace win {

LONG RegKey::Open(HKEY parent, const char* path, REGSAM access) {
  Close();
  return RegOpenKeyExA(parent, path, 0, access, &key_);
}

LONG RegKey::Create(HKEY parent, const char* path, REGSAM access) {
  Close();
  DWORD disposition = 0;
  char emptyClass[1] = "";
  return RegCreateKeyExA(parent, path, 0, emptyClass, REG_OPTION_NON_VOLATILE, access, nullptr,
                         &key_, &disposition);
}

LONG RegKey::OpenOrCreate(HKEY parent, const char* path, REGSAM access) {
  LONG rc = Open(parent, path, access);
  if (rc == ERROR_SUCCESS) return rc;
  key_ = nullptr;
  return Create(parent, path, access);
}

void RegKey::Close() {
  if (key_) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

LONG RegKey::QueryDword(const char* name, DWORD& value) const {
  if (!key_) return ERROR_INVALID_HANDLE;
  DWORD type = 0, data = 0, size = sizeof(data);
  LONG rc = RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (rc != ERROR_SUCCESS) return rc;
  // Four bytes of text or binary data are no number.
  if (type != REG_DWORD || size != sizeof(data)) return ERROR_INVALID_DATA;
  value = data;
  return ERROR_SUCCESS;
}

LONG RegKey::QueryString(const char* name, char* buf, DWORD size) const {
  if (!key_) return ERROR_INVALID_HANDLE;
  if (!buf || size == 0) return ERROR_INVALID_PARAMETER;
  std::memset(buf, 0, size);
  // One byte is kept back so the text is terminated even when the stored
  // data carries no terminator of its own.
  DWORD type = 0, got = size - 1;
  LONG rc = RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &got);
  if (rc != ERROR_SUCCESS) {
    buf[0] = '\0';
    return rc;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    buf[0] = '\0';
    return ERROR_INVALID_DATA;
  }
  buf[got < size ? got : size - 1] = '\0';
  return ERROR_SUCCESS;
}

LONG RegKey::SetDword(const char* name, DWORD value) {
  if (!key_) return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value));
}

LONG RegKey::SetString(const char* name, const char* data, DWORD length) {
  if (!key_) return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), length);
}

LONG RegKey::DeleteValue(const char* name) {
  if (!key_) return ERROR_INVALID_HANDLE;
  return RegDeleteValueA(key_, name);
}

LONG RegKey::DeleteKey(HKEY parent, const char* path) { return RegDeleteKeyA(parent, path); }

LONG RegKey::DeleteTree(HKEY parent, const char* path) {
  LONG rc = RegDeleteTreeA(parent, path);
  if (rc == ERROR_SUCCESS) rc = RegDeleteKeyA(parent, path);
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

}  // namespace win

#pragma once
// Tells whether anything under one registry key may have changed, so that
// what was read from it can be used again until it does. Asking costs one
// wait on an event instead of reading the values again.
//
// Lifecycle: construct with the key; each TakeChange() answers "changed
// since the last time I said so". Until the key can be watched (it does not
// exist yet, or was deleted) every call answers yes.
#include <windows.h>

#include <string>

namespace win {

class RegistryWatch {
 public:
  RegistryWatch(HKEY root, const char* path);
  ~RegistryWatch();
  RegistryWatch(const RegistryWatch&) = delete;
  RegistryWatch& operator=(const RegistryWatch&) = delete;

  // True the first time, after any change of a value or key under the key
  // (the key itself included), and while the key cannot be watched.
  bool TakeChange();

 private:
  bool Arm();
  void Disarm();

  HKEY root_;
  std::string path_;
  HKEY key_ = nullptr;
  HANDLE event_ = nullptr;
  bool armed_ = false;
};

}  // namespace win

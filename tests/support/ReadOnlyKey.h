#pragma once
// Makes a registry key and every sub-key it has read-only for everyone (the
// way a standard user meets a key under HKEY_LOCAL_MACHINE), and gives each
// its own security back afterwards. Wine checks these rights when a key is
// opened, so writes through the store then fail with ERROR_ACCESS_DENIED.
// Note: Wine still lets a missing sub-key be created below it by path.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class ReadOnlyKey {
 public:
  // `path` under HKEY_LOCAL_MACHINE; the key must exist.
  explicit ReadOnlyKey(const char* path);
  ~ReadOnlyKey();
  ReadOnlyKey(const ReadOnlyKey&) = delete;
  ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

  // Keys whose rights were changed (0 when the key was missing).
  std::size_t count() const { return saved_.size(); }

 private:
  // Each key's path with its DACL as an SDDL string.
  std::vector<std::pair<std::string, std::string>> saved_;
};

}  // namespace testing_support

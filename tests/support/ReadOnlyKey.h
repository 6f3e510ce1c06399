#pragma once
// Makes a registry key and every sub-key it has read-only for everyone (the
// way a standard user meets a key under HKEY_LOCAL_MACHINE), and gives each
// its own security back afterwards. Wine checks these rights when a key is
// opened, so writes through the store then fail with ERROR_ACCESS_DENIED.
// Note: Wine still lets a missing sub-key be created below it by path.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class ReadOnlyKey {
 public:
  // `path` under `root` (HKEY_LOCAL_MACHINE unless given); the key must exist.
  explicit ReadOnlyKey(const char* path, HKEY root = HKEY_LOCAL_MACHINE);
  ~ReadOnlyKey();
  ReadOnlyKey(const ReadOnlyKey&) = delete;
  ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

  // Keys whose rights were changed (0 when the key was missing).
  std::size_t count() const { return saved_.size(); }

 private:
  HKEY root_;
  // Each key's path with its DACL as an SDDL string.
  std::vector<std::pair<std::string, std::string>> saved_;
};

// The program's key read-only in both copies of the settings, as for an
// account that can keep nothing: every key of the machine's copy is made in
// the user's copy too, since Wine would let a missing one be created below a
// read-only key, and then both are locked.
class ReadOnlySettings {
 public:
  ReadOnlySettings();
  ~ReadOnlySettings();
  ReadOnlySettings(const ReadOnlySettings&) = delete;
  ReadOnlySettings& operator=(const ReadOnlySettings&) = delete;

 private:
  std::unique_ptr<ReadOnlyKey> machine_, user_;
};

}  // namespace testing_support

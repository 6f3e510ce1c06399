// A cycle reuses what it read from the registry until the watch says
// something changed, so every kind of change must be seen. The program
// watches from HKLM\SOFTWARE down, which also sees its own key deleted and
// made again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/RegistrySandbox.h"
#include "win/RegKey.h"
#include "win/RegistryWatch.h"

namespace {

using testing_support::kProgramRoot;

std::string Sub(const char* name) { return std::string(kProgramRoot) + "\\" + name; }

TEST(RegistryWatch, SeesEveryChangeUnderItsKeyAndNothingElse) {
  testing_support::RegistrySandbox sandbox;
  win::RegKey root;
  ASSERT_EQ(root.Create(HKEY_LOCAL_MACHINE, kProgramRoot), ERROR_SUCCESS);
  win::RegistryWatch watch(HKEY_LOCAL_MACHINE, "SOFTWARE");
  EXPECT_TRUE(watch.TakeChange()) << "the first answer is always yes";
  EXPECT_FALSE(watch.TakeChange());

  struct Change {
    const char* name;
    std::function<void()> make;
  } changes[] = {
      {"value of the key", [&] { root.SetDword("x", 1); }},
      {"another value", [&] { root.SetDword("x", 2); }},
      {"new sub-key", [] { win::RegKey k; k.Create(HKEY_LOCAL_MACHINE, Sub("Services\\HTTP").c_str()); }},
      {"value deep below", [] {
         win::RegKey k;
         k.Create(HKEY_LOCAL_MACHINE, Sub("Services\\HTTP").c_str());
         k.SetString("0", "127.0.0.1", 10);
       }},
      {"deleted value", [] {
         win::RegKey k;
         k.Open(HKEY_LOCAL_MACHINE, Sub("Services\\HTTP").c_str(), KEY_ALL_ACCESS);
         k.DeleteValue("0");
       }},
      {"deleted sub-key", [] { win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, Sub("Services").c_str()); }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    c.make();
    EXPECT_TRUE(watch.TakeChange());
    EXPECT_FALSE(watch.TakeChange()) << "one change is told once";
  }

  // Elsewhere in the registry: nothing.
  win::RegKey other;
  ASSERT_EQ(other.Create(HKEY_CURRENT_USER, "Software\\TetherlyWatchTest"), ERROR_SUCCESS);
  other.SetDword("y", 2);
  EXPECT_FALSE(watch.TakeChange());
  other.Close();
  win::RegKey::DeleteTree(HKEY_CURRENT_USER, "Software\\TetherlyWatchTest");

  // The program's key goes away and comes back.
  root.Close();
  testing_support::ClearProgramSettings();
  EXPECT_TRUE(watch.TakeChange());
  EXPECT_FALSE(watch.TakeChange());
  ASSERT_EQ(root.Create(HKEY_LOCAL_MACHINE, kProgramRoot), ERROR_SUCCESS);
  EXPECT_TRUE(watch.TakeChange());
  root.SetDword("z", 3);
  EXPECT_TRUE(watch.TakeChange());

  // A key that is not there cannot be watched: every answer is yes.
  win::RegistryWatch missing(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\NoSuchKey");
  EXPECT_TRUE(missing.TakeChange());
  EXPECT_TRUE(missing.TakeChange());
}

}  // namespace

// The dial-up idle-disconnect values under HKEY_CURRENT_USER
// "RemoteAccess\Profile": rewritten only where they exist, by exact name,
// past names too long to read, in every profile however many.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/IdleDisconnect.h"
#include "support/TestHarness.h"
#include "win/RegKey.h"

namespace {

constexpr const char* kProfiles = "RemoteAccess\\Profile";

class IdleDisconnectTest : public ::testing::Test {
 protected:
  IdleDisconnectTest() { win::RegKey::DeleteTree(HKEY_CURRENT_USER, "RemoteAccess"); }
  ~IdleDisconnectTest() override { win::RegKey::DeleteTree(HKEY_CURRENT_USER, "RemoteAccess"); }

  std::string Path(const std::string& profile) { return std::string(kProfiles) + "\\" + profile; }
  void SetBinary(const std::string& profile, const std::string& name, DWORD value) {
    win::RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, Path(profile).c_str()), ERROR_SUCCESS);
    RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), 4);
  }
  void SetDword(const std::string& profile, const std::string& name, DWORD value) {
    win::RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, Path(profile).c_str()), ERROR_SUCCESS);
    key.SetDword(name.c_str(), value);
  }
  // "type:value" of a value, or "missing".
  std::string Value(const std::string& profile, const std::string& name) {
    win::RegKey key;
    if (key.Open(HKEY_CURRENT_USER, Path(profile).c_str(), KEY_READ) != ERROR_SUCCESS) return "no key";
    DWORD type = 0, data = 0, size = sizeof(data);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
        ERROR_SUCCESS)
      return "missing";
    return (type == REG_BINARY ? "binary:" : type == REG_DWORD ? "dword:" : "other:") +
           std::to_string(data) + "/" + std::to_string(size);
  }

  testing_support::TimeScale scale_{0.01};
};

TEST_F(IdleDisconnectTest, OnlyValuesThatExistAreRewritten) {
  const std::string longName = "EnableAutodisconnect" + std::string(300, 'x');
  SetBinary("Both", "EnableAutodisconnect", 1);
  SetDword("Both", "IdleDisconnectPromptDisabled", 0);
  SetBinary("Autodisconnect only", "EnableAutodisconnect", 1);
  SetDword("Prompt only", "IdleDisconnectPromptDisabled", 0);
  SetDword("Neither", "Something Else", 7);
  SetBinary("Names that only begin alike", "EnableAutodisconnectOld", 1);
  SetDword("Names that only begin alike", "IdleDisconnectPromptDisabledToo", 0);
  // A name too long for the enumeration's buffer comes first; the values after it still count.
  SetBinary("Long name", longName, 1);
  SetBinary("Long name", "EnableAutodisconnect", 1);
  SetDword("Long name", "IdleDisconnectPromptDisabled", 0);

  ApplyIdleDisconnectSettings(0);

  struct Expect {
    const char* profile;
    std::string name, value;
  };
  const Expect expected[] = {
      {"Both", "EnableAutodisconnect", "binary:0/4"},
      {"Both", "IdleDisconnectPromptDisabled", "dword:1/4"},
      {"Autodisconnect only", "EnableAutodisconnect", "binary:0/4"},
      {"Autodisconnect only", "IdleDisconnectPromptDisabled", "missing"},
      {"Prompt only", "EnableAutodisconnect", "missing"},
      {"Prompt only", "IdleDisconnectPromptDisabled", "dword:1/4"},
      {"Neither", "Something Else", "dword:7/4"},
      {"Neither", "EnableAutodisconnect", "missing"},
      {"Neither", "IdleDisconnectPromptDisabled", "missing"},
      {"Names that only begin alike", "EnableAutodisconnectOld", "binary:1/4"},
      {"Names that only begin alike", "IdleDisconnectPromptDisabledToo", "dword:0/4"},
      {"Names that only begin alike", "EnableAutodisconnect", "missing"},
      {"Names that only begin alike", "IdleDisconnectPromptDisabled", "missing"},
      {"Long name", longName, "binary:1/4"},
      {"Long name", "EnableAutodisconnect", "binary:0/4"},
      {"Long name", "IdleDisconnectPromptDisabled", "dword:1/4"},
  };
  for (const Expect& e : expected)
    EXPECT_EQ(Value(e.profile, e.name), e.value) << e.profile << " / " << e.name.substr(0, 40);
}

TEST_F(IdleDisconnectTest, EveryProfileOfMoreThan300IsDoneAndNoKeyIsLeftOpen) {
  for (int i = 0; i < 305; ++i) SetBinary("Connection " + std::to_string(i), "EnableAutodisconnect", 1);
  const DWORD handlesBefore = [] {
    DWORD n = 0;
    GetProcessHandleCount(GetCurrentProcess(), &n);
    return n;
  }();
  ApplyIdleDisconnectSettings(0);
  DWORD handlesAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
  EXPECT_EQ(handlesAfter, handlesBefore);
  for (int i = 0; i < 305; ++i)
    ASSERT_EQ(Value("Connection " + std::to_string(i), "EnableAutodisconnect"), "binary:0/4") << i;
}

TEST_F(IdleDisconnectTest, NoProfilesKeyIsNoWork) {
  ApplyIdleDisconnectSettings(0);
  win::RegKey key;
  EXPECT_NE(key.Open(HKEY_CURRENT_USER, kProfiles, KEY_READ), ERROR_SUCCESS);
}

}  // namespace

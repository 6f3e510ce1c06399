#include <gtest/gtest.h>

#include <cstring>

#include "support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace {

constexpr const char* kPath = "SOFTWARE\\Quillmark\\Tetherly\\KeyTest\\Deeper";

class RegKeyTest : public ::testing::Test {
  testing_support::RegistrySandbox sandbox_;
};

TEST_F(RegKeyTest, CreateMakesMissingParentsAndReadOnlyOpenDoesNot) {
  win::RegKey k;
  EXPECT_NE(k.Open(HKEY_LOCAL_MACHINE, kPath, KEY_READ), ERROR_SUCCESS);
  ASSERT_EQ(k.OpenOrCreate(HKEY_LOCAL_MACHINE, kPath), ERROR_SUCCESS);
  EXPECT_EQ(k.SetDword("n", 42), ERROR_SUCCESS);
  win::RegKey r;
  ASSERT_EQ(r.Open(HKEY_LOCAL_MACHINE, kPath, KEY_READ), ERROR_SUCCESS);
  DWORD v = 0;
  EXPECT_EQ(r.QueryDword("n", v), ERROR_SUCCESS);
  EXPECT_EQ(v, 42u);
}

// Stored text may come with or without its terminator, and one that does
// not fit the buffer must never be written past it.
TEST_F(RegKeyTest, StringReadsAreTerminatedAndBounded) {
  win::RegKey k;
  ASSERT_EQ(k.OpenOrCreate(HKEY_LOCAL_MACHINE, kPath), ERROR_SUCCESS);
  ASSERT_EQ(k.SetString("bare", "abc", 3), ERROR_SUCCESS);
  ASSERT_EQ(k.SetString("zero", "abc", 4), ERROR_SUCCESS);
  char longText[300];
  std::memset(longText, 'x', sizeof(longText));
  ASSERT_EQ(k.SetString("long", longText, sizeof(longText)), ERROR_SUCCESS);

  char buf[16];
  std::memset(buf, '#', sizeof(buf));
  EXPECT_EQ(k.QueryString("bare", buf, 8), ERROR_SUCCESS);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(k.QueryString("zero", buf, 8), ERROR_SUCCESS);
  EXPECT_STREQ(buf, "abc");

  char guarded[16 + 8];
  std::memset(guarded, '#', sizeof(guarded));
  EXPECT_EQ(k.QueryString("long", guarded, 16), ERROR_MORE_DATA);
  EXPECT_EQ(guarded[0], '\0');
  for (size_t i = 16; i < sizeof(guarded); ++i) EXPECT_EQ(guarded[i], '#');
}

TEST_F(RegKeyTest, DeleteTreeRemovesEverythingAndMissingIsFine) {
  win::RegKey k;
  ASSERT_EQ(k.OpenOrCreate(HKEY_LOCAL_MACHINE, kPath), ERROR_SUCCESS);
  k.Close();
  EXPECT_EQ(win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\Tetherly\\KeyTest"),
            ERROR_SUCCESS);
  EXPECT_NE(k.Open(HKEY_LOCAL_MACHINE, kPath, KEY_READ), ERROR_SUCCESS);
  EXPECT_EQ(win::RegKey::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmark\\Tetherly\\KeyTest"),
            ERROR_SUCCESS);
}

}  // namespace

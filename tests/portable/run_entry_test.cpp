#include <gtest/gtest.h>

#include <string>

#include "settings/DefaultHosts.h"

using namespace settings;

namespace {

// An unquoted path under "Program Files" makes Windows try "C:\Program.exe"
// first; the entry is written quoted, and entries written before (unquoted)
// still name their file.
TEST(RunEntry, QuotedOnWriteAndEitherFormReadsBackThePath) {
  const std::string spaced = "C:\\Program Files\\Tetherly\\tetherly.exe";
  EXPECT_EQ(RunEntryText(spaced), "\"" + spaced + "\"");
  struct Row {
    std::string entry, path;
  } rows[] = {
      {RunEntryText(spaced), spaced},
      {spaced, spaced},
      {"C:\\Tools\\tetherly.exe", "C:\\Tools\\tetherly.exe"},
      {"\"C:\\A B\\t.exe\" /minimized", "C:\\A B\\t.exe"},
      {"\"", "\""},
      {"\"\"", ""},
      {"\"C:\\unclosed", "\"C:\\unclosed"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(PathFromRunEntry(row.entry), row.path) << row.entry;
}

TEST(RunEntry, TheLongestPathStillFitsTheReadBufferWithItsQuotes) {
  const std::string longest(kRunPathBuffer - 1, 'x');
  EXPECT_LT(RunEntryText(longest).size(), kRunEntryBuffer);
}

}  // namespace

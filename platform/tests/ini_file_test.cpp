// The INI form: names ignoring case, integers in both notations, everything a writer does not
// change written back as it was.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "host/temp_dir.h"

namespace {

using platform::IniFile;
using tesk::testing::ReadFile;
using tesk::testing::TempDir;
using tesk::testing::WriteFile;

class IniFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return dir_.path() / "tesk.ini"; }
  TempDir dir_;
};

TEST_F(IniFileTest, ReadsIgnoringCaseAndSpaces) {
  WriteFile(File(), "[video resolution]\r\n  WIDTH = 800 \r\n; Height=1\r\n[Misc]\nHex=$1F\nC=0x20\nBad=12abc\n"
                    "Neg=-3\nBig=99999999999\n");
  const IniFile ini(File());
  EXPECT_EQ(ini.ReadInteger("Video Resolution", "Width", 0), 800);
  EXPECT_EQ(ini.ReadInteger("Video Resolution", "Height", 768), 768);
  EXPECT_EQ(ini.ReadInteger("MISC", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Misc", "C", 0), 32);
  EXPECT_EQ(ini.ReadInteger("Misc", "Bad", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Misc", "Neg", 5), -3);
  EXPECT_EQ(ini.ReadInteger("Misc", "Big", 5), 5);
  EXPECT_EQ(ini.ReadString("Misc", "Missing", "c:\\"), "c:\\");
  EXPECT_EQ(ini.ReadString("Misc", "Hex", ""), "$1F");
}

// One optional sign and a value in range; everything else reads as no number (the fallback 7).
// The first two are inputs a fuzzer found: a double sign once overflowed a negation or read 5.
TEST_F(IniFileTest, IntegersTakeOneSignAndMustFit) {
  const std::pair<const char*, int32_t> cases[] = {
      {"--9223372036854775808", 7}, {"--5", 7}, {"+-5", 7}, {"-+5", 7}, {"-", 7}, {"$", 7}, {"0x", 7},
      {"+5", 5}, {"-2147483648", INT32_MIN}, {"-2147483649", 7}, {"2147483647", INT32_MAX}, {"2147483648", 7},
      {"$FFFFFFFF", -1}, {"-$80000000", INT32_MIN}, {"-0x80000001", 7}, {"99999999999999999999999", 7},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    WriteFile(File(), std::string("[Misc]\nClock=") + text + "\n");
    EXPECT_EQ(IniFile(File()).ReadInteger("Misc", "Clock", 7), expected);
  }
}

TEST_F(IniFileTest, WritesKeepEverythingElse) {
  WriteFile(File(), "; comment\n[A]\nx=1\nkeep=yes\n\n[B]\ny=2\n");
  IniFile ini(File());
  ini.WriteInteger("a", "X", 5);  // the key keeps its spelling
  ini.WriteInteger("A", "new", 6);  // after the section's last key, before its blank line
  ini.WriteString("C", "z", "three");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(ReadFile(File()), "; comment\n[A]\nx=5\nkeep=yes\nnew=6\n\n[B]\ny=2\n[C]\nz=three\n");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsMadeOnWrite) {
  IniFile ini(File());
  EXPECT_EQ(ini.ReadInteger("A", "x", 9), 9);
  ini.WriteInteger("A", "x", 1);
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(ReadFile(File()), "[A]\nx=1\n");
  EXPECT_FALSE(IniFile(dir_.path() / "no/such/folder/tesk.ini").UpdateFile());
}

}  // namespace

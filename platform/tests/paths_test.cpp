#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "host/temp_dir.h"

namespace {

using platform::NativePath;
namespace fs = std::filesystem;

class Paths : public ::testing::Test {
 protected:
  void SetUp() override {
    tesk::testing::WriteFile(dir_.path() / "Game/Data/Audio/Bank.idx", "x");
    setenv("TESK_DRIVE_C", dir_.path().c_str(), 1);
  }
  void TearDown() override { unsetenv("TESK_DRIVE_C"); }

  tesk::testing::TempDir dir_;
};

TEST_F(Paths, DriveLettersMapAndBackslashesBecomeSlashes) {
  EXPECT_EQ(NativePath(u"c:\\Game\\Data\\Audio\\Bank.idx"), dir_.path() / "Game/Data/Audio/Bank.idx");
  EXPECT_EQ(NativePath(u"C:/Game/Data/"), dir_.path() / "Game/Data/");
  EXPECT_EQ(NativePath(u"/usr/share"), fs::path("/usr/share"));
  EXPECT_EQ(NativePath(u"relative\\file.txt"), fs::path("relative/file.txt"));
}

TEST_F(Paths, SegmentsMatchIgnoringCaseWhenTheExactNameIsMissing) {
  const std::u16string base = u"c:/";
  EXPECT_EQ(NativePath(base + u"GAME/data/audio/bank.IDX"), dir_.path() / "Game/Data/Audio/Bank.idx");
  EXPECT_EQ(NativePath(base + u"game/DATA/new-file.txt"), dir_.path() / "Game/Data/new-file.txt")
      << "a file to be created keeps its own name in the resolved folder";
  EXPECT_EQ(NativePath(base + u"game/Missing/Sub"), dir_.path() / "Game/Missing/Sub");
}

TEST_F(Paths, UnmappedDrivesLiveUnderTheUserDataFolder) {
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(NativePath(u"D:\\x"), fs::path("/data/tesk/d/x"));
  unsetenv("XDG_DATA_HOME");
}

}  // namespace

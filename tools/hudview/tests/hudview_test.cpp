// hudview as a user runs it from the staged tree: the icon table's lines and picture, the start-up
// tiles, the shapes' vertex counts, and the command lines it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "software_rasterizer.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

class HudView : public ::testing::Test {
 protected:
  tesk::testing::CommandOutcome Run(const std::string& arguments) {
    return tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / "tools" / "hudview").string()) + " " + arguments,
                                     files_.path());
  }
  std::string File(const char* name) const { return (files_.path() / name).string(); }

  tesk::testing::TempDir files_;
};

size_t LinesStarting(const std::string& text, const std::string& start) {
  std::istringstream lines(text);
  size_t count = 0;
  for (std::string line; std::getline(lines, line);) count += line.rfind(start, 0) == 0;
  return count;
}

// One run draws all three pictures.
TEST_F(HudView, DrawsTheIconsTilesAndShapes) {
  const auto run = Run("--icons " + Quoted(File("icons.png")) + " --tiles " + Quoted(File("tiles.png")) +
                       " --shapes " + Quoted(File("shapes.png")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "") << "the game's start reports nothing";
  EXPECT_EQ(LinesStarting(run.out, "icon "), 123u);
  for (const char* line : {"icon 87 sheet 5 26x143\n", "icon 25 sheet 1 1x1\n", "icon 0 sheet 3 127x111\n",
                           "arc 0-360: 360 vertices\n", "arc 170-190: 20 vertices\n", "arc 200-100: 0 vertices\n",
                           "line 0 px: 0 vertices\n", "line 3 px: 6 vertices\n", "line 4 px: 8 vertices\n",
                           "disc radius 20: 1620 vertices\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  EXPECT_EQ(run.out.find("below the screen"), std::string::npos) << "every sprite is on the picture";
  const tesk::testing::Picture icons = tesk::testing::Picture::Load(File("icons.png"));
  ASSERT_EQ(icons.width(), 1024);
  EXPECT_GT(icons.CountOther(0, 0, 0, 1024, 200), 2000) << "the digits";
  EXPECT_GT(icons.CountOther(0, 0, 200, 1024, 768), 350000) << "the sprites";
  const tesk::testing::Picture tiles = tesk::testing::Picture::Load(File("tiles.png"));
  EXPECT_EQ(tiles.CountOther(0, 0, 0, 1024, 768), 1024 * 768) << "the tiles cover the screen";
  EXPECT_GT(tesk::testing::Picture::Load(File("shapes.png")).CountOther(0, 0, 0, 1024, 768), 1000);
}

// The patient bar at both widths: every picture, the layout of the player's three patients and the
// newbie's entry after the gap, the slot under the pointer drawn large.
TEST_F(HudView, DrawsThePatientBarsLooksAndAnimations) {
  for (const char* width : {"1024", "800"}) {
    const std::string folder = File(width);
    const auto run = Run(std::string("--width ") + width + " --patient-bar " + Quoted(folder));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* picture : {"arrival-10.png", "arrival-27.png", "arrival-40.png", "leaving-20.png", "shake.png",
                                "hovered.png"})
      EXPECT_TRUE(fs::exists(fs::path(folder) / picture)) << picture;
    const int middle = std::atoi(width) / 2;
    const std::string first = std::to_string(middle - 25 - 3 * 50);
    for (const std::string& line :
         {"hovered.png slot X=" + first + " compact y=23 colour 1.000 0.000 0.000\n",
          "hovered.png slot X=" + std::to_string(middle - 125) + " large y=19 colour 1.000 0.714 0.000\n",
          "hovered.png slot X=" + std::to_string(middle + 25) + " compact y=78 colour 0.714 1.000 0.000\n",
          "shake.png slot X=" + std::to_string(middle - 175 + 3) + " large y=19"})
      EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
    EXPECT_EQ(LinesStarting(run.out, "arrival-40.png"), 0u) << "an arrival past its 30th frame ends undrawn";
    EXPECT_EQ(LinesStarting(run.out, "leaving-20.png square"), 5u);
    EXPECT_GT(tesk::testing::Picture::Load(fs::path(folder) / "hovered.png").CountOther(0, 0, 0, std::atoi(width), 120), 2000);
  }
}

TEST_F(HudView, RefusesCommandLinesItCannotUse) {
  for (const char* arguments : {"", "--width 640 --icons a.png", "--icons", "--icons a.png --icons b.png", "--nothing x"}) {
    const auto run = Run(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err.rfind("usage: hudview", 0), 0u) << arguments;
  }
}

}  // namespace

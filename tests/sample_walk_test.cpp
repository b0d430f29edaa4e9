// The sample's character walking in its corridor, drawn by the staged scene-view a quarter of a
// second apart: its legs move between the frames, it stays in the picture, and its bones show when
// asked for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "software_rasterizer.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Picture;
using tesk::testing::Quoted;

constexpr uint32_t kBackground = 0x141414;  // scene-view's clear colour
constexpr int kWidth = 640;
constexpr int kHeight = 480;

class SampleWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TESK_REGISTRY");
    unsetenv("TESK_DEBUG_LOG");
  }
  // Two frames 250 milliseconds apart, from an eye beside the walker (or at another).
  void Draw(const std::string& name, const std::string& more = "",
            const std::string& eye = "--eye 9.5,1,5.5 --at 9.5,0.9,2") {
    const std::string store = (fs::path(TESK_STAGE_DIR) / "kivo/store/root.kivopack").string();
    const auto run =
        tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / "tools/scene-view").string()) + " " +
                                      Quoted(store) + " Root:Tesk:Assets:TeskSceneTrees:TeskSceneTree1 --png " +
                                      Quoted(File(name + ".png")) + " " + eye + " --frames 2 --step 250 " + more,
                                  files_.path());
    ASSERT_EQ(run.status, 0) << run.err;
  }
  std::string File(const std::string& name) const { return (files_.path() / name).string(); }
  // Pixels inside the rectangle that differ between the pictures.
  static int Differing(const Picture& a, const Picture& b, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) count += a.At(x, y) != b.At(x, y);
    return count;
  }

  tesk::testing::TempDir files_;
};

TEST_F(SampleWalk, TheLegsMoveBetweenFramesAndTheWalkerStaysInThePicture) {
  Draw("walk");
  const Picture first = Picture::Load(File("walk-0.png"));
  const Picture second = Picture::Load(File("walk-1.png"));
  ASSERT_EQ(first.width(), kWidth);
  ASSERT_EQ(second.height(), kHeight);
  EXPECT_GT(Differing(first, second, 0, kHeight * 2 / 3, kWidth, kHeight), 500) << "the legs swing";
  for (const Picture* frame : {&first, &second}) {
    EXPECT_NE(frame->At(kWidth / 2, kHeight / 3), kBackground) << "the body stands in the middle";
    EXPECT_EQ(frame->CountOther(kBackground, 0, 0, kWidth, 8), 0) << "the head stays below the top";
  }
  EXPECT_EQ(Differing(first, second, 0, 0, kWidth / 4, kHeight), 0) << "nothing moves at the sides";
  EXPECT_EQ(Differing(first, second, kWidth * 3 / 4, 0, kWidth, kHeight), 0);
}

// Seen from in front and above, the tips of the hands' and toes' bones stand out of the flesh.
TEST_F(SampleWalk, TheBonesShowWhenAskedFor) {
  const std::string front = "--eye 12,2.5,2 --at 9.5,0.9,2";
  Draw("flesh", "", front);
  Draw("bones", "--bones", front);
  const Picture flesh = Picture::Load(File("flesh-0.png"));
  const Picture bones = Picture::Load(File("bones-0.png"));
  EXPECT_GT(Differing(flesh, bones, 0, 0, kWidth, kHeight), 50);
}

}  // namespace

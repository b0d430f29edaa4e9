// Three effects of the rasterizer that the game's screen drawing and loading screen rely on,
// each recorded and drawn on the software module: SetProjectionMode remembers one
// mode, not a stack; ProjectPoint answers window pixels; PresentFrame shows a frame that no
// BeginFrame opened.
#include <gtest/gtest.h>

#include "kivo/support/matrix.h"
#include "software_rasterizer.h"

namespace {

namespace r = kivo::rasterizer;
using Lines = std::vector<std::string>;
using tesk::testing::Picture;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class GameReliance : public tesk::testing::SoftwareRasterizer {
 protected:
  // A white square of `side` pixels centred on (x, y) of the current projection's plane z = 0.
  void Square(float x, float y, float side) {
    const float h = side / 2;
    ASSERT_EQ(r::SetColor(rasterizer(), 1.0f, 1.0f, 1.0f), kRTSuccess);
    ASSERT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchQuads), kRTSuccess);
    for (const auto& [dx, dy] : {std::pair{-h, -h}, {-h, h}, {h, h}, {h, -h}})
      ASSERT_EQ(r::Vertex3(rasterizer(), x + dx, y + dy, 0.0f), kRTSuccess);
    ASSERT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
  }
  uint32_t Mode() {
    uint32_t mode = 9;
    EXPECT_EQ(r::GetProjectionMode(rasterizer(), &mode), kRTSuccess);
    return mode;
  }
};

// Set 1, set 1 again, restore: the mode stays orthographic, because the second call remembered
// the first one's mode; and it stays so at a second restore, where a stack would have gone back
// to perspective. A square in pixel coordinates still lands on its pixels.
TEST_F(GameReliance, SetProjectionModeRemembersOneModeNotAStack) {
  BeginClearedFrame(kBlack);
  ASSERT_EQ(r::SetProjection(rasterizer(), 0.0f, 0.0f, -1.0f, float{kWidth}, float{kHeight}, 1.0f), kRTSuccess);
  ASSERT_EQ(Mode(), r::kPerspective);
  StartRecording();
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  ASSERT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
  EXPECT_EQ(Mode(), r::kOrthographic);
  ASSERT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
  EXPECT_EQ(Mode(), r::kOrthographic);
  EXPECT_EQ(Recorded(),
            (Lines{"SetProjectionMode(1) -> 1", "SetProjectionMode(1) -> 1", "RestoreProjectionMode() -> 1",
                   "GetProjectionMode(out 1) -> 1", "RestoreProjectionMode() -> 1", "GetProjectionMode(out 1) -> 1"}));
  Square(12.0f, 10.0f, 8.0f);
  const Picture picture = Shoot();
  EXPECT_EQ(picture.At(12, 10), kWhite) << "the square is drawn in the pixel box";
  EXPECT_EQ(picture.CountOther(kBlack, 0, 0, int{kWidth}, int{kHeight}), 64);
}

// A camera at z = 5 looking down -z through a frustum: the answer is in pixels from the window's
// top left, and a square drawn at the world point covers that pixel.
TEST_F(GameReliance, ProjectPointAnswersWindowPixels) {
  BeginClearedFrame(kBlack);
  ASSERT_EQ(r::SetProjection(rasterizer(), -0.5f, -0.5f, -1.0f, 0.5f, 0.5f, -100.0f), kRTSuccess);
  RTFMatrix4x4 camera;
  kivo::Mat4Identity(&camera);
  camera.m[3][2] = 5.0f;
  ASSERT_EQ(r::PushViewMatrix(rasterizer(), &camera), kRTSuccess);
  const RTFVector3D point{1.0f, 1.5f, 0.0f, 1.0f};
  float x = -1, y = -1, z = -1;
  StartRecording();
  ASSERT_EQ(r::ProjectPoint(rasterizer(), &camera, &point, &x, &y, &z), kRTSuccess);
  const Lines lines = Recorded();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("ProjectPoint([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1], (1, 1.5, 0), out ", 0), 0u)
      << lines[0];
  // Screen height 1 at distance 1 over 48 pixels, 64 / 48 wide: a unit at distance 5 is 9.6 pixels.
  EXPECT_NEAR(x, 32.0f + 9.6f, 0.01f);
  EXPECT_NEAR(y, 24.0f - 14.4f, 0.01f) << "y grows downward from the window's top";
  EXPECT_GT(z, 0.0f);
  EXPECT_LT(z, 1.0f);
  Square(point.x, point.y, 0.3f);
  const Picture picture = Shoot();
  EXPECT_EQ(picture.At(static_cast<int>(x), static_cast<int>(y)), kWhite);
  EXPECT_EQ(picture.At(static_cast<int>(x), static_cast<int>(kHeight - y)), kBlack) << "not mirrored";
}

// The loading screen draws and presents between frames: no BeginFrame, no BeginScene.
TEST_F(GameReliance, PresentFrameIsAcceptedOutsideAFrame) {
  StartRecording();
  ScreenBox();
  ASSERT_EQ(r::SetClearColor(rasterizer(), 0.0f, 0.0f, 0.0f, 1.0f), kRTSuccess);
  ASSERT_EQ(r::Clear(rasterizer(), r::kClearColour | r::kClearDepth), kRTSuccess);
  Square(40.0f, 20.0f, 6.0f);
  ASSERT_EQ(r::PresentFrame(rasterizer()), kRTSuccess);
  const std::filesystem::path shot = host_.root() / "outside.png";
  ASSERT_EQ(r::Screenshot(rasterizer(), shot.u16string().c_str()), kRTSuccess);
  const Lines lines = Recorded();
  for (const std::string& line : lines) EXPECT_EQ(line.find("BeginFrame"), std::string::npos) << line;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "PresentFrame() -> 1"), lines.end());
  const Picture picture = Picture::Load(shot);
  EXPECT_EQ(picture.At(40, 20), kWhite);
  EXPECT_EQ(picture.CountOther(kBlack, 0, 0, int{kWidth}, int{kHeight}), 36);
}

}  // namespace

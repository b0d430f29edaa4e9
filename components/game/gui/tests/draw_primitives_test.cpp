// The quads of the draw primitives as the recording rasterizer logs them: texture coordinates of
// the straight and mirrored forms, the rotated quad's corners, the outline's closed strip.
#include "draw_primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "gui_test_support.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;
using Lines = std::vector<std::string>;

class DrawPrimitives : public GuiTest {
 protected:
  // The (first, second) numbers after the unit or of each vertex line starting with `call`.
  std::vector<std::pair<float, float>> Pairs(const Lines& lines, const char* call) {
    std::vector<std::pair<float, float>> pairs;
    const std::string prefix = call;
    for (const std::string& line : lines) {
      if (line.rfind(prefix + "(", 0) != 0) continue;
      float a = 0;
      float b = 0;
      const char* format = prefix == "TexCoord" ? "TexCoord(0, %f, %f" : "Vertex3(%f, %f";
      EXPECT_EQ(std::sscanf(line.c_str(), format, &a, &b), 2) << line;
      pairs.emplace_back(a, b);
    }
    return pairs;
  }
};

TEST_F(DrawPrimitives, MirroredQuadsSwapTheirTextureCoordinatesAtTheSameCorners) {
  constexpr UvRect uv = {0.25f, 0.75f, 0.5f, 0.125f};
  using Draw = void (*)(RTInstance, const UvRect&, int32_t, int32_t, int32_t, int32_t);
  const struct {
    Draw draw;
    std::vector<std::pair<float, float>> coordinates;  // at (x, y), (x, y+h), (x+w, y+h), (x+w, y)
  } forms[] = {
      {DrawTexturedQuad, {{0.25f, 0.75f}, {0.25f, 0.125f}, {0.5f, 0.125f}, {0.5f, 0.75f}}},
      {DrawTexturedQuadMirrorX, {{0.5f, 0.75f}, {0.5f, 0.125f}, {0.25f, 0.125f}, {0.25f, 0.75f}}},
      {DrawTexturedQuadMirrorY, {{0.25f, 0.125f}, {0.25f, 0.75f}, {0.5f, 0.75f}, {0.5f, 0.125f}}},
      {DrawTexturedQuadMirrorXY, {{0.5f, 0.125f}, {0.5f, 0.75f}, {0.25f, 0.75f}, {0.25f, 0.125f}}},
  };
  for (const auto& form : forms) {
    StartRecording();
    form.draw(rasterizer(), uv, 10, 20, 30, -5);
    const Lines lines = Recorded();
    EXPECT_EQ(Pairs(lines, "TexCoord"), form.coordinates);
    EXPECT_EQ(Pairs(lines, "Vertex3"), (std::vector<std::pair<float, float>>{{10, 20}, {10, 15}, {40, 15}, {40, 20}}));
    EXPECT_EQ(lines.front(), "BeginPrimitive(0x101) -> 1");
  }
}

TEST_F(DrawPrimitives, ARotatedQuadTurnsItsCornersAboutItsOrigin) {
  StartRecording();
  DrawRotatedTexturedQuad(rasterizer(), {0, 1, 1, 0}, 10, 20, 4, 2, static_cast<float>(M_PI / 2));
  const auto corners = Pairs(Recorded(), "Vertex3");
  // A quarter turn clockwise on the screen (y down): (dx, dy) goes to (-dy, dx).
  const std::pair<float, float> expected[] = {{10, 20}, {8, 20}, {8, 24}, {10, 24}};
  ASSERT_EQ(corners.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(corners[i].first, expected[i].first, 1e-5) << i;
    EXPECT_NEAR(corners[i].second, expected[i].second, 1e-5) << i;
  }
}

TEST_F(DrawPrimitives, AnOutlineIsAClosedLineStripInTheColoursRedGreenAndBlue) {
  StartRecording();
  DrawRectOutline(rasterizer(), 1, 2, 3, 4, {0.5f, 0.25f, 1.0f, 0.0f});
  EXPECT_EQ(Recorded(), (Lines{"BeginPrimitive(0x106) -> 1", "SetColorFromArray([3: 0.5, 0.25, 1]) -> 1",
                               "Vertex3(1, 2, 0) -> 1", "Vertex3(1, 6, 0) -> 1", "Vertex3(4, 6, 0) -> 1",
                               "Vertex3(4, 2, 0) -> 1", "Vertex3(1, 2, 0) -> 1", "EndPrimitive() -> 1"}));
}

}  // namespace
}  // namespace guitest

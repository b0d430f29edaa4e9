// The HUD's sprites, digit cells and boxes through the recording rasterizer: the quads' corners
// and texture coordinates, the textures and blends they take, and what the indices, numbers and
// styles outside the tables draw.
#include <gtest/gtest.h>

#include <cstdint>

#include "hud_box.h"
#include "hud_fixture.h"
#include "hud_icons.h"
#include "hud_numbers.h"
#include "tesk/game_slots.h"

namespace gametest {

namespace {

namespace game = tesk::game;

// Distinct texture names for the sheets the cases use.
constexpr uint32_t kPlateA = 101, kPlateB = 102, kMainC = 105, kTileBL = 1002, kNumbers = 109, kBigNumbers = 110;

class HudIcons : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    game::StartupTextures& t = record().textures;
    t.plateA = kPlateA;
    t.plateB = kPlateB;
    t.mainC = kMainC;
    t.startupBottomLeft = kTileBL;
    t.numbers = kNumbers;
    t.bigNumbers = kBigNumbers;
  }
  std::vector<Call> Icon(int32_t index, int32_t x, int32_t y, int32_t grow, int32_t orientation) {
    return Calls([&] { EXPECT_EQ(game::DrawHudIcon(game(), index, x, y, grow, orientation), kRTSuccess); });
  }
  std::vector<Call> Number(int32_t n, int32_t type, int32_t x, int32_t y, int32_t offset, RTSuccess expected) {
    return Calls([&] {
      EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kDrawNumber, n, type, x, y, offset), expected);
    });
  }
};

// The four corners of a quad as the calls give them: x, y, s, t each.
struct Corner {
  float x, y, s, t;
  bool operator==(const Corner&) const = default;
};
std::vector<Corner> Corners(const std::vector<Call>& calls) {
  std::vector<Corner> corners;
  float s = 0, t = 0;
  for (const Call& call : calls) {
    if (call.name == "TexCoord") {
      s = static_cast<float>(call.args.at(1));
      t = static_cast<float>(call.args.at(2));
    }
    if (call.name == "Vertex3")
      corners.push_back({static_cast<float>(call.args.at(0)), static_cast<float>(call.args.at(1)), s, t});
  }
  return corners;
}
std::ostream& operator<<(std::ostream& out, const Corner& c) {
  return out << "(" << c.x << ", " << c.y << " | " << c.s << ", " << c.t << ")";
}

struct Sprite {
  int32_t index;
  uint32_t texture;
  uint32_t blend[2];
  int32_t w, h;
  float s0, t0, ds, dt;
};

// From the sheet table: t0 = (B - y1) / D.
const Sprite kSprites[] = {
    {27, kPlateA, {0x303, 0x302}, 23, 24, 0.0f, 0.0f, 23.0f / 256, 24.0f / 256},
    {43, kPlateB, {0x302, 0x303}, 25, 24, 52.0f / 128, 170.0f / 128, 25.0f / 128, 24.0f / 128},
    {25, kPlateA, {0x303, 0x302}, 0, 0, 0.0f, 1.0f, 0.0f, 0.0f},
    {87, kMainC, {0x302, 0x303}, 26, 143, 230.0f / 256, -9.0f / 256, 26.0f / 256, 143.0f / 256},
    {1002, kTileBL, {0x302, 0x303}, 512, 256, 0.0f, 0.5f, 1.0f, 0.5f},
};

TEST_F(HudIcons, SpritesDrawTheirRectangleInEveryOrientation) {
  constexpr int32_t x = 10, y = 20;
  for (const Sprite& sprite : kSprites) {
    const float s0 = sprite.s0, s1 = sprite.s0 + sprite.ds, t0 = sprite.t0, t1 = sprite.t0 + sprite.dt;
    // Texture points at (x, y), (x, y + H), (x + W, y + H), (x + W, y) by orientation.
    const float st[4][4][2] = {{{s0, t1}, {s0, t0}, {s1, t0}, {s1, t1}},
                               {{s1, t1}, {s1, t0}, {s0, t0}, {s0, t1}},
                               {{s1, t0}, {s1, t1}, {s0, t1}, {s0, t0}},
                               {{s0, t0}, {s0, t1}, {s1, t1}, {s1, t0}}};
    for (int32_t grow : {0, -30})
      for (int32_t orientation = 0; orientation < 4; ++orientation) {
        SCOPED_TRACE("index " + std::to_string(sprite.index) + " grow " + std::to_string(grow) + " orientation " +
                     std::to_string(orientation));
        int32_t w = sprite.w + grow, h = sprite.h + grow;
        if (orientation == 0) w = std::max(w, 1), h = std::max(h, 1);
        const float xs[4] = {x, x, float(x + w), float(x + w)}, ys[4] = {y, float(y + h), float(y + h), y};
        std::vector<Corner> expected;
        for (int c = 0; c < 4; ++c) expected.push_back({xs[c], ys[c], st[orientation][c][0], st[orientation][c][1]});
        const std::vector<Call> calls = Icon(sprite.index, x, y, grow, orientation);
        EXPECT_EQ(Corners(calls), expected);
        const std::vector<Call> bound = Named(calls, {"BindTexture"});
        ASSERT_EQ(bound.size(), 1u);
        EXPECT_EQ(bound[0].args.at(0), sprite.texture);
        const std::vector<Call> blends = Named(calls, {"SetBlendFunc"});
        ASSERT_EQ(blends.size(), 2u) << "the normal pair first, then the sheet's";
        EXPECT_EQ(blends[1].args, (std::vector<double>{double(sprite.blend[0]), double(sprite.blend[1])}));
        EXPECT_EQ(Named(calls, {"BeginPrimitive"}).at(0).args.at(0), 0x101);
      }
  }
}

TEST_F(HudIcons, AnEmptyEntryIsOnePixelUprightAndNothingOtherwise) {
  EXPECT_EQ(Corners(Icon(25, 5, 6, 0, 0)), (std::vector<Corner>{{5, 6, 0, 1}, {5, 7, 0, 1}, {6, 7, 0, 1}, {6, 6, 0, 1}}));
  for (const Corner& corner : Corners(Icon(48, 5, 6, 0, 1))) EXPECT_EQ(corner, (Corner{5, 6, 0, 1}));
}

TEST_F(HudIcons, IndicesAndOrientationsOutsideTheTablesDrawNothing) {
  struct Case {
    int32_t index;
    int32_t orientation;
  };
  for (const Case c : {Case{0, 4}, Case{0, -1}, Case{-1, 0}, Case{123, 0}, Case{999, 0}, Case{1004, 0}}) {
    SCOPED_TRACE("index " + std::to_string(c.index) + " orientation " + std::to_string(c.orientation));
    const std::vector<Call> calls = Icon(c.index, 0, 0, 0, c.orientation);
    EXPECT_TRUE(Named(calls, {"BeginPrimitive", "Vertex3"}).empty());
    const HudStates after = Replay(calls, kDirtyStates);
    EXPECT_EQ((std::vector<double>{after.blending, after.texturing, after.lighting, after.depthTest}),
              (std::vector<double>{0, 0, 1, 1}));
  }
}

TEST_F(HudIcons, NumbersDrawTheirCellWithAMinusSignBeforeSmallNegatives) {
  // -2: the black border box, the white bar, then cell 2 of the 16-pixel strip.
  const std::vector<Call> minus = Number(-2, 9, 100, 50, 0, kRTSuccess);
  const std::vector<Call> colours = Named(minus, {"SetColor"});
  ASSERT_GE(colours.size(), 3u);
  EXPECT_EQ(colours[0].args, (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(Corners(minus), (std::vector<Corner>{{90, 60, 0, 0},
                                                  {90, 69, 0, 0},
                                                  {104, 69, 0, 0},
                                                  {104, 60, 0, 0},
                                                  {93, 63, 0, 0},
                                                  {93, 66, 0, 0},
                                                  {101, 66, 0, 0},
                                                  {101, 63, 0, 0},
                                                  {100, 50, 0.125f, 1},
                                                  {100, 66, 0.125f, 0},
                                                  {116, 66, 0.1875f, 0},
                                                  {116, 50, 0.1875f, 1}}));
  const std::vector<Call> white = Named(minus, {"SetColor"});
  EXPECT_EQ(white[2].args, (std::vector<double>{1, 1, 1})) << "the bar is white";
  EXPECT_EQ(Named(minus, {"BindTexture"}).at(0).args.at(0), kNumbers);
  EXPECT_EQ(Named(minus, {"SetBlendFunc"}).back().args, (std::vector<double>{0x303, 0x302}));

  // 10 is the eleventh cell; a 32-pixel style with offset -15 draws 17 x 17.
  EXPECT_EQ(Corners(Number(10, 9, 0, 0, 0, kRTSuccess)).front(), (Corner{0, 0, 0.625f, 1}));
  EXPECT_EQ(Corners(Number(3, 10, 0, 0, -15, kRTSuccess)),
            (std::vector<Corner>{{0, 0, 0.1875f, 1}, {0, 17, 0.1875f, 0}, {17, 17, 0.25f, 0}, {17, 0, 0.25f, 1}}));

  // Out of range: 0 and no call at all; style 0 (no strip): 1, nothing bound or drawn.
  for (int32_t n : {-4, 11}) EXPECT_TRUE(Number(n, 9, 0, 0, 0, kRTFailure).empty()) << n;
  const std::vector<Call> styleless = Number(5, 0, 0, 0, 0, kRTSuccess);
  EXPECT_TRUE(Named(styleless, {"BindTexture", "BeginPrimitive"}).empty());
}

// Places and sizes at the ends of their ranges draw without overflow (the sanitizer would stop).
TEST_F(HudIcons, ExtremePlacesAndSizesDraw) {
  constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
  for (int32_t orientation : {0, 1})
    for (int32_t grow : {kMin, kMax}) EXPECT_EQ(Named(Icon(87, kMax, kMin, grow, orientation), {"Vertex3"}).size(), 4u);
  EXPECT_EQ(Named(Number(-1, 10, kMin, kMax, kMin, kRTSuccess), {"Vertex3"}).size(), 12u);
  constexpr RTFColorRGB kGrey = {0.5f, 0.5f, 0.5f, 1.0f};
  EXPECT_EQ(Named(Calls([&] { game::DrawHudBox(game(), kMax, kMin, UINT32_MAX, UINT32_MAX, &kGrey, 0); }), {"Vertex3"})
                .size(),
            4u);
}

TEST_F(HudIcons, BoxesAreCutAtTheRightEdgeAndMovedDownFromAbove) {
  constexpr RTFColorRGB kGrey = {0.5f, 0.5f, 0.5f, 1.0f};
  struct Case {
    int32_t x, y;
    uint32_t width, height;
    std::vector<Corner> corners;
  };
  const float right = kWidth;
  const Case cases[] = {
      {int32_t(kWidth) - 10, 3, 40, 5, {{right - 10, 3, 0, 0}, {right - 10, 8, 0, 0}, {right, 8, 0, 0}, {right, 3, 0, 0}}},
      {int32_t(kWidth), 3, 40, 5, {{right, 3, 0, 0}, {right, 8, 0, 0}, {right + 40, 8, 0, 0}, {right + 40, 3, 0, 0}}},
      {2, -5, 4, 9, {{2, 0, 0, 0}, {2, 9, 0, 0}, {6, 9, 0, 0}, {6, 0, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("x " + std::to_string(c.x) + " y " + std::to_string(c.y));
    EXPECT_EQ(Corners(Calls([&] { game::DrawHudBox(game(), c.x, c.y, c.width, c.height, &kGrey, 0); })), c.corners);
  }
  const std::vector<Call> blended = Calls([&] { game::DrawHudBox(game(), 0, 0, 1, 1, &kGrey, 1); });
  EXPECT_EQ(Named(blended, {"SetColorRGBAArray"}).size(), 1u);
  EXPECT_TRUE(Named(blended, {"EnableTexturing"}).size() == 1u) << "texturing is only switched off at the end";
}

}  // namespace

}  // namespace gametest

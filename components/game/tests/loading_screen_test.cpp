// The screen-drawing bracket and the loading-screen pump as the rasterizer records them: the
// bracket's calls in order with the projection put back exactly and nothing left pushed; the pump's
// 67-ms rate limit on the core clock, its frame call by call, the idle callback once per drawn
// frame, the sprite's wrap and the pump without a rasterizer.
#include "loading_screen.h"

#include <array>
#include <bit>
#include <cstdio>

#include "game_fixture.h"
#include "platform/clock.h"
#include "screen_drawing.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace r = kivo::rasterizer;
using Lines = std::vector<std::string>;

constexpr uint32_t kWindowWidth = 512;  // the loading screen's own layout: sx = sy = 1
constexpr uint32_t kWindowHeight = 384;
constexpr uint64_t kTicksPerMs = platform::kTicksPerSecond / 1000;
const std::string kIdentity = "[1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]";

void AdvanceMs(uint32_t ms) { platform::AdvanceClock(ms * kTicksPerMs); }

int gIdleCalls = 0;
int32_t CountIdle() { return ++gIdleCalls, 1; }

class LoadingScreen : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    if (HasFatalFailure()) return;
    gIdleCalls = 0;
    GiveWindow(0, kWindowWidth, kWindowHeight);
    ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSetIdleCallback, CountIdle));
  }
  void StartGame() { ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog(); }
  // The lines of one pump.
  Lines Pump() {
    StartRecording();
    EXPECT_EQ(CallScript(game::kPumpLoadingScreen), kRTSuccess);
    return Recorded();
  }
  std::array<float, 6> Projection() {
    std::array<float, 6> p{};
    EXPECT_EQ(r::GetProjection(record().rasterizer, &p[0], &p[1], &p[2], &p[3], &p[4], &p[5]), kRTSuccess);
    return p;
  }
  static std::string Texture(uint32_t texture) { return "BindTexture(" + std::to_string(texture) + ") -> 1"; }
};

// The bracket's calls in order; the odd projection values come back bit for bit and every push is
// popped (a further pop finds nothing).
TEST_F(LoadingScreen, TheScreenDrawingBracketRestoresWhatItChanged) {
  StartGame();
  RTInstance rasterizer = record().rasterizer;
  const std::array<float, 6> odd{-0.5f, -0.375f, -1.0e-7f, 0.5f, 0.375f, -250.125f};
  ASSERT_EQ(r::SetProjection(rasterizer, odd[0], odd[1], odd[2], odd[3], odd[4], odd[5]), kRTSuccess);
  StartRecording();
  game::gui::SavedProjection saved{};
  ASSERT_EQ(game::gui::BeginScreenDrawing(game(), &saved), kRTSuccess);
  ASSERT_EQ(game::gui::EndScreenDrawing(game(), saved), kRTSuccess);
  EXPECT_EQ(Recorded(), (Lines{"GetProjection(out -0.5, out -0.375, out -1e-07, out 0.5, out 0.375, out -250.125) -> 1",
                               "GetProjectionMode(out 0) -> 1", "SetProjectionMode(1) -> 1", "GetWindowRect(context, out [5: 0, 0, 0, 384, 512]) -> 1",
                               "SetProjection(0, 0, -1, 512, 384, 1) -> 1", "PushViewMatrix(" + kIdentity + ") -> 1",
                               "PushWorldMatrix(" + kIdentity + ") -> 1", "EnableDepthTest(0) -> 1",
                               "EnableDepthWrite(0) -> 1", "PopWorldMatrix() -> 1", "PopViewMatrix() -> 1",
                               "EnableDepthTest(1) -> 1", "EnableDepthWrite(1) -> 1", "SetProjectionMode(0) -> 1",
                               "SetProjection(-0.5, -0.375, -1e-07, 0.5, 0.375, -250.125) -> 1"}));
  // The cells hold the values in the rasterizer's order 1, 4, 2, 5, 3, 6.
  EXPECT_EQ(saved.box, (std::array<float, 6>{odd[0], odd[2], odd[4], odd[1], odd[3], odd[5]}));
  EXPECT_EQ(saved.mode, r::kPerspective);
  const std::array<float, 6> after = Projection();
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(std::bit_cast<uint32_t>(after[i]), std::bit_cast<uint32_t>(odd[i]));
  uint32_t mode = 9;
  ASSERT_EQ(r::GetProjectionMode(rasterizer, &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kPerspective);
  EXPECT_EQ(r::PopWorldMatrix(rasterizer), 0u) << "nothing left pushed";
  EXPECT_EQ(r::PopViewMatrix(rasterizer), 0u);

  // A bracket inside another (the HUD form inside the HUD stage's): the outer one's end still
  // leaves the perspective mode of its start, though the rasterizer remembers one mode only.
  game::gui::SavedProjection outer{};
  game::gui::SavedProjection inner{};
  game::gui::BeginScreenDrawing(game(), &outer);
  game::gui::BeginScreenDrawing(game(), &inner);
  game::gui::EndScreenDrawing(game(), inner);
  ASSERT_EQ(r::GetProjectionMode(rasterizer, &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kOrthographic);
  game::gui::EndScreenDrawing(game(), outer);
  ASSERT_EQ(r::GetProjectionMode(rasterizer, &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kPerspective);
}

// After BeginLoadingScreen at t0: nothing at t0 + 30 ms nor at t0 + 66 ms; at t0 + 67 ms one frame,
// call by call, and one idle call.
TEST_F(LoadingScreen, OneFrameEvery67MillisecondsCallByCall) {
  StartGame();
  game::BeginLoadingScreen(record());
  EXPECT_EQ(record().loadingSpriteX, 0.0f);
  AdvanceMs(30);
  EXPECT_EQ(Pump(), Lines{});
  AdvanceMs(36);
  EXPECT_EQ(Pump(), Lines{});
  EXPECT_EQ(gIdleCalls, 0);
  AdvanceMs(1);
  const Lines frame = Pump();
  EXPECT_EQ(gIdleCalls, 1);
  const auto& t = record().textures;
  const Lines expected = {"GetProjection(out -1, out -1, out -1, out 1, out 1, out -1000) -> 1",
                          "GetProjectionMode(out 0) -> 1",
                          "SetProjectionMode(1) -> 1",
                          "GetWindowRect(context, out [5: 0, 0, 0, 384, 512]) -> 1",
                          "SetProjection(0, 0, -1, 512, 384, 1) -> 1",
                          "PushViewMatrix(" + kIdentity + ") -> 1",
                          "PushWorldMatrix(" + kIdentity + ") -> 1",
                          "EnableDepthTest(0) -> 1",
                          "EnableDepthWrite(0) -> 1",
                          "EnableFog(1) -> 1",
                          "SetFogColor(0.003921569, 0.09019608, 0.1254902, 0) -> 1",
                          "SetClearMask(3) -> 1",
                          "SetColor(1, 1, 1) -> 1",
                          Texture(t.loadingSpriteTexture),
                          "EnableTexturing(1) -> 1",
                          "BeginPrimitive(0x101) -> 1",
                          "TexCoord(0, 0, 0) -> 1",
                          "Vertex3(0, 268, 0) -> 1",
                          "TexCoord(0, 0, 0.75) -> 1",
                          "Vertex3(0, 373, 0) -> 1",
                          "TexCoord(0, 1, 0.75) -> 1",
                          "Vertex3(44, 373, 0) -> 1",
                          "TexCoord(0, 1, 0) -> 1",
                          "Vertex3(44, 268, 0) -> 1",
                          "EndPrimitive() -> 1",
                          Texture(t.loadingBackTexture),
                          "EnableBlending(1) -> 1",
                          "SetBlendFunc(0x303, 0x302) -> 1",
                          "BeginPrimitive(0x101) -> 1",
                          "TexCoord(0, 0, 0) -> 1",
                          "Vertex3(0, 0, 0) -> 1",
                          "TexCoord(0, 0, 0.75) -> 1",
                          "Vertex3(0, 384, 0) -> 1",
                          "TexCoord(0, 1, 0.75) -> 1",
                          "Vertex3(512, 384, 0) -> 1",
                          "TexCoord(0, 1, 0) -> 1",
                          "Vertex3(512, 0, 0) -> 1",
                          "EndPrimitive() -> 1",
                          "EnableBlending(0) -> 1",
                          "PopWorldMatrix() -> 1",
                          "PopViewMatrix() -> 1",
                          "EnableDepthTest(1) -> 1",
                          "EnableDepthWrite(1) -> 1",
                          "SetProjectionMode(0) -> 1",
                          "SetProjection(-1, -1, -1, 1, 1, -1000) -> 1",
                          "PresentFrame() -> 1",
                          "EnableTexturing(0) -> 1"};
  EXPECT_EQ(frame, expected);
  EXPECT_EQ(record().loadingSpriteX, 20.0f);
  // The rate limit counts from the frame just drawn.
  AdvanceMs(66);
  EXPECT_EQ(Pump(), Lines{});
  EXPECT_EQ(gIdleCalls, 1);
}

// The sprite steps 20 pixels a frame and goes back to 0 once it reaches screenWidth - 1.
TEST_F(LoadingScreen, TheSpriteWrapsAtTheWindowsLastPixel) {
  StartGame();
  const struct {
    float from;
    float next;
  } steps[] = {{0.0f, 20.0f}, {470.0f, 490.0f}, {490.0f, 510.0f}, {491.0f, 0.0f}, {500.0f, 0.0f}};
  for (const auto& step : steps) {
    record().loadingSpriteX = step.from;
    AdvanceMs(67);
    const Lines frame = Pump();
    ASSERT_GT(frame.size(), 17u);
    char x[64];
    std::snprintf(x, sizeof x, "Vertex3(%g, 268, 0) -> 1", step.from);
    EXPECT_EQ(frame[17], x) << "drawn where it was";
    EXPECT_EQ(record().loadingSpriteX, step.next) << "from " << step.from;
  }
  EXPECT_EQ(gIdleCalls, 5);
}

// A game whose Startup has not made its rasterizer: the pump answers 1 and does nothing.
TEST_F(LoadingScreen, WithoutARasterizerThePumpDoesNothing) {
  ASSERT_EQ(record().rasterizer, nullptr);
  AdvanceMs(1000);
  EXPECT_EQ(Pump(), Lines{});
  EXPECT_EQ(gIdleCalls, 0);
}

}  // namespace

// Drawing through the vertex array: a strip (DrawStrips) and a list (DrawPrimitive) in the screen
// box and in perspective, read back from PNG screenshots; indices past the array; immediate
// batches and the cull modes.
#include <gtest/gtest.h>

#include "kivo/support/matrix.h"
#include "software_rasterizer.h"

namespace {

namespace r = kivo::rasterizer;
using tesk::testing::Picture;

constexpr uint32_t kClearColour = 0x102030;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;

class Draw : public tesk::testing::SoftwareRasterizer {
 protected:
  RTPrimitive* Make(uint32_t kind, std::initializer_list<uint32_t> indices, uint32_t count) {
    RTPrimitive* primitive = nullptr;
    EXPECT_EQ(r::CreatePrimitive(rasterizer(), kind, &primitive), kRTSuccess);
    EXPECT_EQ(r::ResizePrimitiveList(rasterizer(), primitive, count), kRTSuccess);
    std::copy(indices.begin(), indices.end(), primitive->indices);
    made_.push_back(primitive);
    return primitive;
  }
  void TearDown() override {
    for (RTPrimitive* primitive : made_) EXPECT_EQ(r::DestroyPrimitive(rasterizer(), primitive), kRTSuccess);
    SoftwareRasterizer::TearDown();
  }
  // A strip of four vertices (a quad over the left part) and a list of one triangle (right).
  void DrawStripAndList() {
    RTPrimitive* strip = Make(r::kTriangleStrip, {0, 1, 2, 3}, 4);
    RTPrimitive* list = Make(r::kTriangleList, {4, 5, 6}, 1);
    ASSERT_EQ(r::SetVertexArray(rasterizer(), vertices_, 7), kRTSuccess);
    ASSERT_EQ(r::SetColor(rasterizer(), 1.0f, 0.0f, 0.0f), kRTSuccess);
    ASSERT_EQ(r::DrawStrips(rasterizer(), &strip, 1), kRTSuccess);
    ASSERT_EQ(r::SetColorRGBA(rasterizer(), 0.0f, 1.0f, 0.0f, 1.0f), kRTSuccess);
    ASSERT_EQ(r::DrawPrimitive(rasterizer(), list), kRTSuccess);
  }

  RTFVector3D vertices_[7] = {};
  std::vector<RTPrimitive*> made_;
};

TEST_F(Draw, StripAndListInTheScreenBox) {
  const RTFVector3D screen[7] = {{4, 4, 0, 1},  {4, 40, 0, 1},  {28, 4, 0, 1}, {28, 40, 0, 1},
                                 {36, 4, 0, 1}, {36, 40, 0, 1}, {60, 4, 0, 1}};
  std::copy(std::begin(screen), std::end(screen), vertices_);
  BeginClearedFrame(kClearColour);
  ScreenBox();
  DrawStripAndList();
  const Picture picture = Shoot();
  ASSERT_EQ(picture.width(), int{kWidth});
  EXPECT_EQ(picture.At(16, 22), kRed) << "inside the strip";
  EXPECT_EQ(picture.At(5, 5), kRed) << "near the strip's top left: pixel (0, 0) is the top left";
  EXPECT_EQ(picture.At(40, 10), kGreen) << "inside the triangle";
  EXPECT_EQ(picture.At(56, 36), kClearColour) << "beside the triangle's slanted edge";
  EXPECT_EQ(picture.At(2, 2), kClearColour);
  EXPECT_EQ(picture.At(32, 22), kClearColour) << "between the two";
  EXPECT_EQ(picture.At(16, 44), kClearColour);
}

TEST_F(Draw, StripAndListInPerspectiveWhereProjectPointSaysTheyAre) {
  // The camera sits at z = 5 looking down -z; the shapes lie in the plane z = 0.
  const RTFVector3D world[7] = {{-3, -2, 0, 1}, {-3, 2, 0, 1}, {-0.5f, -2, 0, 1}, {-0.5f, 2, 0, 1},
                                {0.5f, 2, 0, 1}, {0.5f, -2, 0, 1}, {3, 2, 0, 1}};
  std::copy(std::begin(world), std::end(world), vertices_);
  RTFMatrix4x4 camera;
  kivo::Mat4Identity(&camera);
  camera.m[3][2] = 5.0f;
  BeginClearedFrame(kClearColour);
  ASSERT_EQ(r::SetProjection(rasterizer(), -0.5f, -0.5f, -1.0f, 0.5f, 0.5f, -100.0f), kRTSuccess);
  ASSERT_EQ(r::PushViewMatrix(rasterizer(), &camera), kRTSuccess);
  DrawStripAndList();
  auto pixel = [&](float x, float y) {
    const RTFVector3D point{x, y, 0, 1};
    float px = -1, py = -1, pz = -1;
    EXPECT_EQ(r::ProjectPoint(rasterizer(), &camera, &point, &px, &py, &pz), kRTSuccess);
    EXPECT_GT(pz, 0.0f);
    EXPECT_LT(pz, 1.0f);
    return std::pair{static_cast<int>(px), static_cast<int>(py)};
  };
  const auto inStrip = pixel(-1.5f, 1.0f);
  const auto inList = pixel(1.0f, 1.5f);
  const auto belowList = pixel(2.5f, -1.5f);
  const auto between = pixel(0.0f, 0.0f);
  // Width / height scales x: the view spans x = +-0.5 * 64 / 48 on the near plane, +-3.33 at the
  // distance 5, so x = -3 lies 0.05 of the width from the left edge.
  EXPECT_EQ(pixel(-3.0f, 0.0f).first, 3);
  ASSERT_EQ(r::PopViewMatrix(rasterizer()), kRTSuccess);
  const Picture picture = Shoot();
  EXPECT_EQ(picture.At(inStrip.first, inStrip.second), kRed);
  EXPECT_EQ(picture.At(inList.first, inList.second), kGreen);
  EXPECT_EQ(picture.At(belowList.first, belowList.second), kClearColour);
  EXPECT_EQ(picture.At(between.first, between.second), kClearColour);
  EXPECT_LT(inStrip.second, between.second) << "y = 1 is above the centre: pixel rows count down";
}

TEST_F(Draw, AnIndexPastTheVertexArrayDrawsNothingAndIsReportedOnce) {
  const RTFVector3D screen[3] = {{4, 4, 0, 1}, {4, 40, 0, 1}, {60, 4, 0, 1}};
  RTPrimitive* list = Make(r::kTriangleList, {0, 1, 3}, 1);
  RTPrimitive* good = Make(r::kTriangleList, {0, 1, 2}, 1);
  RTPrimitive* strips[] = {list, good};
  BeginClearedFrame(kClearColour);
  ScreenBox();
  ASSERT_EQ(r::SetVertexArray(rasterizer(), screen, 3), kRTSuccess);
  EXPECT_EQ(r::DrawPrimitive(rasterizer(), list), 0u);
  EXPECT_EQ(r::DrawStrips(rasterizer(), strips, 2), 0u) << "the good one is drawn, the bad one still fails";
  const uint32_t quad[] = {0, 1, 2, 9};
  EXPECT_EQ(r::DrawIndexedTriangles(rasterizer(), 2, quad), 0u);
  const Picture picture = Shoot();
  EXPECT_EQ(picture.At(10, 10), 0xFFFFFF) << "the good triangle, in the default white";
  const std::string log = host_.ErrorLog();
  const std::string message = "primitive 1 uses vertex 3 of an array of 3; not drawn";
  ASSERT_NE(log.find(message), std::string::npos) << log;
  EXPECT_EQ(log.find(message, log.find(message) + 1), std::string::npos) << "reported once";
  EXPECT_NE(log.find("primitive 0 uses vertex 9 of an array of 3"), std::string::npos);
}

TEST_F(Draw, BatchesDrawTheirVerticesWithTheColourEachWasGiven) {
  BeginClearedFrame(kClearColour);
  ScreenBox();
  ASSERT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchQuads), kRTSuccess);
  EXPECT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchLines), 0u) << "one batch at a time";
  ASSERT_EQ(r::SetColorFromArray(rasterizer(), std::array<float, 4>{0.0f, 0.0f, 1.0f, 0.0f}.data()), kRTSuccess);
  for (const auto& [x, y] : {std::pair{8.0f, 8.0f}, {8.0f, 24.0f}, {24.0f, 24.0f}, {24.0f, 8.0f}})
    ASSERT_EQ(r::Vertex3(rasterizer(), x, y, 0.0f), kRTSuccess);
  ASSERT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
  EXPECT_EQ(r::Vertex3(rasterizer(), 1.0f, 1.0f, 0.0f), 0u) << "no batch is open";
  EXPECT_EQ(r::BeginPrimitive(rasterizer(), 0x102), 0u) << "strips are no batch kind";
  const Picture picture = Shoot();
  EXPECT_EQ(picture.At(16, 16), 0x0000FF) << "alpha 0 from the colour array still draws opaque";
  EXPECT_EQ(picture.At(30, 16), kClearColour);
}

TEST_F(Draw, LightingIsOffWhileTheScreenBoxIsInForce) {
  // A grey quad facing the light at the eye: lit it gains the diffuse light, in the screen box not.
  auto drawGrey = [&](bool screen) {
    BeginClearedFrame(kClearColour);
    if (screen) ScreenBox();
    EXPECT_EQ(r::EnableLighting(rasterizer(), 1), kRTSuccess);
    EXPECT_EQ(r::SetColor(rasterizer(), 0.5f, 0.5f, 0.5f), kRTSuccess);
    EXPECT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchQuads), kRTSuccess);
    const float z = screen ? 0.0f : -2.0f;
    const float s = screen ? 64.0f : 3.0f;
    for (const auto& [x, y] : {std::pair{-s, -s}, {s, -s}, {s, s}, {-s, s}})
      EXPECT_EQ(r::Vertex3(rasterizer(), x, y, z), kRTSuccess);
    EXPECT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
    if (screen) {
      EXPECT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
    }
    EXPECT_EQ(r::EnableLighting(rasterizer(), 0), kRTSuccess);
    return Shoot().At(32, 24);
  };
  EXPECT_GT(drawGrey(false) & 0xFF, 0x80u) << "lit";
  EXPECT_EQ(drawGrey(true), 0x808080u) << "not lit in the screen box";
}

TEST_F(Draw, CullModeOneDropsBackFacesAndTwoFrontFaces) {
  // Counter-clockwise seen from the camera (front) on the left, clockwise (back) on the right.
  const RTFVector3D world[6] = {{-3, -1, 0, 1}, {-1, -1, 0, 1}, {-2, 1, 0, 1},
                                {1, -1, 0, 1},  {2, 1, 0, 1},   {3, -1, 0, 1}};
  RTFMatrix4x4 camera;
  kivo::Mat4Identity(&camera);
  camera.m[3][2] = 5.0f;
  for (const auto& [mode, front, back] : {std::tuple{r::kCullBack, kRed, kClearColour},
                                          std::tuple{r::kCullFront, kClearColour, kRed}}) {
    BeginClearedFrame(kClearColour);
    ASSERT_EQ(r::PushViewMatrix(rasterizer(), &camera), kRTSuccess);
    ASSERT_EQ(r::SetVertexArray(rasterizer(), world, 6), kRTSuccess);
    ASSERT_EQ(r::EnableCulling(rasterizer(), 1), kRTSuccess);
    ASSERT_EQ(r::SetCullMode(rasterizer(), mode), kRTSuccess);
    ASSERT_EQ(r::SetColor(rasterizer(), 1.0f, 0.0f, 0.0f), kRTSuccess);
    const uint32_t triangles[] = {0, 1, 2, 3, 4, 5};
    ASSERT_EQ(r::DrawIndexedTriangles(rasterizer(), 2, triangles), kRTSuccess);
    float x = 0, y = 0, z = 0;
    const RTFVector3D left{-2, -0.5f, 0, 1}, right{2, -0.5f, 0, 1};
    ASSERT_EQ(r::ProjectPoint(rasterizer(), &camera, &left, &x, &y, &z), kRTSuccess);
    const std::pair leftPixel{static_cast<int>(x), static_cast<int>(y)};
    ASSERT_EQ(r::ProjectPoint(rasterizer(), &camera, &right, &x, &y, &z), kRTSuccess);
    ASSERT_EQ(r::PopViewMatrix(rasterizer()), kRTSuccess);
    const Picture picture = Shoot();
    EXPECT_EQ(picture.At(leftPixel.first, leftPixel.second), front) << "mode " << mode;
    EXPECT_EQ(picture.At(static_cast<int>(x), static_cast<int>(y)), back) << "mode " << mode;
  }
  EXPECT_EQ(r::SetCullMode(rasterizer(), 3), 0u);
}

}  // namespace

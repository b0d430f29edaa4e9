// The recording of calls by value, on the GUI's screen-drawing bracket; the projection values
// handed back in both orders; the view stack; a lone batch end; the window record.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>

#include "kivo/support/matrix.h"
#include "software_rasterizer.h"

namespace {

namespace r = kivo::rasterizer;
using Lines = std::vector<std::string>;

class Recording : public tesk::testing::SoftwareRasterizer {
 protected:
  using Six = std::array<float, 6>;

  // The GUI's bracket: the projection saved (its cells in the order 1, 4, 2, 5, 3, 6), the screen
  // box of the window record, identity matrices, depth test and writes off; then all put back.
  Six BeginScreenDrawing() {
    Six cells{};
    EXPECT_EQ(r::GetProjection(rasterizer(), &cells[0], &cells[3], &cells[1], &cells[4], &cells[2], &cells[5]),
              kRTSuccess);
    EXPECT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
    uint32_t rect[r::kWindowRectWords] = {};
    EXPECT_EQ(r::GetWindowRect(rasterizer(), context(), rect), kRTSuccess);
    EXPECT_EQ(r::SetProjection(rasterizer(), float(rect[2]), float(rect[1]), -1.0f, float(rect[4]), float(rect[3]),
                               1.0f),
              kRTSuccess);
    RTFMatrix4x4 identity;
    kivo::Mat4Identity(&identity);
    EXPECT_EQ(r::PushViewMatrix(rasterizer(), &identity), kRTSuccess);
    EXPECT_EQ(r::PushWorldMatrix(rasterizer(), &identity), kRTSuccess);
    EXPECT_EQ(r::EnableDepthTest(rasterizer(), 0), kRTSuccess);
    EXPECT_EQ(r::EnableDepthWrite(rasterizer(), 0), kRTSuccess);
    return cells;
  }
  void EndScreenDrawing(const Six& v) {
    EXPECT_EQ(r::PopWorldMatrix(rasterizer()), kRTSuccess);
    EXPECT_EQ(r::PopViewMatrix(rasterizer()), kRTSuccess);
    EXPECT_EQ(r::EnableDepthTest(rasterizer(), 1), kRTSuccess);
    EXPECT_EQ(r::EnableDepthWrite(rasterizer(), 1), kRTSuccess);
    EXPECT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
    EXPECT_EQ(r::SetProjection(rasterizer(), v[0], v[3], v[1], v[4], v[2], v[5]), kRTSuccess);
  }
  Six Projection() {
    Six p{};
    EXPECT_EQ(r::GetProjection(rasterizer(), &p[0], &p[1], &p[2], &p[3], &p[4], &p[5]), kRTSuccess);
    return p;
  }
  static void ExpectSameBits(const Six& actual, const Six& expected) {
    for (size_t i = 0; i < 6; ++i)
      EXPECT_EQ(std::bit_cast<uint32_t>(actual[i]), std::bit_cast<uint32_t>(expected[i])) << "value " << i;
  }
};

TEST_F(Recording, TheScreenDrawingBracketLogsItsCallsByValue) {
  ASSERT_EQ(r::SetProjection(rasterizer(), -0.5f, -0.375f, -1.0f, 0.5f, 0.375f, -250.0f), kRTSuccess);
  StartRecording();
  const Six saved = BeginScreenDrawing();
  ASSERT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchLineStrip), kRTSuccess);
  ASSERT_EQ(r::SetColorFromArray(rasterizer(), std::array<float, 3>{1.0f, 0.5f, 0.25f}.data()), kRTSuccess);
  ASSERT_EQ(r::Vertex3(rasterizer(), 1.5f, 2.0f, 0.0f), kRTSuccess);
  ASSERT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
  EndScreenDrawing(saved);
  const std::string identity = "[1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]";
  EXPECT_EQ(Recorded(),
            (Lines{"GetProjection(out -0.5, out -0.375, out -1, out 0.5, out 0.375, out -250) -> 1",
                   "SetProjectionMode(1) -> 1",
                   "GetWindowRect(context, out [5: 0, 0, 0, 48, 64]) -> 1",
                   "SetProjection(0, 0, -1, 64, 48, 1) -> 1",
                   "PushViewMatrix(" + identity + ") -> 1",
                   "PushWorldMatrix(" + identity + ") -> 1",
                   "EnableDepthTest(0) -> 1",
                   "EnableDepthWrite(0) -> 1",
                   "BeginPrimitive(0x106) -> 1",
                   "SetColorFromArray([3: 1, 0.5, 0.25]) -> 1",
                   "Vertex3(1.5, 2, 0) -> 1",
                   "EndPrimitive() -> 1",
                   "PopWorldMatrix() -> 1",
                   "PopViewMatrix() -> 1",
                   "EnableDepthTest(1) -> 1",
                   "EnableDepthWrite(1) -> 1",
                   "RestoreProjectionMode() -> 1",
                   "SetProjection(-0.5, -0.375, -1, 0.5, 0.375, -250) -> 1"}));
  uint32_t mode = 7;
  ASSERT_EQ(r::GetProjectionMode(rasterizer(), &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kPerspective);
}

TEST_F(Recording, ArraysAndPrimitivesAreLoggedByCountAndValue) {
  StartRecording();
  const RTFVector3D points[2] = {{1, 2, 3, 99}, {-4, 0.5f, 6, -99}};
  ASSERT_EQ(r::SetVertexArray(rasterizer(), points, 2), kRTSuccess);
  RTPrimitive* list = nullptr;
  ASSERT_EQ(r::CreatePrimitive(rasterizer(), r::kTriangleList, &list), kRTSuccess);
  ASSERT_EQ(r::ResizePrimitiveList(rasterizer(), list, 1), kRTSuccess);
  list->indices[2] = 1;
  EXPECT_EQ(r::DrawPrimitive(rasterizer(), list), kRTSuccess);
  int stranger = 0;
  EXPECT_EQ(r::DrawPrimitive(rasterizer(), reinterpret_cast<RTPrimitive*>(&stranger)), 0u);
  ASSERT_EQ(r::DestroyPrimitive(rasterizer(), list), kRTSuccess);
  EXPECT_EQ(Recorded(),
            (Lines{"SetVertexArray([2: (1, 2, 3), (-4, 0.5, 6)]) -> 1",
                   "CreatePrimitive(0x104, out primitive 1 {kind 0x104, material 0, count 0, indices [0]}) -> 1",
                   "ResizePrimitiveList(primitive 1 {kind 0x104, material 0, count 1, indices [3: 0, 0, 0]}, 1) -> 1",
                   "DrawPrimitive(primitive 1 {kind 0x104, material 0, count 1, indices [3: 0, 0, 1]}) -> 1",
                   "DrawPrimitive(unknown primitive) -> 0", "DestroyPrimitive(primitive 1) -> 1"}));
}

TEST_F(Recording, ProjectionValuesComeBackExactlyInBothOrders) {
  const Six odd{0.1f, -1e-7f, 3.0e-3f, 123.456f, -0.0f, 1e30f};
  ASSERT_EQ(r::SetProjection(rasterizer(), odd[0], odd[1], odd[2], odd[3], odd[4], odd[5]), kRTSuccess);
  ExpectSameBits(Projection(), odd);

  // The view volume: minimum corner (left, bottom, near), maximum corner (right, top, far).
  Six volume{};
  ASSERT_EQ(r::GetViewVolume(rasterizer(), &volume[0], &volume[1], &volume[2], &volume[3], &volume[4], &volume[5]),
            kRTSuccess);
  ExpectSameBits(volume, Six{odd[0], odd[4], odd[2], odd[3], odd[1], odd[5]});
  ASSERT_EQ(r::SetViewVolume(rasterizer(), volume[0], volume[3], volume[1], volume[4], volume[2], volume[5]),
            kRTSuccess);
  ExpectSameBits(Projection(), odd);

  // The orthographic mode keeps the values; a mode that is neither is refused.
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  EXPECT_EQ(r::SetProjectionMode(rasterizer(), 2), 0u);
  ExpectSameBits(Projection(), odd);
  uint32_t mode = 0;
  ASSERT_EQ(r::GetProjectionMode(rasterizer(), &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kOrthographic);
}

TEST_F(Recording, OneModeIsRememberedNotAStack) {
  uint32_t mode = 9;
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  ASSERT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
  ASSERT_EQ(r::GetProjectionMode(rasterizer(), &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kOrthographic) << "the remembered mode was the orthographic one";
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kPerspective), kRTSuccess);
  ASSERT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
  ASSERT_EQ(r::RestoreProjectionMode(rasterizer()), kRTSuccess);
  ASSERT_EQ(r::GetProjectionMode(rasterizer(), &mode), kRTSuccess);
  EXPECT_EQ(mode, r::kOrthographic);
}

TEST_F(Recording, PoppingTheViewEndsNoFrameAndALoneBatchEndDoesNothing) {
  BeginClearedFrame(0x000000);
  ScreenBox();
  RTFMatrix4x4 camera;
  kivo::Mat4Identity(&camera);
  StartRecording();
  ASSERT_EQ(r::PushViewMatrix(rasterizer(), &camera), kRTSuccess);
  ASSERT_EQ(r::PopViewMatrix(rasterizer()), kRTSuccess);
  EXPECT_EQ(r::PopViewMatrix(rasterizer()), 0u) << "nothing left to pop";
  EXPECT_EQ(r::PopWorldMatrix(rasterizer()), 0u);
  ASSERT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
  // The frame goes on: a quad drawn after the pops shows.
  ASSERT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchQuads), kRTSuccess);
  for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, {0.0f, 8.0f}, {8.0f, 8.0f}, {8.0f, 0.0f}})
    ASSERT_EQ(r::Vertex3(rasterizer(), x, y, 0.0f), kRTSuccess);
  ASSERT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
  const Lines lines = Recorded();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[2], "PopViewMatrix() -> 0");
  EXPECT_EQ(lines[4], "EndPrimitive() -> 1");
  const tesk::testing::Picture picture = Shoot();
  EXPECT_EQ(picture.At(4, 4), 0xFFFFFFu);
  EXPECT_EQ(picture.At(12, 4), 0x000000u);
}

TEST_F(Recording, TheWindowRecordNeverGivesAZeroSize) {
  uint32_t rect[r::kWindowRectWords] = {9, 9, 9, 9, 9};
  ASSERT_EQ(r::ResizeViewport(rasterizer(), 0, 0), kRTSuccess);
  ASSERT_EQ(r::GetWindowRect(rasterizer(), context(), rect), kRTSuccess);
  EXPECT_EQ(rect[r::kRectHeight], 1u);
  EXPECT_EQ(rect[r::kRectWidth], 1u);
  ASSERT_EQ(r::ResizeViewport(rasterizer(), 40, 30), kRTSuccess);
  ASSERT_EQ(r::GetWindowRect(rasterizer(), context(), rect), kRTSuccess);
  EXPECT_EQ((std::vector<uint32_t>(rect, rect + 5)), (std::vector<uint32_t>{0, 0, 0, 30, 40}));
  int stranger = 0;
  EXPECT_EQ(r::GetWindowRect(rasterizer(), &stranger, rect), 0u);
  r::WindowContext current = nullptr;
  ASSERT_EQ(r::GetCurrentWindow(rasterizer(), &current), kRTSuccess);
  EXPECT_EQ(current, context());
}

TEST_F(Recording, CameraIsCountedAndProgramsLoadWhereTheDriverHasThem) {
  kivo::InstanceRef camera;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, u"RTComponent", camera.out(), 0, 0), kRTSuccess);
  ASSERT_EQ(r::SetCurrentCamera(rasterizer(), camera.get()), kRTSuccess);
  kivo::InstanceRef current;
  ASSERT_EQ(r::GetCurrentCamera(rasterizer(), current.out()), kRTSuccess);
  EXPECT_EQ(current.get(), camera.get());
  camera.Reset();
  current.Reset();  // the rasterizer's own reference keeps it until it lets go
  ASSERT_EQ(r::SetCurrentCamera(rasterizer(), nullptr), kRTSuccess);

  uint32_t handle = 0;
  const char* vertexProgram = "!!ARBvp1.0\nMOV result.position, vertex.position;\nEND\n";
  ASSERT_EQ(r::LoadArbVertexProgram(rasterizer(), vertexProgram, &handle), kRTSuccess) << host_.ErrorLog();
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(r::EnableArbVertexProgram(rasterizer(), handle), kRTSuccess);
  EXPECT_EQ(r::EnableArbVertexProgram(rasterizer(), 0), kRTSuccess);
  EXPECT_EQ(r::EnableArbVertexProgram(rasterizer(), handle + 100), 0u) << "no program of that handle";
  uint32_t broken = 7;
  EXPECT_EQ(r::LoadArbFragmentProgram(rasterizer(), "!!ARBfp1.0\nNOPE;\nEND\n", &broken), 0u);
  EXPECT_EQ(broken, 0u);
  EXPECT_NE(host_.ErrorLog().find("LoadArbFragmentProgram()... the program does not load"), std::string::npos);
  uint32_t nv = 7;
  EXPECT_EQ(r::LoadNvVertexProgram(rasterizer(), "!!VP2.0\nEND\n", &nv), 0u);
  EXPECT_NE(host_.ErrorLog().find("LoadNvVertexProgram()... the driver has no GL_NV_vertex_program"),
            std::string::npos);
  EXPECT_EQ(r::EnableNvVertexProgram(rasterizer(), 0), kRTSuccess) << "switching off a kind the driver lacks";
}

}  // namespace

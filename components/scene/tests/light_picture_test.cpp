// Shadows in pictures drawn through the software rasterizer: a box floating over a floor, lit from
// above and to one side, seen from straight above. Its stencil shadow volume and its baked shadow
// both darken the floor beside it, away from the light, and leave the floor on the light's side
// as it was.
#include <cmath>

#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "kivo/material/material_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "mesh_fixture.h"
#include "scene_test.h"
#include "software_rasterizer.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace r = kivo::rasterizer;
namespace tree_calls = tesk::scene_tree;
using meshtest::Shape;
using meshtest::V;

// The camera 10 above the origin looking down, -z up the picture; its view is 0.25 wide a unit
// away either side of its axis, so the floor at depth 10 spans 9.6 pixels a unit across and down.
constexpr RTFMatrix4x4 kAbove{{{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}, {0, 10, 0, 1}}};
constexpr float kHalfView = 0.25f;
constexpr RTFVector3D kLight{3, 5, 0, 0};
// Floor points seen at (x, 24): x = -1.2 lies in the box's shadow, x = 1.5 in the light.
constexpr int kShadowX = 20;
constexpr int kLitX = 46;
constexpr int kRow = 24;
constexpr int kMargin = 100;

// The floor (-2, 0, -2) to (2, 0, 2) facing up.
Shape Floor() { return Shape{{V(-2, 0, -2), V(2, 0, -2), V(2, 0, 2), V(-2, 0, 2)}, {}, {{0, 3, 2, 0, 2, 1}}}; }

// The unit box from (-0.5, 0.5, -0.5) to (0.5, 1.5, 0.5), its strips after the shape's.
Shape WithBox(Shape shape) {
  const auto first = static_cast<uint32_t>(shape.vertices.size());
  const Shape box = meshtest::SplitBox();
  for (const RTFVector3D& v : box.vertices) shape.vertices.push_back(V(v.x - 0.5f, v.y + 0.5f, v.z - 0.5f));
  for (meshtest::Indices strip : box.strips) {
    for (uint32_t& index : strip) index += first;
    shape.strips.push_back(strip);
  }
  return shape;
}

int Red(uint32_t colour) { return static_cast<int>(colour >> 16); }

class LightPicture : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (std::string_view name :
         {"RTCamera", "RTPolyModel", "RTStaticLitMesh", "RTMaterial", "RTLight", "RTInfDirLight"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }

  void SetUp() override {
    SceneTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(window_.Open(host_));
  }

  void TearDown() override {
    held_.clear();
    window_.Close();
    SceneTest::TearDown();
  }

  RTInstance Held(InstanceRef made) {
    held_.push_back(std::move(made));
    return held_.back().get();
  }

  RTInstance Make(const char16_t* className) {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, made.out(), 0, 1), kRTSuccess);
    return Held(std::move(made));
  }

  RTInstance MeshOf(const char16_t* className, const Shape& shape) {
    RTInstance mesh = Make(className);
    meshtest::Fill(window_.rasterizer(), mesh, shape, {Make(material::kClassName)});
    return mesh;
  }

  RTInstance NodeAt(const char16_t* name, const RTFMatrix4x4& placement, RTInstance entity,
                    RTInstance parent = nullptr) {
    RTInstance node = Held(MakeNode(name, At(0, 0, 0), parent));
    EXPECT_EQ(scene_node::SetLocalMatrix(node, &placement), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(node, entity), kRTSuccess);
    return node;
  }

  tesk::testing::OffscreenWindow window_;
  std::vector<InstanceRef> held_;
};

// The box's volume counted into the stencil buffer, then every counted pixel painted black.
TEST_F(LightPicture, ABoxsShadowVolumeDarkensTheFloorBesideIt) {
  RTInstance rasterizer = window_.rasterizer();
  const RTFMatrix4x4 identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  const RTFMatrix4x4 lifted{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.5f, 0.5f, -0.5f, 1}}};
  RTInstance floor = MeshOf(poly_model::kClassName, Floor());
  RTInstance box = MeshOf(poly_model::kClassName, meshtest::SplitBox());
  RTInstance floorNode = NodeAt(u"Floor", identity, floor);
  RTInstance boxNode = NodeAt(u"Box", lifted, box);

  window_.BeginClearedFrame(0);
  ASSERT_EQ(r::PushViewMatrix(rasterizer, &kAbove), kRTSuccess);
  ASSERT_EQ(r::SetProjection(rasterizer, -kHalfView, -kHalfView, -1, kHalfView, kHalfView, -100), kRTSuccess);
  for (const auto& [mesh, node] : {std::pair{floor, floorNode}, {box, boxNode}}) {
    RTSceneNodeEntityFrameInformation frame{};
    frame.node = node;
    frame.rasterizer = rasterizer;
    frame.ambient = RTFColorRGB{0.6f, 0.6f, 0.6f, 1};
    ASSERT_EQ(renderable::ProcessFrame(mesh, 0, &frame), kRTSuccess) << host_.ErrorLog();
  }
  RTSceneNodeEntityFrameInformation frame{};
  frame.node = boxNode;
  frame.rasterizer = rasterizer;
  ASSERT_EQ(poly_model::CastShadowVolume(box, &frame, &kLight), kRTSuccess);
  ASSERT_EQ(r::SetCullMode(rasterizer, r::kCullBack), kRTSuccess);
  ASSERT_EQ(r::PopViewMatrix(rasterizer), kRTSuccess);

  ASSERT_EQ(r::EnableStencilTest(rasterizer, 1), kRTSuccess);
  ASSERT_EQ(r::SetStencilFunc(rasterizer, r::kNotEqual, 0, r::kAllStencilBits), kRTSuccess);
  ASSERT_EQ(r::EnableDepthTest(rasterizer, 0), kRTSuccess);
  ASSERT_EQ(r::EnableCulling(rasterizer, 0), kRTSuccess);
  ASSERT_EQ(r::SetColor(rasterizer, 0, 0, 0), kRTSuccess);
  window_.ScreenBox();
  ASSERT_EQ(r::BeginPrimitive(rasterizer, r::kBatchQuads), kRTSuccess);
  for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, {0.0f, 48.0f}, {64.0f, 48.0f}, {64.0f, 0.0f}})
    ASSERT_EQ(r::Vertex3(rasterizer, x, y, 0), kRTSuccess);
  ASSERT_EQ(r::EndPrimitive(rasterizer), kRTSuccess);
  ASSERT_EQ(r::EnableStencilTest(rasterizer, 0), kRTSuccess);
  ASSERT_EQ(r::EnableDepthTest(rasterizer, 1), kRTSuccess);
  const tesk::testing::Picture picture = window_.Shoot();

  EXPECT_EQ(picture.At(kShadowX, kRow), 0u) << "counted: inside the volume";
  EXPECT_GE(Red(picture.At(kLitX, kRow)) - Red(picture.At(kShadowX, kRow)), kMargin);
}

// The box is part of the room's own geometry, which is baked with a directional light shining
// straight down from where the volume's light stood, then drawn with its lightmaps.
TEST_F(LightPicture, TheBakedFloorIsBrighterInTheLightThanInTheBoxsShadow) {
  InstanceRef tree = MakeTree();
  RTInstance room = Held(MakeRoom(u"Ward", At(-5, -1, -5), At(5, 12, 5)));
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), room), kRTSuccess);
  RTInstance geometry = MeshOf(static_lit_mesh::kClassName, WithBox(Floor()));
  ASSERT_EQ(poly_model::ComputeShadowGeometry(geometry), kRTSuccess);
  const RTFMatrix4x4 identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  ASSERT_EQ(room::SetBoundsNode(room, NodeAt(u"Shell", identity, geometry, room)), kRTSuccess);
  RTInstance sun = Make(light::kInfDirLightClass);
  const RTFColorRGB colour{0.6f, 0.6f, 0.6f, 1};
  ASSERT_EQ(light::SetColor(sun, &colour), kRTSuccess);
  const RTFMatrix4x4 down{{{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}, {kLight.x, kLight.y, kLight.z, 1}}};
  ASSERT_EQ(room::AddLight(room, NodeAt(u"Sun", down, sun)), kRTSuccess);
  RTInstance lens = Make(camera::kClassName);
  ASSERT_EQ(camera::SetFieldOfView(lens, 2 * std::atan(kHalfView)), kRTSuccess);
  ASSERT_EQ(camera::SetClipPlanes(lens, 1, 100), kRTSuccess);
  RTInstance eye = NodeAt(u"Eye", kAbove, lens);
  ASSERT_EQ(room::AddNode(room, eye), kRTSuccess);

  ASSERT_EQ(tree_calls::EnableDesigning(tree.get(), 1), kRTSuccess);
  ASSERT_EQ(tree_calls::Prelight(tree.get()), kRTSuccess) << host_.ErrorLog();
  ASSERT_EQ(tree_calls::EnableDesigning(tree.get(), 0), kRTSuccess);
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree.get(), eye), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateTransforms(tree.get(), 0), kRTSuccess);
  window_.BeginClearedFrame(0);
  ASSERT_EQ(tree_calls::Render(tree.get()), kRTSuccess) << host_.ErrorLog();
  const tesk::testing::Picture picture = window_.Shoot();
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree.get(), nullptr), kRTSuccess);

  EXPECT_GE(Red(picture.At(kLitX, kRow)) - Red(picture.At(kShadowX, kRow)), kMargin)
      << std::hex << picture.At(kLitX, kRow) << " " << picture.At(kShadowX, kRow);
  EXPECT_NEAR(Red(picture.At(kLitX, kRow)), 51 + 153, 3) << "the ambient and the light";
}

}  // namespace

// Drawing a frame: the camera's view volume culling models in both projection modes, the lights a
// room gathers and the nearest a node is lit by, design mode's hidden kinds and the game's rings,
// and a frame whose room fails leaving neither the view matrix nor the deferred entries behind.
#include <algorithm>
#include <numbers>
#include <set>

#include "kivo/camera/camera_calls.h"
#include "kivo/material/material_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "mesh_fixture.h"
#include "scene_test.h"
#include "software_rasterizer.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace r = kivo::rasterizer;
namespace tree_calls = tesk::scene_tree;
namespace node_calls = kivo::tesk_scene_node;
using Names = std::set<std::u16string>;

constexpr char16_t kEntityClass[] = u"RTRecordingEntity";
constexpr char16_t kBrokenRoomClass[] = u"RTBrokenRoom";
constexpr uint32_t kHiddenKind = 1;

// What the pre-draw hook saw of each model drawn: the node and the lights it is lit by.
struct Drawn {
  std::u16string node;
  std::vector<std::u16string> lights;
};

class Render : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (std::string_view name :
         {"RTCamera", "RTParticleSystem", "RTPolyModel", "RTMaterial", "RTLight", "RTInfDirLight", "RTPointLight"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    host.InstallComponent(FixtureComponent("RTRecordingEntity"));
    host.InstallComponent(FixtureComponent("RTBrokenRoom"));
  }

  // A tree with one enabled room, and a camera node at the origin looking along -z with a
  // 90-degree field of view, near 1 and far 100.
  void SetUp() override {
    SceneTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(window_.Open(host_));
    tree_ = MakeTree();
    ward_ = MakeRoom(u"Ward", At(-200, -200, -200), At(200, 200, 200));
    ASSERT_EQ(tree_calls::AddRoom(tree_.get(), ward_.get()), kRTSuccess);
    camera_ = MakeNode(u"Camera", At(0, 0, 0));
    InstanceRef lens = Make(camera::kClassName);
    ASSERT_EQ(camera::SetFieldOfView(lens.get(), std::numbers::pi_v<float> / 2), kRTSuccess);
    ASSERT_EQ(camera::SetClipPlanes(lens.get(), 1.0f, 100.0f), kRTSuccess);
    ASSERT_EQ(scene_node::SetEntity(camera_.get(), lens.get()), kRTSuccess);
    ASSERT_EQ(room::AddNode(ward_.get(), camera_.get()), kRTSuccess);
    ASSERT_EQ(tree_calls::SetRenderCameraNode(tree_.get(), camera_.get()), kRTSuccess);
    gCurrent = this;
  }

  void TearDown() override {
    gCurrent = nullptr;
    if (tree_.get()) tree_calls::SetRenderCameraNode(tree_.get(), nullptr);
    held_.clear();
    camera_.Reset();
    ward_.Reset();
    tree_.Reset();
    window_.Close();
    SceneTest::TearDown();
  }

  InstanceRef Make(const char16_t* className) {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, made.out(), 0, 1), kRTSuccess);
    return made;
  }

  // A drawable node under `parent` (the ward's node list when null) whose entity is `entity`.
  RTInstance Place(const char16_t* name, RTFVector3D at, RTInstance entity, RTInstance parent = nullptr,
                   uint32_t stateWord = node_calls::kDrawBit) {
    InstanceRef node = MakeNode(name, at, parent);
    EXPECT_EQ(node_calls::SetStateWord(node.get(), stateWord), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(node.get(), entity), kRTSuccess);
    if (!parent) {
      EXPECT_EQ(room::AddNode(ward_.get(), node.get()), kRTSuccess);
    }
    held_.push_back(std::move(node));
    return held_.back().get();
  }

  // A particle system of radius 0.5 and box (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5), whose drawing
  // the pre-draw hook records.
  RTInstance Particles(const char16_t* name, RTFVector3D at, RTInstance parent = nullptr,
                       uint32_t stateWord = node_calls::kDrawBit) {
    InstanceRef system = Make(particle_system::kClassName);
    const RTFVector3D min = At(-0.5f, -0.5f, -0.5f), max = At(0.5f, 0.5f, 0.5f);
    EXPECT_EQ(particle_system::SetBounds(system.get(), 0.5f, &min, &max), kRTSuccess);
    EXPECT_EQ(renderable::SetPreDrawHook(system.get(), RecordDrawn, nullptr), kRTSuccess);
    return Place(name, at, system.get(), parent, stateWord);
  }

  // The unit square of meshtest::Quad() in a material of its own, translucent when asked.
  InstanceRef Square(bool translucent) {
    InstanceRef material = Make(material::kClassName);
    EXPECT_EQ(material::SetAlpha(material.get(), translucent ? 1 : 0), kRTSuccess);
    InstanceRef square = Make(poly_model::kClassName);
    meshtest::Fill(window_.rasterizer(), square.get(), meshtest::Quad(), {material.get()});
    held_.push_back(std::move(material));
    return square;
  }

  // A light node of the ward (its entity records its drawing).
  RTInstance Light(const char16_t* name, RTFVector3D at) {
    InstanceRef node = MakeNode(name, at);
    InstanceRef entity = Make(kEntityClass);
    EXPECT_EQ(scene_node::SetEntity(node.get(), entity.get()), kRTSuccess);
    EXPECT_EQ(room::AddLight(ward_.get(), node.get()), kRTSuccess);
    held_.push_back(std::move(node));
    return held_.back().get();
  }

  // Updates the transforms and draws one frame; Render's answer.
  RTSuccess Frame() {
    drawn_.clear();
    EXPECT_EQ(tree_calls::UpdateTransforms(tree_.get(), 0), kRTSuccess);
    window_.BeginClearedFrame(0);
    const RTSuccess answer = tree_calls::Render(tree_.get());
    EXPECT_EQ(r::EndScene(window_.rasterizer()), kRTSuccess);
    EXPECT_EQ(r::PresentFrame(window_.rasterizer()), kRTSuccess);
    return answer;
  }

  Names DrawnNames() const {
    Names names;
    for (const Drawn& d : drawn_) names.insert(d.node);
    return names;
  }

  static RTSuccess RecordDrawn(RTInstance, RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation* frame,
                               uint32_t*) {
    Drawn drawn{gCurrent->NameOf(frame->node), {}};
    for (uint32_t i = 0; i < frame->lightCount; ++i) drawn.lights.push_back(gCurrent->NameOf(frame->lights[i]));
    gCurrent->drawn_.push_back(drawn);
    return kRTSuccess;
  }

  static inline Render* gCurrent = nullptr;  // the hook's way back to the running test

  tesk::testing::OffscreenWindow window_;
  InstanceRef tree_, ward_, camera_;
  std::vector<InstanceRef> held_;
  std::vector<Drawn> drawn_;
};

// The view volume in both modes: the 64 x 48 window widens x by 4/3, so at depth 10 the left
// plane stands at x = -13.3 in perspective, and at x = -1.33 at any depth in parallel projection.
TEST_F(Render, TheCameraLooksAlongMinusZAndCullsModelsOutsideItsVolume) {
  Particles(u"Ahead", At(0, 0, -10));
  Particles(u"Behind", At(0, 0, 10));
  Particles(u"Left", At(-30, 0, -10));
  Particles(u"Right", At(30, 0, -10));
  Particles(u"Below", At(0, -30, -10));
  Particles(u"Above", At(0, 30, -10));
  Particles(u"BeyondFar", At(0, 0, -150));
  Particles(u"OnThePerspectiveLeftPlane", At(-40.0f / 3, 0, -10));
  Particles(u"OnTheParallelLeftPlane", At(-4.0f / 3, 0, -10));
  RTInstance culledParent = Particles(u"CulledParent", At(0, 0, 10));
  Particles(u"ChildAhead", At(0, 0, -20), culledParent);
  struct Mode {
    uint32_t projection;
    Names drawn;
  };
  const Mode modes[] = {
      {r::kPerspective, {u"Ahead", u"OnThePerspectiveLeftPlane", u"OnTheParallelLeftPlane", u"ChildAhead"}},
      {r::kOrthographic, {u"Ahead", u"OnTheParallelLeftPlane", u"ChildAhead"}},
  };
  for (const Mode& mode : modes) {
    SCOPED_TRACE(mode.projection);
    ASSERT_EQ(r::SetProjectionMode(window_.rasterizer(), mode.projection), kRTSuccess);
    ASSERT_EQ(Frame(), kRTSuccess) << host_.DebugLog();
    EXPECT_EQ(DrawnNames(), mode.drawn);
  }
}

TEST_F(Render, FailsWithoutACameraToDrawFrom) {
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree_.get(), nullptr), kRTSuccess);
  EXPECT_EQ(Frame(), kRTFailure);
  InstanceRef notACamera = Make(kEntityClass);
  RTInstance node = Place(u"NotACamera", At(0, 0, 0), notACamera.get());
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree_.get(), node), kRTSuccess);
  window_.StartRecording();
  EXPECT_EQ(Frame(), kRTFailure);
  const std::vector<std::string> calls = window_.Recorded();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("Push"); }), 0)
      << "nothing pushed before the camera is known";
}

// The room stage draws every light node but records ten; a model is lit by the nearest three of
// those ten. The room's bounds (a bare entity's box, the point at the origin) are in view from 5
// along z.
TEST_F(Render, ARoomRecordsTenLightsAndAModelTakesTheNearestThree) {
  RTFMatrix4x4 placement;
  Mat4Identity(&placement);
  Mat4SetTranslation(&placement, At(0, 0, 5));
  ASSERT_EQ(scene_node::SetLocalMatrix(camera_.get(), &placement), kRTSuccess);
  InstanceRef bounds = MakeNode(u"Bounds", At(0, 0, 0), ward_.get());
  InstanceRef shell = Make(kEntityClass);
  ASSERT_EQ(scene_node::SetEntity(bounds.get(), shell.get()), kRTSuccess);
  ASSERT_EQ(room::SetBoundsNode(ward_.get(), bounds.get()), kRTSuccess);
  const float distances[] = {5, 3, 9, 1, 7, 2, 10, 4, 8, 6};
  for (float distance : distances)
    Light((u"Light" + std::u16string(1, u'A' + static_cast<char16_t>(distance))).c_str(), At(distance, 0, -10));
  Light(u"Eleventh", At(0.5f, 0, -10));
  Particles(u"Cot", At(0, 0, -10));

  ASSERT_EQ(Frame(), kRTSuccess) << host_.DebugLog();
  EXPECT_EQ(Occurrences("ProcessFrame(Light"), 10u);
  EXPECT_EQ(Occurrences("ProcessFrame(Eleventh"), 1u) << "drawn, though not recorded";
  EXPECT_EQ(Occurrences("ProcessFrame(Eleventh, lights 10, deferred 0)"), 1u);
  EXPECT_EQ(Occurrences(", lights 10, deferred 0)"), 2u) << "the eleventh light's and the room's own draw";
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].lights, (std::vector<std::u16string>{u"LightB", u"LightC", u"LightD"}));
}

// Design mode draws every node, hiding kind 1 unless designing flag bit 0 shows it; the game's
// rings are drawn only outside it.
TEST_F(Render, DesignModeDrawsEveryNodeButHidesKindOne) {
  Particles(u"Plain", At(0, 0, -10), nullptr, 0);
  Particles(u"Drawn", At(1, 0, -10));
  Particles(u"Hidden", At(-1, 0, -10), nullptr, node_calls::WithKind(node_calls::kDrawBit, kHiddenKind));
  struct Case {
    RTBool designing;
    uint32_t flags;
    Names drawn;
    size_t rings;
  };
  const Case cases[] = {
      {0, 0, {u"Drawn", u"Hidden"}, 1},
      {1, 0, {u"Plain", u"Drawn"}, 0},
      {1, 1, {u"Plain", u"Drawn", u"Hidden"}, 0},
  };
  size_t ringsBefore = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "designing " << c.designing << ", flags " << c.flags);
    ASSERT_EQ(tree_calls::EnableDesigning(tree_.get(), c.designing), kRTSuccess);
    ASSERT_EQ(tree_calls::SetDesigningFlags(tree_.get(), c.flags), kRTSuccess);
    ASSERT_EQ(Frame(), kRTSuccess);
    EXPECT_EQ(DrawnNames(), c.drawn);
    const size_t rings = Occurrences("RTTeskGame.RenderAOI()");
    EXPECT_EQ(rings - ringsBefore, c.rings);
    ringsBefore = rings;
  }
}

// A model's hooks are fetched with their contexts whether it is drawn or culled; none is kept.
TEST_F(Render, HookContextsAreGivenBackForDrawnAndCulledModels) {
  InstanceRef context = Make(kEntityClass);
  const uint32_t before = RefCount(context.get());
  for (RTInstance node : {Particles(u"Ahead", At(0, 0, -10)), Particles(u"Behind", At(0, 0, 10))}) {
    InstanceRef entity;
    ASSERT_EQ(scene_node::GetEntity(node, entity.out()), kRTSuccess);
    ASSERT_EQ(renderable::SetPreDrawHook(entity.get(), RecordDrawn, context.get()), kRTSuccess);
    ASSERT_EQ(renderable::SetPostDrawHook(entity.get(), RecordDrawn, context.get()), kRTSuccess);
  }
  ASSERT_EQ(Frame(), kRTSuccess);
  EXPECT_EQ(drawn_.size(), 2u) << "the drawn model's pre- and post-draw hooks";
  EXPECT_EQ(RefCount(context.get()), before);
}

// A translucent mesh of the ward is deferred before the broken room's node list fails: the frame
// fails, the view matrix pushed is popped, and the deferred entry's reference is given back.
TEST_F(Render, AFailingRoomStillPopsTheViewAndGivesBackTheDeferred) {
  InstanceRef pane = Square(true);
  RTInstance window = Place(u"Window", At(0, 0, -10), pane.get());
  InstanceRef broken = MakeRoom(u"Broken", At(300, 0, 300), At(310, 10, 310), nullptr, kBrokenRoomClass);
  ASSERT_EQ(tree_calls::UpdateTransforms(tree_.get(), 0), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), broken.get()), kRTSuccess);
  const uint32_t before = RefCount(window);

  window_.StartRecording();
  window_.BeginClearedFrame(0);
  EXPECT_EQ(tree_calls::Render(tree_.get()), kRTFailure);
  EXPECT_EQ(tree_calls::Render(tree_.get()), kRTFailure);
  const std::vector<std::string> calls = window_.Recorded();
  const auto count = [&](std::string_view call) {
    return std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.starts_with(call); });
  };
  EXPECT_EQ(count("PushViewMatrix("), 2);
  EXPECT_EQ(count("PopViewMatrix("), 2);
  EXPECT_EQ(RefCount(window), before);
}

// The calls of a frame, stage by stage, for a ward with a floor (its bounds mesh), a cot, a
// translucent window and two lights: each mesh's draw begins with loading its node's world matrix
// (PushWorldMatrix), the floor's with the identity of the room's own record. The lights reach the cot
// and the window; the window is drawn again, deferred, with no light.
TEST_F(Render, AFrameDrawsTheRoomsThenTheNodesThenTheDeferred) {
  RTFMatrix4x4 back;  // the floor, in the room's own space at the origin, in view
  Mat4Identity(&back);
  Mat4SetTranslation(&back, At(0, 0, 5));
  ASSERT_EQ(scene_node::SetLocalMatrix(camera_.get(), &back), kRTSuccess);
  InstanceRef floor = Square(false);
  InstanceRef bounds = MakeNode(u"Bounds", At(0, 0, 0), ward_.get());
  ASSERT_EQ(scene_node::SetEntity(bounds.get(), floor.get()), kRTSuccess);
  ASSERT_EQ(room::SetBoundsNode(ward_.get(), bounds.get()), kRTSuccess);
  InstanceRef cot = Square(false), pane = Square(true), sun = Make(u"RTInfDirLight"), lamp = Make(u"RTPointLight");
  ASSERT_EQ(renderable::SetPreDrawHook(cot.get(), RecordDrawn, nullptr), kRTSuccess);
  Place(u"Cot", At(0, 0, -10), cot.get());
  RTInstance window = Place(u"Window", At(1, 0, -10), pane.get());
  ASSERT_EQ(scene_node::SetEntity(Light(u"Sun", At(0, 5, -10)), sun.get()), kRTSuccess);
  ASSERT_EQ(scene_node::SetEntity(Light(u"Lamp", At(2, 2, -10)), lamp.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateTransforms(tree_.get(), 0), kRTSuccess);
  const uint32_t windowCount = RefCount(window);
  const size_t ringsBefore = Occurrences("RTTeskGame.RenderAOI()");

  window_.BeginClearedFrame(0);
  window_.StartRecording();
  ASSERT_EQ(tree_calls::Render(tree_.get()), kRTSuccess);
  // Each mesh's draw begins by pushing its node's world matrix, whose last row tells them apart.
  const auto whose = [](const std::string& push) {
    return push.ends_with(" 0, 0, 0, 1]) -> 1")     ? "floor"
           : push.ends_with(" 0, 0, -10, 1]) -> 1") ? "cot"
           : push.ends_with(" 1, 0, -10, 1]) -> 1") ? "window"
                                                    : "?";
  };
  std::vector<std::string> stages;
  for (const std::string& call : window_.Recorded()) {
    if (call.starts_with("PushViewMatrix") || call.starts_with("PopViewMatrix") || call.starts_with("SetProjection(") ||
        call.starts_with("EnableBlending(1)"))
      stages.push_back(call.substr(0, call.find('(')));
    if (call.starts_with("PushWorldMatrix(")) stages.push_back(whose(call));
    if (call.starts_with("SetColorFromArray(")) stages.push_back("ambient " + call.substr(call.find('[')));
  }
  EXPECT_EQ(stages, (std::vector<std::string>{
                        "PushViewMatrix", "SetProjection", "floor", "ambient [3: 0.4, 0.4, 0.4]) -> 1", "cot",
                        "ambient [3: 0.2, 0.2, 0.2]) -> 1", "window", "ambient [3: 0.2, 0.2, 0.2]) -> 1", "window",
                        "ambient [3: 0.4, 0.4, 0.4]) -> 1", "EnableBlending", "PopViewMatrix"}));
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].lights, (std::vector<std::u16string>{u"Lamp", u"Sun"})) << "both lights, the nearer first";
  EXPECT_EQ(Occurrences("RTTeskGame.RenderAOI()") - ringsBefore, 1u);
  EXPECT_EQ(RefCount(window), windowCount) << "the deferred entry given back";
  ASSERT_EQ(r::EndScene(window_.rasterizer()), kRTSuccess);
}

// The camera convention on screen: a square ahead of the camera covers the middle of the picture;
// the same square behind the camera leaves the picture empty.
TEST_F(Render, ASquareAheadFillsTheMiddleAndOneBehindIsNotSeen) {
  InstanceRef square = Square(false);
  RTInstance node = Place(u"Square", At(-0.5f, -0.5f, -2), square.get());
  ASSERT_EQ(Frame(), kRTSuccess);
  window_.BeginClearedFrame(0);
  ASSERT_EQ(tree_calls::Render(tree_.get()), kRTSuccess);
  tesk::testing::Picture ahead = window_.Shoot();
  constexpr int kMiddleX = tesk::testing::OffscreenWindow::kWidth / 2;
  constexpr int kMiddleY = tesk::testing::OffscreenWindow::kHeight / 2;
  EXPECT_NE(ahead.At(kMiddleX, kMiddleY), 0x000000u);
  EXPECT_EQ(ahead.At(1, 1), 0x000000u) << "a unit square 2 ahead does not reach the corners";

  RTFMatrix4x4 behind;
  Mat4Identity(&behind);
  Mat4SetTranslation(&behind, At(-0.5f, -0.5f, 2));
  ASSERT_EQ(scene_node::SetLocalMatrix(node, &behind), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateTransforms(tree_.get(), 0), kRTSuccess);
  window_.BeginClearedFrame(0);
  ASSERT_EQ(tree_calls::Render(tree_.get()), kRTSuccess);
  EXPECT_EQ(window_.Shoot().CountOther(0x000000, 0, 0, tesk::testing::OffscreenWindow::kWidth,
                                       tesk::testing::OffscreenWindow::kHeight),
            0);
}

}  // namespace

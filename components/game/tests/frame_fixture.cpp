#include "frame_fixture.h"

#include "kivo/camera/camera_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace gametest {

namespace {

constexpr std::string_view kSceneComponents[] = {"RTEditable",    "RTRenderable",    "RTSceneNode", "RTTeskSceneNode",
                                                 "RTBrellinRoom", "RTTeskSceneTree", "RTCamera"};
constexpr float kLensFieldOfView = 0.698132f;

}  // namespace

void FrameTest::InstallMore(tesk::testing::CoreHost& host) {
  GameTest::InstallMore(host);
  for (std::string_view name : kSceneComponents) host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

void FrameTest::SetUp() {
  GameTest::SetUp();
  if (HasFatalFailure()) return;
  GiveWindow(0, kScreenWidth, kScreenHeight);
  tesk::game::GamePrivateData& game = record();
  // What Startup would give the frame: the rasterizer (one reference, the record's), a window and
  // the world lists.
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, &game.rasterizer, 1, nullptr));
  game.windowContext = context();
  game.windowHandle = context();
  ASSERT_TRUE(kivo::ListCreate(&game.lists.actorList));
  gameObject_ = NewProbe();
  game.gameObject = gameObject_;
  game.vm = vm();
  game.ScreenMode = 0;
}

void FrameTest::TearDown() {
  tesk::game::GamePrivateData& game = record();
  // Borrowed: the tree and the nodes are the test's.
  game.sceneTree = nullptr;
  game.environment.cameraNode = nullptr;
  game.environment.cameraLens = nullptr;
  if (game.lists.actorList) kivo::ListClear(game.lists.actorList);
  game.cameraAttachWrapper = game.patientTipWrapper = game.doctorTipWrapper = nullptr;
  nodes_.clear();
  lens_.Reset();
  cameraNode_.Reset();
  tree_.Reset();
  GameTest::TearDown();
  wrappers_.clear();
}

void FrameTest::MakeWorld() {
  // The tree holds the game: the game holding the tree would keep both alive.
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, tree_.out(), 0, 1));
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::scene_node::kClassName, cameraNode_.out(), 0, 0));
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::camera::kClassName, lens_.out(), 0, 0));
  ASSERT_TRUE(kivo::scene_node::SetEntity(cameraNode_.get(), lens_.get()));
  tesk::game::GamePrivateData& game = record();
  game.sceneTree = tree_.get();
  game.environment.cameraNode = cameraNode_.get();
  game.environment.cameraLens = lens_.get();
  game.environment.fieldOfView = kLensFieldOfView;
}

RTTeskActorWrapper* FrameTest::MakeWrapper(float x, float y, float z) {
  auto wrapper = std::make_unique<RTTeskActorWrapper>();
  kivo::InstanceRef& node = nodes_.emplace_back();
  EXPECT_TRUE(core().CreateInstanceByString(nullptr, kivo::scene_node::kClassName, node.out(), 0, 0));
  wrapper->RootNode = node.get();
  MoveNode(node.get(), x, y, z);
  return wrappers_.emplace_back(std::move(wrapper)).get();
}

RTTeskActorWrapper* FrameTest::AddActorAt(float x, float y, float z) {
  RTTeskActorWrapper* wrapper = MakeWrapper(x, y, z);
  EXPECT_TRUE(kivo::ListAppend(record().lists.actorList, wrapper));
  return wrapper;
}

void FrameTest::MoveNode(RTInstance node, float x, float y, float z) {
  const RTFVector3D at{x, y, z, 1.0f};
  EXPECT_TRUE(kivo::scene_node::SetTranslation(node, &at));
}

RTFMatrix4x4 FrameTest::CameraPlacement() {
  const RTFMatrix4x4* local = nullptr;
  EXPECT_TRUE(kivo::scene_node::GetLocalMatrix(cameraNode_.get(), &local));
  return local ? *local : RTFMatrix4x4{};
}

RTSuccess FrameTest::Render() { return kivo::CallMethod(game(), tesk::game::kLevel, tesk::game::kRenderC); }

std::vector<std::string> FrameTest::RecordFrame(RTSuccess* result) {
  StartRecording();
  const RTSuccess rendered = Render();
  if (result) *result = rendered;
  return Recorded();
}

}  // namespace gametest

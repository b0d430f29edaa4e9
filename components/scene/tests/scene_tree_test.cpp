// The scene tree's construction, its properties and the instances it holds beside its rooms.
#include <cstring>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "scene_test.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;

constexpr char kAudioWarning[] = "[WARNING] Cannot initialize audio service!";

using SceneTree = SceneTest;

TEST_F(SceneTree, StartsWithItsDefaultsAndWarnsOnceWithoutAudio) {
  InstanceRef tree = MakeTree();
  EXPECT_EQ(Occurrences(kAudioWarning), 1u);
  EXPECT_FLOAT_EQ(Property<float>(tree.get(), tree_calls::kLightmapRezProperty), 0.15f);
  EXPECT_EQ(Property<uint32_t>(tree.get(), tree_calls::kStochasticSamplesProperty), 0u);
  const auto ambient = Property<RTFColorRGB>(tree.get(), tree_calls::kAmbientColorProperty);
  EXPECT_EQ((std::vector<float>{ambient.r, ambient.g, ambient.b, ambient.a}),
            (std::vector<float>{0.2f, 0.2f, 0.2f, 0.0f}));
  EXPECT_EQ(Property<RTBool>(tree.get(), tree_calls::kFilterLightmapProperty), 1u);
  uint32_t flags = 0;
  EXPECT_EQ(tree_calls::GetDesigningFlags(tree.get(), &flags), kRTSuccess);
  EXPECT_EQ(flags, 7u);
  RTPropertyRecord* property = nullptr;
  EXPECT_EQ(core().FindProperty(nullptr, tree.get(), tree_calls::kAmbientColorProperty, &property), kRTSuccess);
  EXPECT_EQ(property->typeCode, 0x800b0404u);

  const RTFColorRGB colour{0.25f, 0.5f, 0.75f, 1.0f};
  SetProperty(tree.get(), tree_calls::kAmbientColorProperty, colour);
  const auto back = Property<RTFColorRGB>(tree.get(), tree_calls::kAmbientColorProperty);
  EXPECT_EQ(std::memcmp(&back, &colour, sizeof colour), 0) << "all 16 bytes";

  RTInstance camera = nullptr;
  EXPECT_EQ(tree_calls::GetRenderCameraNode(tree.get(), &camera), kRTSuccess);
  EXPECT_EQ(camera, nullptr);
  const auto* state =
      static_cast<tesk::scene_tree::SceneTreeState*>(Word(ComponentObject(tree.get()), tesk::scene_tree::kStateWord));
  EXPECT_EQ(core().IsKindOfByName(nullptr, state->dummyNode, u"RTSceneNode"), 1u);
  EXPECT_EQ(state->audioService, nullptr);
  EXPECT_EQ(Occurrences(kAudioWarning), 1u);
}

TEST_F(SceneTree, HoldsOneReferenceOnEachNodeItIsGiven) {
  InstanceRef tree = MakeTree();
  InstanceRef camera = MakeNode(u"Camera", At(0, 0, 0));
  InstanceRef project = MakeNode(u"Project", At(0, 0, 0));
  InstanceRef filter = MakeNode(u"Filter", At(0, 0, 0));
  InstanceRef listener = MakeNode(u"Listener", At(1, 2, 3));
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree.get(), camera.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree.get(), camera.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::SetEditorProject(tree.get(), project.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::SetHitTestFilter(tree.get(), filter.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::SetListenerNode(tree.get(), listener.get()), kRTSuccess);
  for (RTInstance held : {camera.get(), project.get(), filter.get(), listener.get()}) EXPECT_EQ(RefCount(held), 2u);

  // GetRenderCameraNode gives up what the caller's variable holds before handing out the camera.
  RTInstance out = nullptr;
  ASSERT_EQ(tree_calls::GetRenderCameraNode(tree.get(), &out), kRTSuccess);
  EXPECT_EQ(out, camera.get());
  ASSERT_EQ(tree_calls::GetRenderCameraNode(tree.get(), &out), kRTSuccess);
  EXPECT_EQ(RefCount(camera.get()), 3u) << "the tree's and the caller's one";
  core().ReleaseInstance(nullptr, out);

  RTInstance gotProject = nullptr;
  ASSERT_EQ(tree_calls::GetEditorProject(tree.get(), &gotProject), kRTSuccess);
  EXPECT_EQ(gotProject, project.get());
  core().ReleaseInstance(nullptr, gotProject);

  ASSERT_EQ(tree_calls::SetRenderCameraNode(tree.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(camera.get()), 1u);
  tree.Reset();
  for (RTInstance held : {project.get(), filter.get(), listener.get()}) EXPECT_EQ(RefCount(held), 1u);
}

TEST_F(SceneTree, KeepsItsLightmapSettings) {
  InstanceRef tree = MakeTree();
  float rez = 0;
  ASSERT_EQ(tree_calls::SetLightmapRez(tree.get(), 0.5f), kRTSuccess);
  ASSERT_EQ(tree_calls::GetLightmapRez(tree.get(), &rez), kRTSuccess);
  EXPECT_EQ(rez, 0.5f);
  EXPECT_EQ(tree_calls::EnableStochasticLightingMode(tree.get(), 6, 0), kRTSuccess);
  EXPECT_EQ(Property<uint32_t>(tree.get(), tree_calls::kStochasticSamplesProperty), 0u) << "switched off: not kept";
  EXPECT_EQ(tree_calls::EnableStochasticLightingMode(tree.get(), 6, 1), kRTSuccess);
  EXPECT_EQ(Property<uint32_t>(tree.get(), tree_calls::kStochasticSamplesProperty), 6u);
  EXPECT_EQ(tree_calls::EnableStochasticLightingMode(tree.get(), 6, 0), kRTSuccess);
  EXPECT_EQ(Property<uint32_t>(tree.get(), tree_calls::kStochasticSamplesProperty), 0u) << "switched off: single samples";
}

// The stand-in for the game that the scene's tests and tools load answers what scenes ask of it.
TEST_F(SceneTree, TheGameStandInAnswersTheScenesCalls) {
  InstanceRef game;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, tesk::game::kClassName, game.out(), 1, nullptr), kRTSuccess);
  varno::RTVarnoVM* vm = reinterpret_cast<varno::RTVarnoVM*>(&game);
  ASSERT_EQ(CallMethod(game.get(), tesk::game::kLevel, tesk::game::kGetVM, &vm), kRTSuccess);
  EXPECT_EQ(vm, nullptr);
  int scriptVM = 0;
  ASSERT_EQ(tesk::game_standin::SetVM(game.get(), &scriptVM), kRTSuccess);
  ASSERT_EQ(CallMethod(game.get(), tesk::game::kLevel, tesk::game::kGetVM, &vm), kRTSuccess);
  EXPECT_EQ(static_cast<void*>(vm), &scriptVM);

  InstanceRef tree = MakeTree();
  ASSERT_EQ(tesk::game_standin::SetSceneTree(game.get(), tree.get()), kRTSuccess);
  InstanceRef got;
  ASSERT_EQ(CallMethod(game.get(), tesk::game::kLevel, tesk::game::kGetSceneTree, got.out()), kRTSuccess);
  EXPECT_EQ(got.get(), tree.get());
  EXPECT_EQ(RefCount(tree.get()), 3u) << "the test's, the game's and the answer's";
  got.Reset();
  ASSERT_EQ(tesk::game_standin::SetSceneTree(game.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(tree.get()), 1u);
  ASSERT_EQ(CallMethod(game.get(), tesk::game::kLevel, tesk::game::kRenderAOI, RTInstance{}), kRTSuccess);
  EXPECT_TRUE(Logged("RTTeskGame.RenderAOI()"));
}

class SceneTreeWithoutGame : public SceneTree {
 protected:
  bool WithGame() const override { return false; }
};

TEST_F(SceneTreeWithoutGame, IsNotMadeAndLeavesNothingBehind) {
  MakeTree().Reset();  // the classes stay loaded from their first use on
  const auto before = MemoryStats();
  InstanceRef tree = MakeTree();
  uint32_t count = 0;
  EXPECT_EQ(tree_calls::GetRoomCount(tree.get(), &count), kRTFailure) << "a tree without state";
  EXPECT_TRUE(Logged("RTTeskSceneTree::SceneTreeConstruct(): the RTTeskGame singleton is missing"));
  RTInstance rasterizer = nullptr;
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, rasterizer::kClassName, &rasterizer, 0, nullptr), kRTFailure)
      << "the rasterizer singleton it made is gone again";
  tree.Reset();
  EXPECT_EQ(MemoryStats(), before);
}

class SceneTreeWithAudio : public SceneTree {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    host.InstallComponent(FixtureComponent("RTFMODAudioService"));
  }
};

TEST_F(SceneTreeWithAudio, HandsTheListenerToTheAudioServiceButNeverANullOne) {
  InstanceRef audio;  // the singleton lives while the test holds it
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, u"RTFMODAudioService", audio.out(), 1, nullptr), kRTSuccess);
  InstanceRef tree = MakeTree();
  EXPECT_FALSE(Logged(kAudioWarning));
  InstanceRef listener = MakeNode(u"Listener", At(1, 2, 3));
  ASSERT_EQ(tree_calls::SetListenerNode(tree.get(), listener.get()), kRTSuccess);
  EXPECT_EQ(Occurrences("RTFMODAudioService.SetListenerMatrix(1.0, 2.0, 3.0)"), 1u);
  ASSERT_EQ(tree_calls::SetListenerNode(tree.get(), nullptr), kRTSuccess);
  EXPECT_EQ(Occurrences("RTFMODAudioService.SetListenerMatrix("), 1u) << "the service keeps its listener";
  EXPECT_EQ(RefCount(listener.get()), 1u);
}

}  // namespace

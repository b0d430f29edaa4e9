// The small-scene stand-ins: the plain scene tree (its root, next setting and stream, and its
// subtree placed and drawn from a render camera), a scene node's Euler angles and modifiers, a
// rigid player copied into another and emptied, and the sphere marker.
#include <cmath>

#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/scene/sphere_calls.h"
#include "kivo/support/component_calls.h"
#include "scene_test.h"

namespace {

using namespace scenetest;
using namespace kivo;

class SmallScenes : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTSceneTree", "RTSphere", "RTRigid", "RTCamera", "RTLight", "RTInfDirLight", "RTAnimTrack"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    host.InstallComponent(FixtureComponent("RTRecordingEntity"));
  }
  InstanceRef Make(const char16_t* className, RTInstance parent = nullptr) {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(parent, className, made.out(), 0, 1), kRTSuccess);
    return made;
  }
};

TEST_F(SmallScenes, APlainTreeHoldsItsRootAndStreamsItByPath) {
  InstanceRef tree = Make(plain_scene_tree::kClassName);
  InstanceRef root = MakeNode(u"head-root", At(0, 0, 0));
  const uint32_t references = RefCount(root.get());
  ASSERT_EQ(plain_scene_tree::SetRootNode(tree.get(), root.get()), kRTSuccess);
  ASSERT_EQ(plain_scene_tree::SetNextSetting(tree.get(), 7), kRTSuccess);
  EXPECT_EQ(RefCount(root.get()), references + 1);
  InstanceRef sphere = Make(sphere::kClassName);
  EXPECT_EQ(plain_scene_tree::SetRootNode(tree.get(), sphere.get()), kRTFailure) << "no scene node";

  const std::string bytes = U32(1) + WString(u"Root:head-root") + U32(7);
  EXPECT_EQ(StreamedOut(tree.get()).substr(StreamedOut(tree.get()).size() - bytes.size()), bytes);
  InstanceRef copy = Make(plain_scene_tree::kClassName);
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(bytes).get()), kRTSuccess);
  InstanceRef found;
  ASSERT_EQ(plain_scene_tree::GetRootNode(copy.get(), found.out()), kRTSuccess);
  EXPECT_EQ(found.get(), root.get());
  uint32_t setting = 0;
  ASSERT_EQ(plain_scene_tree::GetNextSetting(copy.get(), &setting), kRTSuccess);
  EXPECT_EQ(setting, 7u);

  ASSERT_EQ(plain_scene_tree::SetRootNode(tree.get(), nullptr), kRTSuccess);
  found.Reset();
  copy.Reset();
  EXPECT_EQ(RefCount(root.get()), references) << "every hold was given back";
}

TEST_F(SmallScenes, ADamagedPlainTreeStreamLeavesTheTreeAsItWas) {
  InstanceRef tree = Make(plain_scene_tree::kClassName);
  ASSERT_EQ(plain_scene_tree::SetNextSetting(tree.get(), 3), kRTSuccess);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a newer version", U32(2) + WString(u"") + U32(0)},
      {"the path cut short", U32(1) + U32(40) + "R"},
      {"no setting", U32(1) + WString(u"Root:x")},
      {"nothing", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(component::StreamIn(tree.get(), component::kStreamWhole, StreamOf(c.bytes).get()), kRTFailure) << c.what;
    uint32_t setting = 0;
    plain_scene_tree::GetNextSetting(tree.get(), &setting);
    EXPECT_EQ(setting, 3u) << c.what;
  }
  EXPECT_EQ(Occurrences("RTSceneTree::StreamIn(): the scene tree's stream is damaged; the tree is left as it was"),
            std::size(cases));
}

TEST_F(SmallScenes, APlainTreePlacesItsSubtreeAndDrawsItFromTheRenderCamera) {
  InstanceRef tree = Make(plain_scene_tree::kClassName);
  InstanceRef root = MakeNode(u"head-root", At(1, 0, 0));
  InstanceRef face = MakeNode(u"face", At(0, 2, 0), root.get());
  InstanceRef lamp = MakeNode(u"lamp", At(0, 0, 5), face.get());
  InstanceRef eye = MakeNode(u"eye", At(0, 0, 10), root.get());
  InstanceRef entity = Make(u"RTRecordingEntity");
  InstanceRef light = Make(light::kInfDirLightClass);
  InstanceRef lens = Make(camera::kClassName);
  ASSERT_EQ(scene_node::SetEntity(face.get(), entity.get()), kRTSuccess);
  ASSERT_EQ(scene_node::SetEntity(lamp.get(), light.get()), kRTSuccess);
  ASSERT_EQ(scene_node::SetEntity(eye.get(), lens.get()), kRTSuccess);
  InstanceRef rasterizer;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer.out(), 1, nullptr), kRTSuccess);

  EXPECT_EQ(plain_scene_tree::Update(tree.get(), 1500, 0), kRTFailure) << "no root";
  ASSERT_EQ(plain_scene_tree::SetRootNode(tree.get(), root.get()), kRTSuccess);
  EXPECT_EQ(plain_scene_tree::Render(tree.get()), kRTFailure) << "no render camera";
  ASSERT_EQ(plain_scene_tree::Update(tree.get(), 1500, 0), kRTSuccess);
  const RTFMatrix4x4* world = nullptr;
  ASSERT_EQ(scene_node::GetWorldMatrix(lamp.get(), &world), kRTSuccess);
  EXPECT_TRUE(Same(At(world->m[3][0], world->m[3][1], world->m[3][2]), At(1, 2, 5))) << "placed under its parents";

  ASSERT_EQ(plain_scene_tree::SetRenderCameraNode(tree.get(), face.get()), kRTSuccess);
  EXPECT_EQ(plain_scene_tree::Render(tree.get()), kRTFailure) << "the render camera node carries no camera";
  EXPECT_EQ(plain_scene_tree::SetRenderCameraNode(tree.get(), light.get()), kRTFailure) << "no scene node";
  const uint32_t references = RefCount(eye.get());
  ASSERT_EQ(plain_scene_tree::SetRenderCameraNode(tree.get(), eye.get()), kRTSuccess);
  EXPECT_EQ(RefCount(eye.get()), references + 1);
  ASSERT_EQ(plain_scene_tree::Render(tree.get()), kRTSuccess);
  EXPECT_EQ(Occurrences("ProcessFrame(face, lights 1, deferred 0)"), 1u) << "drawn once, lit by the lamp";
  ASSERT_EQ(plain_scene_tree::SetRenderCameraNode(tree.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(eye.get()), references);
}

TEST_F(SmallScenes, EulerAnglesTurnThePlacementAndKeepItsTranslation) {
  InstanceRef node = MakeNode(u"camera", At(1, 2, 3));
  ASSERT_EQ(scene_node::SetEulerAngles(node.get(), 0.3f, 1.079f, -0.2f), kRTSuccess);
  float pitch = 0, yaw = 0, roll = 0;
  ASSERT_EQ(scene_node::GetEulerAngles(node.get(), &pitch, &yaw, &roll), kRTSuccess);
  EXPECT_NEAR(pitch, 0.3f, 1e-5f);
  EXPECT_NEAR(yaw, 1.079f, 1e-5f);
  EXPECT_NEAR(roll, -0.2f, 1e-5f);
  const RTFMatrix4x4* local = nullptr;
  ASSERT_EQ(scene_node::GetLocalMatrix(node.get(), &local), kRTSuccess);
  EXPECT_TRUE(Same(At(local->m[3][0], local->m[3][1], local->m[3][2]), At(1, 2, 3)));
}

TEST_F(SmallScenes, ANodeHoldsItsModifiersUntilItGoes) {
  InstanceRef node = MakeNode(u"prop", At(0, 0, 0));
  InstanceRef player = Make(rigid::kClassName);
  const uint32_t references = RefCount(player.get());
  EXPECT_EQ(scene_node::AddModifier(node.get(), nullptr), kRTFailure);
  ASSERT_EQ(scene_node::AddModifier(node.get(), player.get()), kRTSuccess);
  uint32_t count = 0;
  const RTInstance* modifiers = nullptr;
  ASSERT_EQ(scene_node::GetModifierCount(node.get(), &count), kRTSuccess);
  EXPECT_EQ(count, 1u);
  ASSERT_EQ(scene_node::GetModifierList(node.get(), &modifiers, &count), kRTSuccess);
  EXPECT_EQ(modifiers[0], player.get());
  EXPECT_EQ(RefCount(player.get()), references + 1);
  node.Reset();
  EXPECT_EQ(RefCount(player.get()), references);
}

TEST_F(SmallScenes, ARigidPlayerCopiesItsSettingsIntoAnotherOnly) {
  InstanceRef source = Make(rigid::kClassName);
  InstanceRef target = Make(rigid::kClassName);
  ASSERT_EQ(rigid::SetRate(source.get(), 2.5f), kRTSuccess);
  ASSERT_EQ(rigid::SetTween(source.get(), 0.25f), kRTSuccess);
  ASSERT_EQ(rigid::CopyInto(source.get(), target.get()), kRTSuccess);
  float rate = 0, tween = 0;
  rigid::GetRate(target.get(), &rate);
  rigid::GetTween(target.get(), &tween);
  EXPECT_EQ(rate, 2.5f);
  EXPECT_EQ(tween, 0.25f);
  InstanceRef node = MakeNode(u"not-a-player", At(0, 0, 0));
  EXPECT_EQ(rigid::CopyInto(source.get(), source.get()), kRTFailure);
  EXPECT_EQ(rigid::CopyInto(source.get(), node.get()), kRTFailure);
  EXPECT_EQ(rigid::CopyInto(source.get(), nullptr), kRTFailure);
}

TEST_F(SmallScenes, AnEmptiedPlayerHoldsNoMotionAndKeepsItsSwitches) {
  InstanceRef player = Make(rigid::kClassName);
  InstanceRef motion = Make(motion::kClassName);
  const uint32_t references = RefCount(motion.get());
  uint32_t index = 9;
  ASSERT_EQ(rigid::AppendMotion(player.get(), motion.get(), &index), kRTSuccess);
  ASSERT_EQ(rigid::SetRate(player.get(), 2.5f), kRTSuccess);
  ASSERT_EQ(rigid::SetMotionTime(player.get(), 3.0f), kRTSuccess);
  ASSERT_EQ(rigid::ClearMotions(player.get()), kRTSuccess);
  EXPECT_EQ(RefCount(motion.get()), references);
  RTBool done = 0;
  float rate = 0, time = -1;
  InstanceRef evaluated;
  ASSERT_EQ(rigid::IsMotionDone(player.get(), &done), kRTSuccess);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(rigid::Evaluate(player.get(), 100, evaluated.out()), kRTFailure) << "nothing to play";
  rigid::GetRate(player.get(), &rate);
  rigid::GetMotionTime(player.get(), &time);
  EXPECT_EQ(rate, 2.5f);
  EXPECT_EQ(time, 0.0f);
}

TEST_F(SmallScenes, ASphereKeepsItsColourAndMeasuresItsRadius) {
  InstanceRef marker = Make(sphere::kClassName);
  RTFColorRGB colour{};
  ASSERT_EQ(sphere::GetColor(marker.get(), &colour), kRTSuccess);
  EXPECT_EQ(colour.r + colour.g + colour.b, 3.0f) << "white when made";
  ASSERT_EQ(sphere::SetColor(marker.get(), 0, 1, 0), kRTSuccess);
  ASSERT_EQ(sphere::GetColor(marker.get(), &colour), kRTSuccess);
  EXPECT_EQ(colour.g, 1.0f);
  EXPECT_EQ(colour.r, 0.0f);
  RTFVector3D min{}, max{};
  ASSERT_EQ(renderable::GetBoundingBox(marker.get(), &min, &max), kRTSuccess);
  EXPECT_TRUE(Same(max, At(sphere::kRadius, sphere::kRadius, sphere::kRadius)));
}

}  // namespace

// The sample's character as the actor gets it from the staged instance store: the bones it asks
// for, flesh whose weights sum to 1, its arm chains and a hand that reaches a target.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"

namespace {

using namespace kivo;

constexpr char16_t kSkin[] = u"Root:Characters:Assets:Meshes:Skins:DrProto";
constexpr char16_t kWalk[] = u"Root:Characters:Assets:Motions:DrProto_walk";

class SampleSkin : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name :
         {"RTRenderable", "RTPolyModel", "RTMaterial", "RTEditable", "RTAnimTrack", "RTBoneModel", "RTTeskSkin"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
    std::filesystem::create_directories(host.root() / "store");
    std::filesystem::create_symlink(SAMPLE_STORE, host.root() / "store/root.kivopack");
  }
  void SetUp() override {
    StartedCore::SetUp();
    if (HasFatalFailure()) return;
    core().GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer_.out(), 1, nullptr);
    ASSERT_EQ(core().GetInstanceByName(nullptr, kSkin, skin_.out(), 0), kRTSuccess) << host_.ErrorLog();
    ASSERT_EQ(core().GetInstanceByName(nullptr, kWalk, walk_.out(), 0), kRTSuccess);
  }
  void TearDown() override {
    walk_.Reset();
    skin_.Reset();
    rasterizer_.Reset();
    StartedCore::TearDown();
  }

  RTBoneNode* Bone(const char16_t* name) {
    RTBoneNode* bone = nullptr;
    EXPECT_EQ(bone_model::GetNode(skin_.get(), name, &bone), kRTSuccess);
    return bone;
  }
  static RTFVector3D At(const RTBoneNode* bone) {
    RTFVector3D at{};
    Mat4GetTranslation(bone->worldMatrix, &at);
    return at;
  }
  // Poses the skin with the walk at the time (seconds).
  void WalkAt(float time) {
    ASSERT_EQ(motion::UpdateFrame(walk_.get(), time, 1), kRTSuccess);
    ASSERT_EQ(bone_model::Deform(skin_.get(), walk_.get()), kRTSuccess);
  }

  InstanceRef rasterizer_;
  InstanceRef skin_;
  InstanceRef walk_;
};

TEST_F(SampleSkin, HoldsTheBonesAndChainsTheActorAsksFor) {
  EXPECT_TRUE(core().IsKindOfByName(nullptr, skin_.get(), u"RTTeskSkin"));
  for (const char16_t* name : {u"Bip01 Spine", u"Bip01 Pelvis", u"Bip01 L Hand", u"Bip01 R Hand"})
    EXPECT_NE(Bone(name), nullptr);
  int32_t chains = 0;
  ASSERT_EQ(bone_model::GetIKChainsCount(skin_.get(), &chains), kRTSuccess);
  ASSERT_EQ(chains, 2);
  const char16_t *root = nullptr, *end = nullptr, *name = nullptr;
  RTBool active = 1;
  ASSERT_EQ(bone_model::GetIKChain(skin_.get(), &root, &end, &name, &active, 0), kRTSuccess);
  EXPECT_EQ(std::u16string(name), u"Left Arm Chain");
  EXPECT_EQ(std::u16string(root), u"Bip01 L UpperArm");
  EXPECT_EQ(std::u16string(end), u"Bip01 L Hand");
  ASSERT_EQ(bone_model::GetIKChain(skin_.get(), &root, &end, &name, &active, 1), kRTSuccess);
  EXPECT_EQ(std::u16string(name), u"Right Arm Chain");
}

// Every vertex is held by one or two bones whose weights sum to 1.
TEST_F(SampleSkin, EveryVertexIsWeightedWhole) {
  RTFVector3D* vertices = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(bone_model::GetVectorListF(skin_.get(), &vertices, &count), kRTSuccess);
  std::map<uint32_t, std::vector<float>> weights;
  RTBoneNode* root = nullptr;
  ASSERT_EQ(bone_model::GetRootNode(skin_.get(), &root), kRTSuccess);
  std::vector<RTBoneNode*> walk = {root};
  while (!walk.empty()) {
    RTBoneNode* bone = walk.back();
    walk.pop_back();
    for (uint32_t k = 0; k < bone->influenceCount; ++k) weights[bone->vertexIndices[k]].push_back(bone->weights[k]);
    walk.insert(walk.end(), bone->children, bone->children + bone->childCount);
  }
  ASSERT_EQ(weights.size(), count);
  for (const auto& [vertex, each] : weights) {
    EXPECT_TRUE(each.size() == 1 || each.size() == 2) << vertex;
    float sum = 0;
    for (float w : each) sum += w;
    EXPECT_NEAR(sum, 1, 1e-6f) << vertex;
  }
}

// The actor's own chain over the left arm, aimed at a point the arm can reach out to the side, in
// the plane of the shoulder's frame, so that the links mostly swing (the solver holds every twist
// to its range).
TEST_F(SampleSkin, TheLeftHandReachesATarget) {
  WalkAt(0);
  int32_t chain = -1;
  ASSERT_EQ(bone_model::CreateIKChain(skin_.get(), u"Bip01 L UpperArm", u"Bip01 L Hand", u"Left Arm Chain", &chain),
            kRTSuccess);
  EXPECT_EQ(chain, 2);
  const RTBoneNode* shoulder = Bone(u"Bip01 L UpperArm");
  RTFVector3D target{};
  Mat4TransformPoint(shoulder->parent->worldMatrix, RTFVector3D{0.5f, -0.25f, 0, 0}, &target);
  RTFMatrix4x4 placed;
  Mat4Identity(&placed);
  Mat4SetTranslation(&placed, target);
  ASSERT_EQ(bone_model::SetEnableIKConstraints(skin_.get(), 0), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKChainActive(skin_.get(), 1, chain), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKTarget(skin_.get(), &placed, chain), kRTSuccess);
  ASSERT_EQ(bone_model::Deform(skin_.get(), walk_.get()), kRTSuccess);
  float goal = 0;
  ASSERT_EQ(bone_model::GetIKGoalDistance(skin_.get(), &goal), kRTSuccess);
  EXPECT_LE(Vec3Distance(At(Bone(u"Bip01 L Hand")), target), goal);
}

}  // namespace

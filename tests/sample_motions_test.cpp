// The sample's motions as the actor gets them: every path of its motion table from the staged
// instance store by name, each tree shaped as the Bip01 skeleton description, rotation keys
// sign-aligned, and a walk whose legs swing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "host/motion_table.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/quaternion_curve.h"
#include "platform/utf.h"

namespace {

using namespace kivo;

using tesk::testing::kMotionTable;

std::u16string MotionPath(const char* name) {
  return u"Root:Characters:Assets:Motions:DrProto_" + platform::FromUtf8(name);
}

struct SkeletonBone {
  std::u16string name;
  std::vector<size_t> children;  // indexes, in the order listed
};

std::vector<SkeletonBone> Skeleton() {
  std::ifstream in(SAMPLE_SKELETON);
  const nlohmann::json description = nlohmann::json::parse(in);
  std::vector<SkeletonBone> bones;
  for (const auto& item : description["bones"]) {
    bones.push_back({platform::FromUtf8(item["name"].get<std::string>()), {}});
    if (!item.contains("parent")) continue;
    for (size_t i = 0; i + 1 < bones.size(); ++i)
      if (bones[i].name == platform::FromUtf8(item["parent"].get<std::string>()))
        bones[i].children.push_back(bones.size() - 1);
  }
  return bones;
}

class SampleMotions : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTEditable", "RTAnimTrack"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_directories(host.root() / "store");
    std::filesystem::create_symlink(SAMPLE_STORE, host.root() / "store/root.kivopack");
  }
  void TearDown() override {
    motions_.clear();
    StartedCore::TearDown();
  }

  RTInstance Motion(const char* name) {
    RTInstance motion = nullptr;
    EXPECT_EQ(core().GetInstanceByName(nullptr, MotionPath(name).c_str(), &motion, 0), kRTSuccess) << name;
    return motions_.emplace_back(motion).get();
  }

  // The node's subtree has the bone's subtree, name by name and child by child.
  void ExpectShape(const MotionNode* node, const std::vector<SkeletonBone>& bones, size_t bone, const char* motion) {
    ASSERT_EQ(std::u16string(node->name), bones[bone].name) << motion;
    ASSERT_EQ(node->childCount, bones[bone].children.size()) << motion;
    for (size_t i = 0; i < node->childCount; ++i)
      ExpectShape(node->children[i], bones, bones[bone].children[i], motion);
  }

  static void ExpectAligned(const MotionNode* node, const char* motion) {
    for (uint32_t i = 1; i < node->rotations.count; ++i) {
      const KeyQuaternion& a = node->rotations.keys[i - 1].rotation;
      const KeyQuaternion& b = node->rotations.keys[i].rotation;
      EXPECT_GE(QuatDot({a.w, a.v.x, a.v.y, a.v.z}, {b.w, b.v.x, b.v.y, b.v.z}), 0) << motion << " key " << i;
    }
    for (uint32_t i = 0; i < node->childCount; ++i) ExpectAligned(node->children[i], motion);
  }

  std::vector<InstanceRef> motions_;
};

TEST_F(SampleMotions, EveryTablePathLoadsShapedAsTheSkeleton) {
  const std::vector<SkeletonBone> bones = Skeleton();
  std::vector<RTInstance> loaded;
  for (const char* name : kMotionTable) {
    RTInstance motion = Motion(name);
    ASSERT_NE(motion, nullptr) << name;
    loaded.push_back(motion);
    MotionNode* root = nullptr;
    ASSERT_EQ(motion::GetRootNode(motion, &root), kRTSuccess);
    ASSERT_NE(root, nullptr) << name;
    ExpectShape(root, bones, 0, name);
    ExpectAligned(root, name);
  }
  EXPECT_EQ(loaded[1], loaded[44]) << "a name that stands twice is one instance";
  EXPECT_EQ(loaded[6], loaded[96]);
  EXPECT_NE(loaded[103], loaded[104]);

  MotionNode* node = nullptr;
  for (const char16_t* asked :
       {u"Bip01 Pelvis", u"Bip01 Spine", u"Bip01 L UpperArm", u"Bip01 L Hand", u"Bip01 R UpperArm", u"Bip01 R Hand"})
    EXPECT_EQ(motion::GetNode(loaded[0], asked, &node), kRTSuccess);
}

TEST_F(SampleMotions, TheWalksLegsSwing) {
  RTInstance walk = Motion("walk");
  MotionNode* left = nullptr;
  MotionNode* right = nullptr;
  ASSERT_EQ(motion::GetNode(walk, u"Bip01 L Thigh", &left), kRTSuccess);
  ASSERT_EQ(motion::GetNode(walk, u"Bip01 R Thigh", &right), kRTSuccess);
  float start = 0, end = 0;
  ASSERT_EQ(motion::GetInfo(walk, &start, &end), kRTSuccess);
  ASSERT_GT(end, start);
  auto swing = [&](const MotionNode* thigh) { return thigh->rotation.rotation.v.x; };
  ASSERT_EQ(motion::UpdateFrame(walk, start + (end - start) / 4, 1), kRTSuccess);
  const float leftForward = swing(left), rightForward = swing(right);
  ASSERT_EQ(motion::UpdateFrame(walk, start + 3 * (end - start) / 4, 1), kRTSuccess);
  EXPECT_LT(leftForward * swing(left), 0) << "a quarter and three quarters through, the left leg swings both ways";
  EXPECT_LT(leftForward * rightForward, 0) << "the legs swing opposite";
}

}  // namespace

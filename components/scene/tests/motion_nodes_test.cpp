// The node tree and the motion's queries: adding nodes, finding them by name, children, the
// memory of the keys, the properties.
#include <string>

#include "motion_fixture.h"

namespace {

using namespace motiontest;
using namespace kivo;

using MotionNodes = MotionTest;

TEST_F(MotionNodes, AddedNodesHoldCopies) {
  RTInstance motion = NewMotion();
  NodeKeys keys{{PosKey(0, 1, 2, 3)}, {RotKey(0, Turn(30, 1, 0, 0))}, {}, RTFVector3D{7, 8, 9, 0}};
  std::u16string name = u"Bip01";
  MotionNode* root = Add(motion, name.c_str(), nullptr, keys);
  name[0] = u'X';
  keys.positions[0].position.x = -1;
  EXPECT_EQ(std::u16string(root->name), u"Bip01");
  EXPECT_EQ(root->positions.keys[0].position.x, 1.0f);
  EXPECT_EQ(root->scales.keys, nullptr) << "no keys, no array";
  ExpectVector(root->pivot, 7, 8, 9, 0);

  MotionNode* a = Add(motion, u"A", root);
  MotionNode* b = Add(motion, u"B", root);
  ASSERT_EQ(root->childCount, 2u);
  EXPECT_EQ(root->children[0], a);
  EXPECT_EQ(root->children[1], b);
  EXPECT_EQ(b->parent, root);
}

TEST_F(MotionNodes, ANewRootLeavesTheOldTreeValid) {
  RTInstance motion = NewMotion();
  MotionNode* first = Add(motion, u"First");
  MotionNode* child = Add(motion, u"Child", first);
  MotionNode* second = Add(motion, u"Second");
  MotionNode* root = nullptr;
  ASSERT_EQ(motion::GetRootNode(motion, &root), kRTSuccess);
  EXPECT_EQ(root, second);
  EXPECT_EQ(std::u16string(child->name), u"Child") << "the first tree still lives";
  RTFMatrix4x4 m;
  EXPECT_EQ(motion::GetNodeTM(motion, child, &m), kRTSuccess);
  MotionNode* found = nullptr;
  EXPECT_EQ(motion::GetNode(motion, u"Child", &found), kRTFailure) << "but is no longer the motion's tree";
  uint32_t bytes = 1;
  ASSERT_EQ(motion::GetMemory(motion, &bytes), kRTSuccess);
  EXPECT_EQ(bytes, 0u);
}

TEST_F(MotionNodes, RefusedNodes) {
  RTInstance motion = NewMotion();
  RTInstance other = NewMotion();
  MotionNode* foreign = Add(other, u"Foreign");
  MotionNode* node = reinterpret_cast<MotionNode*>(0x1);
  EXPECT_EQ(motion::AddNode(motion, u"n", nullptr, nullptr, nullptr, 2, 0, 0, nullptr, nullptr, &node), kRTFailure);
  EXPECT_TRUE(Logged("RTAnimTrack::AddNode(): keys are counted but not given"));
  EXPECT_EQ(motion::AddNode(motion, u"n", nullptr, nullptr, nullptr, 0, 0, 0, nullptr, foreign, &node), kRTFailure);
  EXPECT_TRUE(Logged("RTAnimTrack::AddNode(): the parent is not a node of this motion"));
  EXPECT_EQ(node, reinterpret_cast<MotionNode*>(0x1));

  MotionNode* deepest = Add(motion, u"level 1");
  for (int level = 2; level <= 256; ++level) deepest = Add(motion, u"deeper", deepest);
  EXPECT_EQ(motion::AddNode(motion, u"n", nullptr, nullptr, nullptr, 0, 0, 0, nullptr, deepest, &node), kRTFailure);
  EXPECT_TRUE(Logged("RTAnimTrack::AddNode(): the tree would be deeper than 256 levels"));
  EXPECT_EQ(deepest->childCount, 0u);
}

TEST_F(MotionNodes, FindingByName) {
  RTInstance motion = NewMotion();
  MotionNode* root = Add(motion, u"Bip01");
  MotionNode* left = Add(motion, u"Hand", root);
  Add(motion, u"Finger", left);
  MotionNode* right = Add(motion, u"Hand", root);

  MotionNode* found = nullptr;
  EXPECT_EQ(motion::FindNode(motion, u"Hand", &found), kRTSuccess);
  EXPECT_EQ(found, right) << "FindNode keeps the last match";
  EXPECT_EQ(motion::GetNode(motion, u"Hand", &found), kRTSuccess);
  EXPECT_EQ(found, left) << "GetNode stops at the first";

  MotionNode* kept = root;
  EXPECT_EQ(motion::FindNode(motion, u"hand", &kept), kRTSuccess) << "names compare exactly";
  EXPECT_EQ(kept, root) << "untouched when nothing matches";
  EXPECT_EQ(motion::GetNode(motion, u"Nowhere", &kept), kRTFailure);
  EXPECT_EQ(kept, root);
}

TEST_F(MotionNodes, Children) {
  RTInstance motion = NewMotion();
  MotionNode* root = Add(motion, u"Bip01");
  MotionNode* only = Add(motion, u"Pelvis", root);
  MotionNode* child = nullptr;
  EXPECT_EQ(motion::GetNodeChild(motion, nullptr, &child, 5), kRTSuccess);
  EXPECT_EQ(child, root) << "a null node gives the root";
  EXPECT_EQ(motion::GetNodeChild(motion, root, &child, 0), kRTSuccess);
  EXPECT_EQ(child, only);
  EXPECT_EQ(motion::GetNodeChild(motion, root, &child, 1), kRTFailure);
  EXPECT_TRUE(Logged("GetNodeChild: idx out of bounds"));
  EXPECT_EQ(child, only) << "out unchanged";
}

TEST_F(MotionNodes, MemoryCountsTheKeys) {
  RTInstance motion = NewMotion();
  uint32_t bytes = 1;
  ASSERT_EQ(motion::GetMemory(motion, &bytes), kRTSuccess);
  EXPECT_EQ(bytes, 0u);
  NodeKeys keys;
  keys.positions = {PosKey(0, 0, 0, 0), PosKey(1, 0, 0, 0), PosKey(2, 0, 0, 0)};
  keys.rotations = {RotKey(0, Turn(0, 1, 0, 0)), RotKey(1, Turn(0, 1, 0, 0))};
  keys.scales = {SclKey(0, 1, 1, 1)};
  MotionNode* root = Add(motion, u"Bip01", nullptr, keys);
  ASSERT_EQ(motion::GetMemory(motion, &bytes), kRTSuccess);
  EXPECT_EQ(bytes, 168u);
  Add(motion, u"Pelvis", root, keys);
  ASSERT_EQ(motion::GetMemory(motion, &bytes), kRTSuccess);
  EXPECT_EQ(bytes, 336u);
}

TEST_F(MotionNodes, PropertiesGoThroughTheMethods) {
  RTInstance motion = NewMotion();
  auto property = [&](const char16_t* name) {
    RTPropertyRecord* record = nullptr;
    EXPECT_EQ(core().FindProperty(nullptr, motion, name, &record), kRTSuccess) << "property";
    return record;
  };
  // Each accessor is called through its own type, as the property's value type gives it.
  auto set = [&]<typename T>(const char16_t* name, const T* value) {
    return reinterpret_cast<RTSuccess (*)(RTInstance, const T*)>(property(name)->setter)(motion, value);
  };
  auto get = [&]<typename T>(const char16_t* name, T* value) {
    return reinterpret_cast<RTSuccess (*)(RTInstance, T*)>(property(name)->getter)(motion, value);
  };
  const float start = 0.25f, end = 3;
  EXPECT_EQ(set(u"EndTime", &end), kRTSuccess);
  EXPECT_EQ(set(u"StartTime", &start), kRTSuccess);
  float a = 0, b = 0;
  ASSERT_EQ(motion::GetInfo(motion, &a, &b), kRTSuccess);
  EXPECT_EQ(a, 0.25f);
  EXPECT_EQ(b, 3.0f);
  float value = 0;
  EXPECT_EQ(get(u"EndTime", &value), kRTSuccess);
  EXPECT_EQ(value, 3.0f);
  const RTBool on = 1;
  EXPECT_EQ(set(u"Continuous", &on), kRTSuccess);
  RTBool continuous = 0;
  EXPECT_EQ(get(u"Continuous", &continuous), kRTSuccess);
  EXPECT_EQ(continuous, 1u);
  const float period = 0.5f;
  EXPECT_EQ(set(u"Period", &period), kRTSuccess);
  EXPECT_EQ(get(u"Period", &value), kRTSuccess);
  EXPECT_EQ(value, 0.5f);
  Add(motion, u"Bip01", nullptr, NodeKeys{{PosKey(0, 0, 0, 0)}, {}, {}, {}});
  uint32_t bytes = 0;
  EXPECT_EQ(get(u"Memory", &bytes), kRTSuccess);
  EXPECT_EQ(bytes, 20u);
  EXPECT_EQ(property(u"Memory")->setter, nullptr) << "read-only";
  EXPECT_EQ(property(u"Threshold")->typeCode, 0x70404u);
  EXPECT_EQ(property(u"Continuous")->typeCode, 0xa0404u);
  EXPECT_EQ(property(u"Memory")->typeCode, 0x50404u);
}

}  // namespace

// Evaluation at a time, node matrices and tweening.
#include <string>

#include "kivo/support/quaternion.h"
#include "kivo/support/quaternion_curve.h"
#include "motion_fixture.h"

namespace {

using namespace motiontest;
using namespace kivo;

using MotionEvaluation = MotionTest;

// One node with position keys 0 -> (0, 0, 0), 1 -> (10, 0, 0), 2 -> (20, 0, 0), rotation keys
// at 0, 1 and 2 of 0, 90 and 180 degrees about z and scale keys 1, 2 and 3 at the same times.
NodeKeys ThreeKeys() {
  NodeKeys keys;
  for (int i = 0; i < 3; ++i) {
    const auto t = static_cast<float>(i);
    keys.positions.push_back(PosKey(t, 10 * t, 0, 0));
    keys.rotations.push_back(RotKey(t, Turn(90 * i, 0, 0, 1)));
    keys.scales.push_back(SclKey(t, 1 + t, 1 + t, 1 + t));
  }
  return keys;
}

TEST_F(MotionEvaluation, KeysAtATime) {
  const struct {
    const char* what;
    float t;
    bool looped;
    float x;         // position x (also the scale less 1, times 10)
    double degrees;  // about z
  } cases[] = {
      {"before the first key", -1, false, 0, 0},
      {"on the first key", 0, false, 0, 0},
      {"inside the first segment", 0.25f, false, 2.5f, 22.5},
      {"exactly on a key", 1, false, 10, 90},
      {"the last segment", 1.5f, false, 15, 135},
      {"the looped last segment runs toward key 0", 1.5f, true, 5, 45},
      {"at the last key", 2, false, 20, 180},
      {"at the last key, looped", 2, true, 0, 0},
      {"after the last key", 7, false, 20, 180},
  };
  RTInstance motion = NewMotion();
  MotionNode* node = Add(motion, u"Bip01", nullptr, ThreeKeys());
  for (const auto& c : cases) {
    ASSERT_EQ(motion::UpdateFrame(motion, c.t, c.looped), kRTSuccess);
    SCOPED_TRACE(c.what);
    ExpectVector(node->position.position, c.x, 0, 0, 1e-5f);
    ExpectVector(node->scale.scale, 1 + c.x / 10, 1 + c.x / 10, 1 + c.x / 10, 1e-6f);
    // Controls equal to their keys make squad a slerp here, and the keys' slerp of the looped
    // segment meets key 0 (the identity) from 90 degrees.
    ExpectQuat(Evaluated(node), Turn(c.degrees, 0, 0, 1), 1e-6f);
  }
}

TEST_F(MotionEvaluation, SquadMidpointOfTwoKeys) {
  NodeKeys keys;
  keys.rotations = {RotKey(0, Turn(0, 0, 1, 0)), RotKey(1, Turn(90, 0, 1, 0))};
  keys.rotations[0].control = KeyQuaternion{Turn(-20, 0, 1, 0).w, RTFVector3D{0, Turn(-20, 0, 1, 0).y, 0, 0}};
  RTInstance motion = NewMotion();
  MotionNode* node = Add(motion, u"Bip01", nullptr, keys);
  ASSERT_EQ(motion::UpdateFrame(motion, 0.5f, 0), kRTSuccess);
  // Keys' slerp 45 degrees, controls' slerp (-20 and 90) 35, half way between: 40.
  ExpectQuat(Evaluated(node), Turn(40, 0, 1, 0));
}

TEST_F(MotionEvaluation, NodesWithoutKeys) {
  RTInstance motion = NewMotion();
  MotionNode* root = Add(motion, u"Bip01");
  NodeKeys single;
  single.positions = {PosKey(3, 1, 2, 3)};
  MotionNode* child = Add(motion, u"Bip01 Pelvis", root, single);
  NodeKeys scaleOnly;
  scaleOnly.scales = {SclKey(0, 2, 2, 2)};
  MotionNode* scaled = Add(motion, u"Bip01 Spine", root, scaleOnly);

  RTFMatrix4x4 m;
  ASSERT_EQ(motion::GetNodeTM(motion, child, &m), kRTSuccess);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(m.m[i][j], i == j ? 1.0f : 0.0f) << "never evaluated: the identity";

  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);
  ExpectQuat(Evaluated(root), {1, 0, 0, 0}, 0);
  ExpectVector(root->position.position, 0, 0, 0, 0);
  ExpectVector(root->scale.scale, 1, 1, 1, 0);
  ExpectVector(child->position.position, 1, 2, 3, 0);  // a single key at any time
  ExpectVector(scaled->scale.scale, 2, 2, 2, 0);
  ExpectQuat(Evaluated(scaled), {1, 0, 0, 0}, 0);

  MotionNode* empty = nullptr;
  RTInstance none = NewMotion();
  EXPECT_EQ(motion::UpdateFrame(none, 0, 0), kRTSuccess) << "an empty motion does nothing";
  EXPECT_EQ(motion::GetRootNode(none, &empty), kRTSuccess);
  EXPECT_EQ(empty, nullptr);
}

TEST_F(MotionEvaluation, AdjustOffsetIsAddedOnce) {
  RTInstance motion = NewMotion();
  NodeKeys keys;
  keys.positions = {PosKey(0, 1, 0, 0), PosKey(1, 3, 0, 0)};
  MotionNode* moving = Add(motion, u"Bip01", nullptr, keys);
  NodeKeys turning;
  turning.rotations = {RotKey(0, Turn(10, 1, 0, 0))};
  MotionNode* still = Add(motion, u"Bip01 Head", moving, turning);
  const RTFVector3D offset{0.5f, -1, 2, 0};
  ASSERT_EQ(motion::AdjustNode(motion, moving, &offset, 0), kRTSuccess);
  ASSERT_EQ(motion::AdjustNode(motion, still, &offset, 7), kRTSuccess);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(motion::UpdateFrame(motion, 0.5f, 0), kRTSuccess);
  ExpectVector(moving->position.position, 2.5f, -1, 2);
  ExpectVector(still->position.position, 0.5f, -1, 2, 0);
  EXPECT_EQ(still->adjustTag, 7u);
}

TEST_F(MotionEvaluation, NodeMatrices) {
  RTInstance motion = NewMotion();
  NodeKeys keys;
  keys.positions = {PosKey(0, 1, 2, 3)};
  keys.rotations = {RotKey(0, Turn(90, 0, 0, 1))};
  keys.scales = {SclKey(0, 5, 5, 5)};
  keys.pivot = RTFVector3D{10, 20, 30, 0};
  MotionNode* node = Add(motion, u"Bip01", nullptr, keys);
  ASSERT_EQ(motion::UpdateFrame(motion, 0, 0), kRTSuccess);

  RTFMatrix4x4 plain, adjusted;
  ASSERT_EQ(motion::GetNodeTM(motion, node, &plain), kRTSuccess);
  RTFMatrix4x4 rotation;
  QuatToMat4(Turn(90, 0, 0, 1), &rotation);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(plain.m[i][j], rotation.m[i][j]) << "no scale in the matrix";
  ExpectVector({plain.m[3][0], plain.m[3][1], plain.m[3][2], 0}, 1, 2, 3, 0);

  const RTFVector3D skinPivot{100, 200, 300, 0};
  ASSERT_EQ(motion::GetNodeTMAdjusted(motion, node, &skinPivot, &adjusted), kRTSuccess);
  ExpectVector({adjusted.m[3][0], adjusted.m[3][1], adjusted.m[3][2], 0}, 91, 182, 273, 0);
  ASSERT_EQ(motion::GetNodeTMAdjusted(motion, nullptr, &skinPivot, &adjusted), kRTSuccess);
  EXPECT_EQ(adjusted.m[3][0], 0.0f) << "a null node gives the identity";
  EXPECT_EQ(adjusted.m[2][2], 1.0f);
}

class MotionTween : public MotionTest {
 protected:
  // A root with `children` children, each with the given keys.
  RTInstance Shaped(uint32_t children, const NodeKeys& keys) {
    RTInstance motion = NewMotion();
    MotionNode* root = Add(motion, u"Bip01", nullptr, keys);
    for (uint32_t i = 0; i < children; ++i) Add(motion, u"Child", root, keys);
    return motion;
  }

  static NodeKeys At(float x, double degrees, float scale) {
    return NodeKeys{{PosKey(0, x, 0, 0)}, {RotKey(0, Turn(degrees, 0, 1, 0))}, {SclKey(0, scale, scale, scale)}, {}};
  }
};

TEST_F(MotionTween, PercentOneKeepsThisMotionAndZeroGivesTheOther) {
  RTInstance other = Shaped(1, At(4, 60, 3));
  ASSERT_EQ(motion::UpdateFrame(other, 0, 0), kRTSuccess);
  MotionNode* otherRoot = nullptr;
  motion::GetRootNode(other, &otherRoot);
  // This motion's rotation is stored on the far side (-q), so alignment flips it first.
  NodeKeys flipped = At(2, 20, 1);
  KeyQuaternion& q = flipped.rotations[0].rotation;
  q = KeyQuaternion{-q.w, RTFVector3D{-q.v.x, -q.v.y, -q.v.z, 0}};
  RTInstance motion = Shaped(1, flipped);
  MotionNode* root = nullptr;
  motion::GetRootNode(motion, &root);

  ASSERT_EQ(motion::TweenFrame(motion, 0, 1, 0, 0, other), kRTSuccess);
  ExpectVector(root->position.position, 2, 0, 0, 0);
  ExpectVector(root->scale.scale, 1, 1, 1, 0);
  ExpectQuat(Evaluated(root), Turn(20, 0, 1, 0));
  ExpectQuat(Evaluated(root->children[0]), Turn(20, 0, 1, 0));

  ASSERT_EQ(motion::TweenFrame(motion, 0, 0, 0, 0, other), kRTSuccess);
  ExpectVector(root->position.position, 4, 0, 0, 0);
  ExpectVector(root->scale.scale, 3, 3, 3, 0);
  ExpectQuat(Evaluated(root), Evaluated(otherRoot));

  ASSERT_EQ(motion::TweenFrame(motion, 0, 0.5f, 0, 0, other), kRTSuccess);
  ExpectVector(root->position.position, 3, 0, 0);
  ExpectQuat(Evaluated(root), Turn(40, 0, 1, 0));
}

TEST_F(MotionTween, AnAdjustTagKeepsThisMotionsPosition) {
  RTInstance other = Shaped(0, At(4, 0, 1));
  ASSERT_EQ(motion::UpdateFrame(other, 0, 0), kRTSuccess);
  RTInstance motion = Shaped(0, At(2, 0, 1));
  MotionNode* root = nullptr;
  motion::GetRootNode(motion, &root);
  const RTFVector3D none{};
  ASSERT_EQ(motion::AdjustNode(motion, root, &none, 1), kRTSuccess);
  ASSERT_EQ(motion::TweenFrame(motion, 0, 0.25f, 0, 0, other), kRTSuccess);
  ExpectVector(root->position.position, 2, 0, 0, 0);
}

TEST_F(MotionTween, HierarchiesMustMatch) {
  RTInstance three = Shaped(3, At(0, 0, 1));
  RTInstance four = Shaped(4, At(0, 0, 1));
  EXPECT_EQ(motion::TweenFrame(three, 0, 0.5f, 0, 0, four), kRTFailure);
  EXPECT_EQ(TimesLogged("incompatible motion hierarchies"), 1u);

  RTInstance empty = NewMotion();
  RTInstance alsoEmpty = NewMotion();
  EXPECT_EQ(motion::TweenFrame(empty, 0, 0.5f, 0, 0, alsoEmpty), kRTSuccess) << "two empty motions";
  EXPECT_EQ(motion::TweenFrame(empty, 0, 0.5f, 0, 0, three), kRTFailure);
  EXPECT_EQ(motion::TweenFrame(three, 0, 0.5f, 0, 0, empty), kRTFailure);
  EXPECT_EQ(TimesLogged("incompatible motion hierarchies"), 3u);

  InstanceRef stream = tesk::testing::MemoryStreamWith("");
  EXPECT_EQ(motion::TweenFrame(three, 0, 0.5f, 0, 0, stream.get()), kRTFailure);
  EXPECT_TRUE(Logged("RTAnimTrack::TweenFrame(): the motion to blend in is not an RTAnimTrack"));
}

}  // namespace

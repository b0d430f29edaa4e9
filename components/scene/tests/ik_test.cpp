// Inverse kinematics: the twist and swing limits and the arc, swing rings, the chain methods, and
// the solver on an arm: reaching, already there, one step, out of reach, twist held without
// constraints, and a reach beyond one unit.
#include <cmath>
#include <vector>

#include "bone_constraints.h"
#include "bone_model_state.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/vector.h"
#include "skin_fixture.h"
#include "skinning.h"

namespace {

using namespace skintest;
using namespace kivo;

constexpr float kPi = 3.14159265358979f;

// The swing that turns x to (cos a, sin a, 0).
Quaternion SwingOf(float degrees) {
  Quaternion q{};
  const float a = degrees * kPi / 180;
  QuatFromTwoVectors(V(1, 0, 0), V(std::cos(a), std::sin(a), 0), &q);
  return q;
}

// The swing a limit builds toward a direction: the half-way quaternion from x to the direction
// itself, not to its unit vector.
Quaternion SwingToward(const RTFVector3D& direction) {
  Quaternion q{};
  QuatFromTwoVectors(V(1, 0, 0), direction, &q);
  return q;
}

// Where a swing of the angle (about z) meets the ring's plane at 1 along x.
RTFVector3D OnRingPlane(float degrees) { return V(1, std::tan(degrees * kPi / 180), 0); }

void ExpectQuat(const Quaternion& actual, const Quaternion& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.w, expected.w, tolerance);
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The twist's angle in degrees.
float TwistDegrees(const RTBoneNode& bone) {
  const skin::SwingTwist parts = skin::SplitSwingTwist(bone, bone.rotation);
  float angle = 0;
  RTFVector3D axis{};
  QuatToAxisAngle(parts.twist, &angle, &axis);
  return angle * 180 / kPi;
}

bool Finite(const RTFMatrix4x4& m) {
  for (const auto& row : m.m)
    for (float f : row)
      if (!std::isfinite(f)) return false;
  return true;
}

class Limits : public SkinTest {
 protected:
  // A bone of DOF 3 whose ring lies 1 along x, radius 10: wide enough to hold every swing below 80
  // degrees.
  RTBoneNode* RingBone(uint32_t dof = 3, float radius = 10) {
    RTInstance skin = NewSkin();
    const RTFMatrix4x4 identity = Identity();
    RTBoneNode* bone = nullptr;
    EXPECT_EQ(bone_model::AddNode(skin, u"Bone", &identity, &identity, 0, nullptr, nullptr, nullptr, 1, nullptr, &bone),
              kRTSuccess);
    AddBone(skin, u"Tip", bone, Translation(1, 0, 0), identity);
    const RTFVector3D centre = V(0, 0, 0);
    EXPECT_EQ(bone_model::SetIKTSConstraints(skin, bone, &centre, radius, radius, 0, 360, -30, 30, dof), kRTSuccess);
    skin_ = skin;
    return bone;
  }
  RTInstance skin_ = nullptr;
};

// The swung axis is turned back to 80 degrees from the cone axis before it meets the ring's plane;
// a swing within 80 degrees keeps its direction; DOF 1 leaves the swing alone.
TEST_F(Limits, ASwingBeyondEightyDegreesTurnsBackAndDofOneKeepsIt) {
  RTBoneNode* bone = RingBone();
  Quaternion swing = SwingOf(100);
  skin::ApplySwingConstraint(*bone, &swing);
  ExpectQuat(swing, SwingToward(OnRingPlane(80)));

  Quaternion within = SwingOf(50);
  skin::ApplySwingConstraint(*bone, &within);
  ExpectQuat(within, SwingToward(OnRingPlane(50)));

  bone->dof = 1;
  Quaternion kept = SwingOf(100);
  skin::ApplySwingConstraint(*bone, &kept);
  ExpectQuat(kept, SwingOf(100), 0);
}

TEST_F(Limits, ASwingOutsideTheRingIsHeldToItsCircle) {
  RTBoneNode* bone = RingBone(2, 0.5f);
  Quaternion swing = SwingOf(30);  // meets the ring's plane at (1, tan 30, 0), outside radius 0.5
  skin::ApplySwingConstraint(*bone, &swing);
  ExpectQuat(swing, SwingToward(V(1, 0.5f, 0)));
}

TEST_F(Limits, TheTwistIsHeldToItsRange) {
  RTBoneNode* bone = RingBone();
  for (float degrees : {50.0f, -50.0f, 20.0f}) {
    RTFVector3D axis = V(degrees < 0 ? -1.0f : 1.0f, 0, 0);
    Quaternion twist{};
    QuatFromAxisAngle(std::fabs(degrees) * kPi / 180, &axis, &twist);
    skin::ClampTwist(*bone, &twist);
    float angle = 0;
    RTFVector3D about{};
    QuatToAxisAngle(twist, &angle, &about);
    EXPECT_NEAR(angle * 180 / kPi, std::min(std::fabs(degrees), 30.0f), 1e-3f) << degrees;
    EXPECT_NEAR(about.x, degrees < 0 ? -1 : 1, 1e-5f) << degrees;
  }
}

// The arc turns a point about x to one of its ends when the point's angle lies between that end
// and the middle of the excluded part; a whole circle leaves every point alone.
TEST_F(Limits, TheArcTurnsPointsOfTheExcludedPart) {
  RTBoneNode* bone = RingBone();
  const RTFVector3D y = V(0, 0, 0);
  ASSERT_EQ(bone_model::SetIKTSConstraints(skin_, bone, &y, 1, 1, 300, 30, -30, 30, 3), kRTSuccess);
  EXPECT_EQ(bone->arcMin, 30);
  EXPECT_EQ(bone->arcMax, 300);
  enum Turn { kNone, kToMin, kToMax };
  const struct {
    float arcMin, arcMax, angle;  // the point's angle from x, degrees, z < 0 above 180
    Turn turn;
  } cases[] = {
      {0, 360, 100, kNone},    {30, 300, 100, kToMin},  {30, 300, 10, kNone},
      {200, 350, 150, kToMin}, {200, 350, 250, kToMax}, {200, 350, 30, kNone},
  };
  for (const auto& c : cases) {
    bone->arcMin = c.arcMin;
    bone->arcMax = c.arcMax;
    const float a = c.angle * kPi / 180;
    const RTFVector3D start = V(std::cos(a), 0, std::sin(a));
    RTFVector3D point = start;
    skin::LimitArc(*bone, &point);
    RTFVector3D expected = start;
    if (c.turn != kNone) {
      RTFMatrix4x4 turn;
      Mat4RotationX(&turn, (c.turn == kToMin ? c.arcMin : c.arcMax) * 3.14159265f / 180);
      Mat4RotateVector(turn, start, &expected);
    }
    ExpectNear(point, expected, 1e-5f);
  }
}

TEST_F(Limits, SwingRingsHoldTheirSampleCountToItsBounds) {
  RTBoneNode* bone = RingBone();
  const RTFVector3D centre = V(0, 0, 0);
  const struct {
    float radius;
    uint32_t samples;
  } cases[] = {{1, 40}, {1e9f, skin::kMaxConeSamples}, {-5, 0}, {NAN, 0}};
  for (const auto& c : cases) {
    ASSERT_EQ(bone_model::SetIKTSConstraints(skin_, bone, &centre, c.radius, 0, 0, 360, -30, 30, 3), kRTSuccess);
    EXPECT_EQ(bone->coneSampleCount, c.samples) << c.radius;
  }
  ASSERT_EQ(bone_model::SetIKTSConstraints(skin_, bone, &centre, 1, 0, 0, 360, -30, 30, 1), kRTSuccess);
  EXPECT_EQ(bone->coneSampleCount, 0u) << "DOF 1 keeps what it had";
}

TEST_F(Limits, CustomRotationsAreLimitedOnlyWithConstraints) {
  RTBoneNode* bone = RingBone();
  // With constraints: a swing of 100 degrees about z swings toward the ring's plane at 80 degrees,
  // a twist of 60 degrees about x is held to 30.
  const float limitedSwing = 2 * std::acos(SwingToward(OnRingPlane(80)).w) * 180 / kPi;
  const struct {
    RTFVector3D euler;
    RTBool constraints;
    RTFVector3D expected;
  } cases[] = {
      {V(0, 0, 100), 1, V(0, 0, limitedSwing)},
      {V(60, 0, 0), 1, V(30, 0, 0)},
      {V(0, 0, 100), 0, V(0, 0, 100)},
      {V(60, 0, 0), 0, V(60, 0, 0)},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(bone_model::SetEnableIKConstraints(skin_, c.constraints), kRTSuccess);
    ASSERT_EQ(bone_model::SetCustomTM(skin_, bone, &c.euler), kRTSuccess);
    RTFVector3D back{};
    ASSERT_EQ(bone_model::GetCustomTM(skin_, bone, &back), kRTSuccess);
    ExpectNear(back, c.expected, 1e-3f);
  }
}

// The rotation turns toward the ring's sample at the fraction, held to the ring.
TEST_F(Limits, TheRangeTestHoldsItsFractionToTheRing) {
  RTBoneNode* bone = RingBone();
  ASSERT_EQ(bone_model::SetEnableIKConstraints(skin_, 0), kRTSuccess);
  const RTFVector3D last = bone->coneSamples[bone->coneSampleCount - 1];
  for (float fraction : {1.0f, 5.0f}) {
    ASSERT_EQ(bone_model::ResetCustom(skin_, bone), kRTSuccess);
    ASSERT_EQ(bone_model::SetIKRangeTest(skin_, bone, fraction), kRTSuccess);
    ExpectQuat(bone->rotation, SwingToward(last));
  }
  for (float fraction : {NAN, -1.0f}) {
    ASSERT_EQ(bone_model::ResetCustom(skin_, bone), kRTSuccess);
    ASSERT_EQ(bone_model::SetIKRangeTest(skin_, bone, fraction), kRTSuccess);
    ExpectQuat(bone->rotation, SwingToward(bone->coneSamples[0]));
  }
}

TEST_F(Limits, CopyIKGivesTheOtherSkinThisSkinsLimits) {
  RTBoneNode* source = RingBone();
  const RTInstance from = skin_;
  RTInstance to = NewSkin();
  const RTFMatrix4x4 identity = Identity();
  RTBoneNode* root = AddBone(to, u"Bone", nullptr, identity, identity);
  RTBoneNode* child = AddBone(to, u"Tip", root, identity, identity);
  AddBone(to, u"Extra", root, identity, identity);
  ASSERT_EQ(bone_model::CopyIK(from, to), kRTSuccess);
  EXPECT_EQ(root->radiusA, source->radiusA);
  EXPECT_EQ(root->coneSampleCount, 220u) << "rebuilt: 10 x 20 + 20";
  EXPECT_EQ(child->dof, source->children[0]->dof);
  EXPECT_EQ(bone_model::CopyIK(from, NewMesh()), kRTFailure);
}

class Chains : public ArmTest {
 protected:
  void SetUp() override {
    ArmTest::SetUp();
    MakeArm(1);
    ASSERT_EQ(bone_model::CreateIKChain(skin_, u"Shoulder", u"Hand", u"Arm", &chain_), kRTSuccess);
  }
  // Aims the chain at the point and activates it.
  void Aim(const RTFVector3D& at) {
    const RTFMatrix4x4 target = Translation(at.x, at.y, at.z);
    ASSERT_EQ(bone_model::SetIKTarget(skin_, &target, chain_), kRTSuccess);
    ASSERT_EQ(bone_model::SetIKChainActive(skin_, 1, chain_), kRTSuccess);
  }
  skin::IKChain& Chain() { return *skin::StateOf(skin_)->chains[chain_]; }

  int32_t chain_ = -1;
};

TEST_F(Chains, MethodsNameTheirChainAndLinks) {
  int32_t count = 0, links = 0, index = -1;
  ASSERT_EQ(bone_model::GetIKChainsCount(skin_, &count), kRTSuccess);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(bone_model::GetIKChainLinkCount(skin_, chain_, &links), kRTSuccess);
  EXPECT_EQ(links, 3);
  RTBoneNode* link = nullptr;
  ASSERT_EQ(bone_model::GetIKChainLink(skin_, chain_, &link, 2), kRTSuccess);
  EXPECT_EQ(link, shoulder_);
  EXPECT_EQ(bone_model::GetIKChainLink(skin_, chain_, &link, 3), kRTFailure);
  EXPECT_EQ(bone_model::GetIKChainLinkCount(skin_, 1, &links), kRTFailure);
  EXPECT_EQ(bone_model::SetIKDirty(skin_, -1), kRTFailure);

  const struct {
    const char16_t *root, *end;
  } refused[] = {{u"Shoulder", u"Foot"}, {u"Hand", u"Elbow"}, {u"Hand", u"Hand"}};
  for (const auto& r : refused) EXPECT_EQ(bone_model::CreateIKChain(skin_, r.root, r.end, u"Bad", &index), kRTFailure);

  ASSERT_EQ(bone_model::CreateIKChain(skin_, u"Elbow", u"Hand", u"Forearm", &index), kRTSuccess);
  EXPECT_EQ(index, 1);
  Aim(V(2, 0, 0));
  for (RTBoneNode* bone : {hand_, elbow_, shoulder_}) EXPECT_EQ(bone->custom, 1u);
  ASSERT_EQ(bone_model::SetIKChain(skin_, u"Elbow", u"Hand", u"Lower arm", 0, chain_), kRTSuccess);
  EXPECT_EQ(shoulder_->custom, 0u) << "the old links are let go";
  const char16_t *root = nullptr, *end = nullptr, *name = nullptr;
  RTBool active = 1;
  ASSERT_EQ(bone_model::GetIKChain(skin_, &root, &end, &name, &active, chain_), kRTSuccess);
  EXPECT_EQ(std::u16string(root), u"Elbow");
  EXPECT_EQ(std::u16string(name), u"Lower arm");
  EXPECT_EQ(active, 0u);
  EXPECT_EQ(bone_model::SetIKChain(skin_, u"Foot", u"Hand", u"Lower arm", 1, chain_), kRTFailure);

  ASSERT_EQ(bone_model::DeleteIKChain(skin_, 0), kRTSuccess);
  ASSERT_EQ(bone_model::GetIKChain(skin_, &root, &end, &name, &active, 0), kRTSuccess);
  EXPECT_EQ(std::u16string(name), u"Forearm") << "later chains move down";
  ASSERT_EQ(bone_model::DeleteIKChain(skin_, 0), kRTSuccess);
  EXPECT_EQ(bone_model::DeleteIKChain(skin_, 0), kRTFailure);
}

TEST_F(Chains, TheSettingsMarkEveryChainAndTheDamperTakesNoPart) {
  Aim(V(1, 1, 0));
  ASSERT_EQ(Pose(), kRTSuccess);
  EXPECT_EQ(Chain().dirty, 0u);
  const RTFVector3D solved = HandAt();
  ASSERT_EQ(bone_model::SetIKDamper(skin_, 5), kRTSuccess);
  EXPECT_EQ(Chain().dirty, 1u);
  float damper = 0;
  ASSERT_EQ(bone_model::GetIKDamper(skin_, &damper), kRTSuccess);
  EXPECT_EQ(damper, 5);
  ASSERT_EQ(Pose(), kRTSuccess);
  ExpectNear(HandAt(), solved, 0);
}

TEST_F(Chains, AReachableTargetIsReachedWithinTheGoalDistance) {
  Aim(V(1, 1, 0));
  ASSERT_EQ(Pose(), kRTSuccess);
  EXPECT_LE(Vec3Distance(HandAt(), V(1, 1, 0)), 0.001f);
  EXPECT_TRUE(std::isfinite(shoulder_->rotation.w));
}

TEST_F(Chains, ATargetAlreadyReachedMovesNothing) {
  Aim(V(2, 0, 0));
  const RTFMatrix4x4 elbow = elbow_->customMatrix;
  ASSERT_TRUE(skin::SolveIK(*skin::StateOf(skin_), motion_));
  EXPECT_EQ(Chain().dirty, 0u);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(elbow_->customMatrix.m[i][j], elbow.m[i][j]);
  EXPECT_TRUE(skin::SolveIK(*skin::StateOf(skin_), motion_)) << "not dirty: nothing to solve";
}

TEST_F(Chains, IterationLimitZeroTakesOneStep) {
  ASSERT_EQ(bone_model::SetIKIterations(skin_, 0), kRTSuccess);
  Aim(V(1, 1, 0));
  EXPECT_FALSE(skin::SolveIK(*skin::StateOf(skin_), motion_));
  EXPECT_NE(elbow_->customMatrix.m[0][1], 0.0f) << "the link above the end effector turned";
  EXPECT_EQ(shoulder_->customMatrix.m[0][1], 0.0f) << "the chain root did not";
}

TEST_F(Chains, AnUnreachableTargetRunsOutOfIterations) {
  Aim(V(5, 0, 5));
  EXPECT_FALSE(skin::SolveIK(*skin::StateOf(skin_), motion_));
  Chain().dirty = 1;
  EXPECT_EQ(Pose(), kRTSuccess);
  EXPECT_GT(Vec3Distance(HandAt(), V(5, 0, 5)), 1.0f);
}

// The elbow rests twisted 60 degrees about its x axis: the solver holds the twist to 30 degrees
// with constraints off too.
TEST_F(Chains, WithoutConstraintsTheSolverStillHoldsTheTwist) {
  RTFMatrix4x4 twisted;
  Mat4RotationX(&twisted, 60 * kPi / 180);
  Mat4SetTranslation(&twisted, V(1, 0, 0));
  elbow_->restLocal = twisted;
  ASSERT_EQ(bone_model::SetEnableIKConstraints(skin_, 0), kRTSuccess);
  Aim(V(1, 1, 0.5f));
  EXPECT_NEAR(TwistDegrees(*elbow_), 60, 1e-3f) << "activated in its rest pose";
  ASSERT_EQ(Pose(), kRTSuccess);
  EXPECT_LE(TwistDegrees(*elbow_), 30.001f);
}

TEST_F(Chains, DeactivatingHandsTheLinksBackToTheMotion) {
  Aim(V(1, 1, 0));
  ASSERT_EQ(Pose(), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKChainActive(skin_, 0, chain_), kRTSuccess);
  for (RTBoneNode* bone : {hand_, elbow_, shoulder_}) EXPECT_EQ(bone->custom, 0u);
  ASSERT_EQ(Pose(), kRTSuccess);
  ExpectNear(HandAt(), V(2, 0, 0));
}

class LongArm : public ArmTest {};

// Links of 2.5 units make quaternions longer than one (the half-way quaternion keeps the length of
// its first vector): the twist's w leaves [-1, 1], which must not turn the pose into NaN.
TEST_F(LongArm, AReachBeyondOneUnitSolvesWithoutNaN) {
  MakeArm(2.5f);
  int32_t chain = -1;
  ASSERT_EQ(bone_model::CreateIKChain(skin_, u"Shoulder", u"Hand", u"Arm", &chain), kRTSuccess);
  const RTFMatrix4x4 target = Translation(3, 3, 1);
  ASSERT_EQ(bone_model::SetIKTarget(skin_, &target, chain), kRTSuccess);
  ASSERT_EQ(bone_model::SetIKChainActive(skin_, 1, chain), kRTSuccess);
  ASSERT_EQ(Pose(), kRTSuccess);
  for (const RTBoneNode* bone : {shoulder_, elbow_, hand_}) {
    EXPECT_TRUE(Finite(bone->worldMatrix)) << std::u16string(bone->name).size();
    EXPECT_TRUE(Finite(bone->customMatrix));
  }
}

}  // namespace

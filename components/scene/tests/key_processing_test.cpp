// Key reduction, resampling and the control points of the rotation keys.
#include <cmath>
#include <string>
#include <vector>

#include "kivo/support/quaternion_curve.h"
#include "motion_fixture.h"

namespace {

using namespace motiontest;
using namespace kivo;

constexpr float kDegree = 3.14159265f / 180;

template <class Key>
std::vector<float> Times(const KeyChannel<Key>& channel) {
  std::vector<float> times;
  for (uint32_t i = 0; i < channel.count; ++i) times.push_back(channel.keys[i].time);
  return times;
}

class KeyProcessing : public MotionTest {
 protected:
  // A motion from 0 to `end` with one node holding the keys.
  MotionNode* OneNode(const NodeKeys& keys, float end = 4) {
    motion_ = NewMotion();
    EXPECT_EQ(motion::SetInfo(motion_, 0, end), kRTSuccess);
    return Add(motion_, u"Bip01", nullptr, keys);
  }

  RTInstance motion_ = nullptr;
};

TEST_F(KeyProcessing, ThresholdKeepsKeysThatMoveAwayFromTheLastKeptOne) {
  // Values at times 0, 1, 2 ...; the first and last keys always stay.
  const struct {
    const char* what;
    std::vector<float> values;
    float threshold;
    std::vector<float> kept;
  } cases[] = {
      {"small steps drift until one is far enough", {0, 0.08f, 0.16f, 0.2f, 0.31f}, 0.1f, {0, 2, 4}},
      {"a step of exactly the threshold is dropped", {0, 0.25f, 0.5f}, 0.25f, {0, 2}},
      {"the last key stays however close", {0, 1, 1.01f}, 0.1f, {0, 1, 2}},
      {"two keys stay two", {0, 0}, 5, {0, 1}},
      {"a negative threshold reduces nothing", {0, 0, 0}, -1, {0, 1, 2}},
  };
  for (const auto& c : cases) {
    NodeKeys keys;
    for (size_t i = 0; i < c.values.size(); ++i) {
      keys.positions.push_back(PosKey(static_cast<float>(i), 0, c.values[i], 0));
      keys.scales.push_back(SclKey(static_cast<float>(i), 1, 1, 1 + c.values[i]));
      keys.rotations.push_back(RotKey(static_cast<float>(i), Turn(c.values[i] / kDegree, 1, 0, 0)));
    }
    MotionNode* node = OneNode(keys);
    EXPECT_EQ(motion::SetThreshold(motion_, c.threshold), kRTSuccess) << c.what;
    EXPECT_EQ(Times(node->positions), c.kept) << c.what << ": positions";
    EXPECT_EQ(Times(node->scales), c.kept) << c.what << ": scales";
    EXPECT_EQ(Times(node->rotations), c.kept) << c.what << ": rotations (Euler angles in radians)";
  }
}

TEST_F(KeyProcessing, RotationsCompareEveryEulerAngle) {
  NodeKeys keys;
  keys.rotations = {RotKey(0, Turn(0, 0, 1, 0)), RotKey(1, Turn(3, 0, 1, 0)), RotKey(2, Turn(8, 0, 0, 1)),
                    RotKey(3, Turn(4, 0, 0, 1)), RotKey(4, Turn(0, 0, 1, 0))};
  MotionNode* node = OneNode(keys);
  ASSERT_EQ(motion::SetThreshold(motion_, 5 * kDegree), kRTSuccess);
  // 3 degrees about y: dropped; 8 about z: kept; 4 about z is 4 from that one: dropped.
  EXPECT_EQ(Times(node->rotations), (std::vector<float>{0, 2, 4}));
}

TEST_F(KeyProcessing, ProcessingStartsFromTheKeysAsGiven) {
  NodeKeys keys;
  for (int i = 0; i < 5; ++i) keys.positions.push_back(PosKey(static_cast<float>(i), 0.01f * i, 0, 0));
  MotionNode* node = OneNode(keys);
  ASSERT_EQ(motion::SetThreshold(motion_, 1), kRTSuccess);
  EXPECT_EQ(node->positions.count, 2u);
  ASSERT_EQ(motion::SetThreshold(motion_, 0.015f), kRTSuccess);
  EXPECT_EQ(Times(node->positions), (std::vector<float>{0, 2, 4})) << "not from the two keys left before";
  ASSERT_EQ(motion::SetThreshold(motion_, 0), kRTSuccess);
  EXPECT_EQ(Times(node->positions), (std::vector<float>{0, 1, 2, 3, 4})) << "threshold 0 restores them";
  float threshold = 1;
  ASSERT_EQ(motion::GetThreshold(motion_, &threshold), kRTSuccess);
  EXPECT_EQ(threshold, 0.0f);
}

TEST_F(KeyProcessing, ResamplingAtAPeriod) {
  NodeKeys keys;
  keys.positions = {PosKey(0.5f, 5, 0, 0), PosKey(1, 10, 0, 0), PosKey(2, 20, 0, 0)};
  keys.rotations = {RotKey(0, Turn(0, 1, 0, 0)), RotKey(2, Turn(90, 1, 0, 0))};  // two keys: not resampled
  MotionNode* node = OneNode(keys, 2);
  ASSERT_EQ(motion::SetPeriod(motion_, 0.5f), kRTSuccess);
  // Samples at 0 (before the first key: its value), 0.5, 1 and 1.5, then the old last key.
  EXPECT_EQ(Times(node->positions), (std::vector<float>{0, 0.5f, 1, 1.5f, 2}));
  const float expected[] = {5, 5, 10, 15, 20};
  for (uint32_t i = 0; i < node->positions.count; ++i) EXPECT_FLOAT_EQ(node->positions.keys[i].position.x, expected[i]);
  EXPECT_EQ(Times(node->rotations), (std::vector<float>{0, 2}));

  ASSERT_EQ(motion::SetPeriod(motion_, 2), kRTSuccess) << "a period of end - start";
  EXPECT_EQ(Times(node->positions), (std::vector<float>{0, 2}));
  EXPECT_FLOAT_EQ(node->positions.keys[0].position.x, 5);
  EXPECT_FLOAT_EQ(node->positions.keys[1].position.x, 20);
}

TEST_F(KeyProcessing, PeriodsThatAreRefused) {
  NodeKeys keys;
  keys.positions = {PosKey(0, 0, 0, 0), PosKey(1, 1, 0, 0), PosKey(2, 2, 0, 0)};
  MotionNode* node = OneNode(keys, 2);
  ASSERT_EQ(motion::SetPeriod(motion_, 1), kRTSuccess);
  const float refused[] = {-1, 2.5f, 1e-9f};
  for (float period : refused) {
    EXPECT_EQ(motion::SetPeriod(motion_, period), kRTFailure) << period;
    float kept = 0;
    ASSERT_EQ(motion::GetPeriod(motion_, &kept), kRTSuccess);
    EXPECT_EQ(kept, 1.0f) << period;
  }
  EXPECT_TRUE(Logged("RTAnimTrack::SetPeriod(): a period of 0.000000 up to 2.000000 needs more than 1000000 samples"));
  EXPECT_EQ(node->positions.count, 3u);

  // The end time moves after the period was set: the next processing says so and leaves the
  // keys reduced but not resampled.
  ASSERT_EQ(motion::SetInfo(motion_, 0, 1e7f), kRTSuccess);
  EXPECT_EQ(motion::SetThreshold(motion_, 0.5f), kRTFailure);
  EXPECT_TRUE(
      Logged("RTAnimTrack::ResampleKeysByPeriod(): a period of 1.000000 up to 10000000.000000 needs more "
             "than 1000000 samples; the keys are not resampled"));
  EXPECT_EQ(Times(node->positions), (std::vector<float>{0, 1, 2}));
}

TEST_F(KeyProcessing, ControlPointsWrapAroundWhenContinuous) {
  NodeKeys keys;
  for (int i = 0; i < 4; ++i) keys.rotations.push_back(RotKey(static_cast<float>(i), Turn(40 * i * i, 0, 1, 0)));
  MotionNode* node = OneNode(keys);
  auto q = [&](uint32_t i) { return AsQuat(node->rotations.keys[i].rotation); };
  auto control = [&](uint32_t i) { return AsQuat(node->rotations.keys[i].control); };
  Quaternion expected;
  ASSERT_EQ(motion::SetContinuous(motion_, 1), kRTSuccess);
  SquadControl(q(2), q(0), q(1), &expected);
  ExpectQuat(control(0), expected);
  SquadControl(q(2), q(3), q(0), &expected);
  QuatAlign(&expected, control(2));
  ExpectQuat(control(3), expected);

  ASSERT_EQ(motion::SetContinuous(motion_, 0), kRTSuccess);
  SquadControl(q(0), q(0), q(1), &expected);
  ExpectQuat(control(0), expected);
  SquadControl(q(2), q(3), q(3), &expected);
  QuatAlign(&expected, control(2));
  ExpectQuat(control(3), expected);
}

TEST_F(KeyProcessing, ControlPointsFollowOneAnothersSign) {
  NodeKeys keys;
  keys.rotations = {RotKey(0, Turn(0, 0, 0, 1)), RotKey(1, Turn(60, 0, 0, 1)), RotKey(2, Turn(120, 0, 0, 1))};
  KeyQuaternion& flipped = keys.rotations[1].rotation;  // the same rotation on the far side
  flipped = KeyQuaternion{-flipped.w, RTFVector3D{-flipped.v.x, -flipped.v.y, -flipped.v.z, 0}};
  MotionNode* node = OneNode(keys);
  ASSERT_EQ(motion::SetContinuous(motion_, 1), kRTSuccess);
  for (uint32_t i = 1; i < 3; ++i) {
    EXPECT_GE(QuatDot(AsQuat(node->rotations.keys[i - 1].control), AsQuat(node->rotations.keys[i].control)), 0)
        << "controls " << i - 1 << " and " << i;
  }
}

}  // namespace

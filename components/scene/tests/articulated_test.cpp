// The motion player: its time advanced once per frame time at its rate, wrapped or held, the
// checked choice of motion, the blend into a new motion, the motions added or replaced by the
// articulated level, and its stream.
#include <cmath>
#include <string>

#include "host/stream_bytes.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"
#include "motion_fixture.h"
#include "skin_fixture.h"

namespace {

using namespace skintest;
using namespace kivo;
using tesk::testing::StreamBytes;

class Player : public SkinTest {
 protected:
  // A motion from 0 to 1 whose one node moves along x as fast as time goes, keyed beyond the end
  // (a looped lookup takes a last segment toward the first key): its position shows the time.
  RTInstance Ruler(const char16_t* name = nullptr, float start = 0, float end = 1) {
    RTInstance motion = NewMotion();
    if (name) {
      EXPECT_EQ(core().SetInstanceName(nullptr, motion, name), kRTSuccess);
    }
    const RTKeyPos keys[] = {motiontest::PosKey(0, 0, 0, 0), motiontest::PosKey(2, 2, 0, 0),
                             motiontest::PosKey(3, 3, 0, 0)};
    EXPECT_EQ(motion::AddNode(motion, u"Bone", keys, nullptr, nullptr, 3, 0, 0, nullptr, nullptr, &node_), kRTSuccess);
    EXPECT_EQ(motion::SetInfo(motion, start, end), kRTSuccess);
    return motion;
  }
  RTInstance Playing(RTInstance motion, RTBool looping, float rate) {
    RTInstance player = New(articulated::kClassName);
    uint32_t index = 9;
    EXPECT_EQ(rigid::AppendMotion(player, motion, &index), kRTSuccess);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(rigid::SetLooping(player, looping), kRTSuccess);
    EXPECT_EQ(rigid::SetPlaying(player, 1), kRTSuccess);
    EXPECT_EQ(rigid::SetRate(player, rate), kRTSuccess);
    return player;
  }
  // The motion time after the evaluation at the frame time; the node must show it.
  float At(RTInstance player, uint32_t milliseconds) {
    InstanceRef motion;
    EXPECT_EQ(rigid::Evaluate(player, milliseconds, motion.out()), kRTSuccess);
    float time = -1;
    rigid::GetMotionTime(player, &time);
    EXPECT_NEAR(node_->position.position.x, time, 1e-6f) << "evaluated at the motion time";
    return time;
  }

  MotionNode* node_ = nullptr;
};

TEST_F(Player, AdvancesOncePerFrameTimeAtItsRateAndWrapsALoop) {
  RTInstance player = Playing(Ruler(), 1, 2);
  EXPECT_EQ(At(player, 1000), 0.0f) << "the first frame time starts the clock";
  EXPECT_EQ(At(player, 1250), 0.5f);
  EXPECT_EQ(At(player, 1250), 0.5f) << "once per frame time";
  EXPECT_EQ(At(player, 1500), 0.0f) << "wrapped around the span";
  EXPECT_NEAR(At(player, 1600), 0.2f, 1e-6f);
  EXPECT_NEAR(At(player, 1500), 0.2f, 1e-6f) << "a frame time that went back counts as none";
  RTBool done = 1;
  ASSERT_EQ(rigid::IsMotionDone(player, &done), kRTSuccess);
  EXPECT_EQ(done, 0u);

  ASSERT_EQ(rigid::SetPlaying(player, 0), kRTSuccess);
  EXPECT_NEAR(At(player, 2000), 0.2f, 1e-6f) << "held while not playing";
}

TEST_F(Player, AMotionThatDoesNotLoopHoldsAtItsEnd) {
  RTInstance player = Playing(Ruler(), 0, 1);
  ASSERT_EQ(rigid::SetMotionTime(player, 0.75f), kRTSuccess);
  At(player, 0);
  EXPECT_EQ(At(player, 500), 1.0f);
  RTBool done = 0;
  ASSERT_EQ(rigid::IsMotionDone(player, &done), kRTSuccess);
  EXPECT_EQ(done, 1u);
}

// A player among a node's modifiers: Play starts the motion at its start, and PlaceNode places the
// node at the motion's first node's transform in the frame of the placement it had when the player
// first played; a stopped player leaves it.
TEST_F(Player, PlaysFromTheStartAndPlacesItsNodeFromTheFirstPlacement) {
  RTInstance player = Playing(Ruler(nullptr, 0.5f, 2.0f), 0, 1);
  ASSERT_EQ(rigid::SetPlaying(player, 0), kRTSuccess);
  ASSERT_EQ(rigid::SetMotionTime(player, 1.75f), kRTSuccess);
  RTFMatrix4x4 placement;
  Mat4Identity(&placement);
  Mat4SetTranslation(&placement, RTFVector3D{10, 0, 3, 0});
  RTBool placed = 9;
  ASSERT_EQ(rigid::PlaceNode(player, 0, &placement, &placed), kRTSuccess);
  EXPECT_EQ(placed, 0u) << "not playing";
  EXPECT_EQ(placement.m[3][0], 10.0f);

  ASSERT_EQ(rigid::Play(player, 1), kRTSuccess);
  float time = -1;
  rigid::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.5f) << "from the motion's start";
  ASSERT_EQ(rigid::PlaceNode(player, 1000, &placement, &placed), kRTSuccess);
  EXPECT_EQ(placed, 1u);
  EXPECT_NEAR(placement.m[3][0], 10.5f, 1e-5f);
  EXPECT_EQ(placement.m[3][2], 3.0f);
  ASSERT_EQ(rigid::PlaceNode(player, 1500, &placement, &placed), kRTSuccess);
  EXPECT_NEAR(placement.m[3][0], 11.0f, 1e-5f) << "from the first placement, not the last";

  ASSERT_EQ(rigid::Play(player, 0), kRTSuccess);
  ASSERT_EQ(rigid::PlaceNode(player, 1800, &placement, &placed), kRTSuccess);
  EXPECT_EQ(placed, 0u);
  EXPECT_NEAR(placement.m[3][0], 11.0f, 1e-5f) << "the pose stays";

  EXPECT_EQ(rigid::PlayNodeAnimation(player, 3, 1), kRTFailure) << "no motion 3";
  ASSERT_EQ(rigid::PlaceNode(player, 1900, &placement, &placed), kRTSuccess);
  EXPECT_EQ(placed, 0u) << "a refused motion starts nothing";
  EXPECT_EQ(rigid::PlayNodeAnimation(player, 0, 1), kRTSuccess);
  ASSERT_EQ(rigid::PlaceNode(player, 1900, &placement, &placed), kRTSuccess);
  EXPECT_EQ(placed, 1u);
}

TEST_F(Player, TheMotionIsChosenByACheckedIndex) {
  RTInstance player = Playing(Ruler(), 1, 1);
  uint32_t index = 0;
  ASSERT_EQ(rigid::AppendMotion(player, Ruler(nullptr, 0.25f, 2), &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  ASSERT_EQ(rigid::SetMotionTime(player, 0.5f), kRTSuccess);
  ASSERT_EQ(rigid::SetMotion(player, 0), kRTSuccess);
  float time = 0;
  rigid::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.5f) << "the current motion again changes nothing";
  ASSERT_EQ(rigid::SetMotion(player, 1), kRTSuccess);
  rigid::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.25f) << "a new motion starts at its start";
  EXPECT_EQ(rigid::SetMotion(player, 2), kRTFailure);
  EXPECT_TRUE(Logged("RTRigid::SetMotion(): motion 2 of 2"));
  ASSERT_EQ(rigid::GetMotion(player, &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(rigid::AppendMotion(player, NewMesh(), &index), kRTFailure);
  EXPECT_EQ(rigid::AppendMotion(player, nullptr, &index), kRTFailure);

  RTInstance empty = New(articulated::kClassName);
  RTInstance motion = player;
  EXPECT_EQ(rigid::Evaluate(empty, 0, &motion), kRTFailure);
  EXPECT_EQ(motion, nullptr);
  RTBool done = 0;
  ASSERT_EQ(rigid::IsMotionDone(empty, &done), kRTSuccess);
  EXPECT_EQ(done, 1u);
}

TEST_F(Player, AChangeOfMotionBlendsFromTheMotionLeftOverTheTweenTime) {
  RTInstance player = Playing(Ruler(), 1, 1);
  RTInstance still = NewMotion();
  const RTKeyPos keys[] = {motiontest::PosKey(0, 10, 0, 0), motiontest::PosKey(1, 10, 0, 0)};
  MotionNode* node = nullptr;
  ASSERT_EQ(motion::AddNode(still, u"Bone", keys, nullptr, nullptr, 2, 0, 0, nullptr, nullptr, &node), kRTSuccess);
  ASSERT_EQ(motion::SetInfo(still, 0, 1), kRTSuccess);
  uint32_t index = 0;
  ASSERT_EQ(rigid::AppendMotion(player, still, &index), kRTSuccess);

  float tween = -1;
  ASSERT_EQ(rigid::GetTween(player, &tween), kRTSuccess);
  EXPECT_EQ(tween, 0.0f) << "no blend when made";
  EXPECT_EQ(rigid::SetTween(player, -0.1f), kRTFailure);
  EXPECT_EQ(rigid::SetTween(player, std::nanf("")), kRTFailure);
  ASSERT_EQ(rigid::SetTween(player, 0.5f), kRTSuccess);
  ASSERT_EQ(rigid::GetTween(player, &tween), kRTSuccess);
  EXPECT_EQ(tween, 0.5f);

  ASSERT_EQ(rigid::SetMotionTime(player, 0.5f), kRTSuccess);
  At(player, 1000);
  ASSERT_EQ(rigid::SetMotion(player, index), kRTSuccess);
  const auto blended = [&](uint32_t milliseconds) {
    InstanceRef evaluated;
    EXPECT_EQ(rigid::Evaluate(player, milliseconds, evaluated.out()), kRTSuccess);
    EXPECT_EQ(evaluated.get(), still);
    return node->position.position.x;
  };
  EXPECT_NEAR(blended(1000), 0.5f, 1e-5f) << "the pose of the motion left";
  EXPECT_NEAR(blended(1250), 5.25f, 1e-5f) << "halfway into the new motion; the old one held at 0.5";
  EXPECT_NEAR(blended(1500), 10.0f, 1e-5f) << "the new motion alone once the tween time has passed";
}

TEST_F(Player, CustomMotionsJoinTheSetAndAMotionIsReplacedInPlace) {
  RTInstance player = Playing(Ruler(), 1, 1);
  uint32_t index = 0;
  RTInstance custom = Ruler(nullptr, 0.25f, 2);
  ASSERT_EQ(articulated::AddCustomMotion(player, custom, &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  ASSERT_EQ(rigid::SetMotion(player, index), kRTSuccess);
  EXPECT_EQ(RefCount(custom), 2u);

  RTInstance replacement = Ruler(nullptr, 0.5f, 2);
  ASSERT_EQ(articulated::ReplaceMotion(player, 1, replacement), kRTSuccess);
  EXPECT_EQ(RefCount(custom), 1u) << "the motion given up";
  EXPECT_EQ(RefCount(replacement), 2u);
  float time = 0;
  rigid::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.5f) << "the current motion, replaced, plays the new one from its start";
  EXPECT_EQ(At(player, 0), 0.5f);

  EXPECT_EQ(articulated::ReplaceMotion(player, 2, replacement), kRTFailure);
  EXPECT_TRUE(Logged("RTArticulated::ReplaceMotion(): motion 2 of 2"));
  EXPECT_EQ(articulated::ReplaceMotion(player, 0, NewMesh()), kRTFailure);
  EXPECT_EQ(articulated::AddCustomMotion(player, nullptr, &index), kRTFailure);
  EXPECT_EQ(RefCount(replacement), 2u);
}

TEST_F(Player, StreamsItsMotionsByPathAndRefusesDamage) {
  RTInstance player = Playing(Ruler(u"Walk"), 1, 1.5f);
  uint32_t index = 0;
  ASSERT_EQ(rigid::AppendMotion(player, Ruler(u"Run"), &index), kRTSuccess);
  ASSERT_EQ(rigid::SetMotion(player, 1), kRTSuccess);
  ASSERT_EQ(rigid::SetMotionTime(player, 0.25f), kRTSuccess);
  const std::string expected =
      StreamBytes().U32(1).U32(2).Wide(u"Root:Walk").Wide(u"Root:Run").U32(1).U8(1).U8(1).F32(1.5f).F32(0.25f).F32(0).bytes();
  ASSERT_EQ(StreamedOut(player), expected);
  RTInstance copy = New(articulated::kClassName);
  ASSERT_EQ(StreamIn(copy, expected), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy), expected);

  const auto body = [](uint32_t count, const std::u16string& path, uint32_t current, uint8_t flag, float tween = 0) {
    return StreamBytes().U32(1).U32(count).Wide(path).U32(current).U8(flag).U8(1).F32(1).F32(0).F32(tween).bytes();
  };
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"a newer version", StreamBytes().U32(2).bytes(), "no player of version 1 or older"},
      {"a count beyond the bytes left", body(100, u"Root:Walk", 0, 1), "the motion count is missing or larger"},
      {"a path of no motion", body(1, u"Root:Nowhere", 0, 1), "motion 1 of 1 names no RTAnimTrack"},
      {"a current motion beyond the set", body(1, u"Root:Walk", 1, 1), "the current motion 1 lies beyond the 1"},
      {"a flag of 2", body(1, u"Root:Walk", 0, 2), "the playing state is damaged"},
      {"a negative tween time", body(1, u"Root:Walk", 0, 1, -0.5f), "the playing state is damaged"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(copy, c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged(c.message)) << c.what;
    EXPECT_EQ(StreamedOut(copy), expected) << c.what;
  }
}

}  // namespace

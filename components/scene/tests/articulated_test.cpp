// The motion player: its time advanced once per frame time at its rate, wrapped or held, the
// checked choice of motion, and its stream.
#include <string>

#include "host/stream_bytes.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/support/component_calls.h"
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
    EXPECT_EQ(articulated::AppendMotion(player, motion, &index), kRTSuccess);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(articulated::SetLooping(player, looping), kRTSuccess);
    EXPECT_EQ(articulated::SetPlaying(player, 1), kRTSuccess);
    EXPECT_EQ(articulated::SetRate(player, rate), kRTSuccess);
    return player;
  }
  // The motion time after the evaluation at the frame time; the node must show it.
  float At(RTInstance player, uint32_t milliseconds) {
    InstanceRef motion;
    EXPECT_EQ(articulated::Evaluate(player, milliseconds, motion.out()), kRTSuccess);
    float time = -1;
    articulated::GetMotionTime(player, &time);
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
  ASSERT_EQ(articulated::IsMotionDone(player, &done), kRTSuccess);
  EXPECT_EQ(done, 0u);

  ASSERT_EQ(articulated::SetPlaying(player, 0), kRTSuccess);
  EXPECT_NEAR(At(player, 2000), 0.2f, 1e-6f) << "held while not playing";
}

TEST_F(Player, AMotionThatDoesNotLoopHoldsAtItsEnd) {
  RTInstance player = Playing(Ruler(), 0, 1);
  ASSERT_EQ(articulated::SetMotionTime(player, 0.75f), kRTSuccess);
  At(player, 0);
  EXPECT_EQ(At(player, 500), 1.0f);
  RTBool done = 0;
  ASSERT_EQ(articulated::IsMotionDone(player, &done), kRTSuccess);
  EXPECT_EQ(done, 1u);
}

TEST_F(Player, TheMotionIsChosenByACheckedIndex) {
  RTInstance player = Playing(Ruler(), 1, 1);
  uint32_t index = 0;
  ASSERT_EQ(articulated::AppendMotion(player, Ruler(nullptr, 0.25f, 2), &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  ASSERT_EQ(articulated::SetMotionTime(player, 0.5f), kRTSuccess);
  ASSERT_EQ(articulated::SetMotion(player, 0), kRTSuccess);
  float time = 0;
  articulated::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.5f) << "the current motion again changes nothing";
  ASSERT_EQ(articulated::SetMotion(player, 1), kRTSuccess);
  articulated::GetMotionTime(player, &time);
  EXPECT_EQ(time, 0.25f) << "a new motion starts at its start";
  EXPECT_EQ(articulated::SetMotion(player, 2), kRTFailure);
  EXPECT_TRUE(Logged("RTArticulated::SetMotion(): motion 2 of 2"));
  ASSERT_EQ(articulated::GetMotion(player, &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(articulated::AppendMotion(player, NewMesh(), &index), kRTFailure);
  EXPECT_EQ(articulated::AppendMotion(player, nullptr, &index), kRTFailure);

  RTInstance empty = New(articulated::kClassName);
  RTInstance motion = player;
  EXPECT_EQ(articulated::Evaluate(empty, 0, &motion), kRTFailure);
  EXPECT_EQ(motion, nullptr);
  RTBool done = 0;
  ASSERT_EQ(articulated::IsMotionDone(empty, &done), kRTSuccess);
  EXPECT_EQ(done, 1u);
}

TEST_F(Player, StreamsItsMotionsByPathAndRefusesDamage) {
  RTInstance player = Playing(Ruler(u"Walk"), 1, 1.5f);
  uint32_t index = 0;
  ASSERT_EQ(articulated::AppendMotion(player, Ruler(u"Run"), &index), kRTSuccess);
  ASSERT_EQ(articulated::SetMotion(player, 1), kRTSuccess);
  ASSERT_EQ(articulated::SetMotionTime(player, 0.25f), kRTSuccess);
  const std::string expected =
      StreamBytes().U32(1).U32(2).Wide(u"Root:Walk").Wide(u"Root:Run").U32(1).U8(1).U8(1).F32(1.5f).F32(0.25f).bytes();
  ASSERT_EQ(StreamedOut(player), expected);
  RTInstance copy = New(articulated::kClassName);
  ASSERT_EQ(StreamIn(copy, expected), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy), expected);

  const auto body = [](uint32_t count, const std::u16string& path, uint32_t current, uint8_t flag) {
    return StreamBytes().U32(1).U32(count).Wide(path).U32(current).U8(flag).U8(1).F32(1).F32(0).bytes();
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
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(copy, c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged(c.message)) << c.what;
    EXPECT_EQ(StreamedOut(copy), expected) << c.what;
  }
}

}  // namespace

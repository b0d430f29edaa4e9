// Animation control through the script methods: the motions played, looped, held and stopped, the
// one-shot motions appended to the set, the motions the script adds or replaces, and the player's
// settings.
#include <string>

#include "kivo/rigid/rigid_calls.h"
#include "rigid_state.h"
#include "wrapper_fixture.h"

namespace {

using namespace actortest;
namespace calls = kivo::actor;
namespace rigid = kivo::rigid;

constexpr uint32_t kBuiltIn = tesk::testing::kMotionTableSize;

class Animation : public WrapperTest {
 protected:
  void SetUp() override {
    WrapperTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(Create(&actor_, u"Doctor"), kRTSuccess);
    wrapper_ = WrapperOf(&actor_);
  }
  const rigid::RigidState& Player() { return *rigid::StateOf(wrapper_->Animator); }
  Cell Result(varno::NativeMethodSlot slot, std::vector<Cell> arguments = {}) {
    Cell result{};
    EXPECT_EQ(Call(slot, &actor_, std::move(arguments), &result), kRTSuccess);
    return result;
  }
  // Evaluates the player at the frame time, as its skin does once a frame.
  void Frame(uint32_t milliseconds) {
    kivo::InstanceRef motion;
    ASSERT_EQ(rigid::Evaluate(wrapper_->Animator, milliseconds, motion.out()), kRTSuccess);
  }

  int actor_ = 0;
  RTTeskActorWrapper* wrapper_ = nullptr;
};

TEST_F(Animation, PlayAnimationPlaysByIndexAndStopAnimationHoldsOrHandsTheBodyBack) {
  ASSERT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(44), Number(1)}), kRTSuccess);
  EXPECT_EQ(wrapper_->MoveAnimation, 1u);
  EXPECT_EQ(CurrentMotion(wrapper_), 44u);
  EXPECT_EQ(Player().looping, 1u);

  ASSERT_EQ(Call(calls::kStopAnimation, &actor_, {Number(-1)}), kRTSuccess);
  EXPECT_EQ(Player().playing, 0u) << "the pose is held";
  EXPECT_EQ(wrapper_->MoveAnimation, 1u) << "and kept";
  ASSERT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(3), Number(0)}), kRTSuccess);
  ASSERT_EQ(Call(calls::kStopAnimation, &actor_, {Number(0)}), kRTSuccess);
  EXPECT_EQ(CurrentMotion(wrapper_), 3u);
  EXPECT_EQ(Player().looping, 1u) << "the motion loops on";
  EXPECT_EQ(Player().playing, 1u);
  EXPECT_EQ(wrapper_->MoveAnimation, 0u) << "and the body is the per-frame update's again";

  EXPECT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(500), Number(1)}), kRTFailure);
  EXPECT_EQ(CurrentMotion(wrapper_), 3u) << "an index outside the set changes nothing";
  EXPECT_EQ(wrapper_->MoveAnimation, 0u);
}

TEST_F(Animation, EachOneShotAppendsItsMotionAndPlaysUntilItsEnd) {
  ASSERT_EQ(Call(calls::kPlayOneShotAnimation, &actor_, {Text(u"Talk1")}), kRTSuccess);
  EXPECT_EQ(CurrentMotion(wrapper_), kBuiltIn);
  ASSERT_EQ(Call(calls::kPlayOneShotAnimation, &actor_, {Text(u"Talk1")}), kRTSuccess);
  EXPECT_EQ(CurrentMotion(wrapper_), kBuiltIn + 1);
  EXPECT_EQ(Player().motions[kBuiltIn + 1].get(), Player().motions[8].get()) << "Talk1 stands at 8";
  EXPECT_EQ(Player().looping, 0u);
  EXPECT_EQ(wrapper_->MoveAnimation, 1u);
  Frame(1000);
  EXPECT_EQ(Result(calls::kIsAnimationPlaying).value.number, 1);
  Frame(1900);
  EXPECT_EQ(Result(calls::kIsAnimationPlaying).value.number, 1);
  Frame(2100);
  EXPECT_EQ(Result(calls::kIsAnimationPlaying).value.number, 0) << "past the end of the one-second motion";
}

TEST_F(Animation, NamesThatNameNoMotionAreAnsweredEachInItsOwnWay) {
  Cell result = Result(calls::kAddMotion, {Text(u"Root:Characters"), Text(u"Nowhere")});
  EXPECT_EQ(result.type, varno::kTypeNumber);
  EXPECT_EQ(result.value.number, -1);
  EXPECT_EQ(Call(calls::kAddCustomAnimation, &actor_, {Text(u"Nowhere")}), kRTFailure);
  EXPECT_EQ(Call(calls::kReplaceAnimation, &actor_, {Number(3), Text(u"Nowhere")}), kRTFailure);
  EXPECT_EQ(Logged("Cannot find custom animation"), 2u);
  ASSERT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(5), Number(1)}), kRTSuccess);
  ASSERT_EQ(Call(calls::kStopAnimation, &actor_, {Number(0)}), kRTSuccess);
  EXPECT_EQ(Call(calls::kPlayOneShotAnimation, &actor_, {Text(u"Nowhere")}), kRTSuccess);
  EXPECT_EQ(Logged("Cannot locate animation: Nowhere"), 1u);
  EXPECT_EQ(CurrentMotion(wrapper_), 5u) << "the body keeps its motion";
  EXPECT_EQ(wrapper_->MoveAnimation, 1u);
  EXPECT_EQ(Player().motions.size(), kBuiltIn);

  // Names that would make a path beyond the limits are found nowhere.
  const std::u16string longName(500, u'x');
  EXPECT_EQ(Result(calls::kAddMotion, {Text(u"Root:Characters"), Text(longName.c_str())}).value.number, -1);
  EXPECT_EQ(Call(calls::kAddCustomAnimation, &actor_, {Text(longName.substr(0, 240).c_str())}), kRTFailure);
  EXPECT_EQ(Player().motions.size(), kBuiltIn);
}

TEST_F(Animation, MotionsAreAddedByPathAndByNameAndReplacedInPlace) {
  EXPECT_EQ(Result(calls::kAddMotion, {Text(u"Root:Characters"), Text(u"DrProto_walk")}).value.number,
            static_cast<int32_t>(kBuiltIn));
  EXPECT_EQ(Result(calls::kAddCustomAnimation, {Text(u"die")}).value.number, static_cast<int32_t>(kBuiltIn + 1));
  ASSERT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(kBuiltIn + 1), Number(0)}), kRTSuccess)
      << "a custom motion plays by its index";
  ASSERT_EQ(Call(calls::kReplaceAnimation, &actor_, {Number(3), Text(u"Talk2")}), kRTSuccess);
  EXPECT_EQ(Player().motions[3].get(), Player().motions[9].get()) << "Talk2 stands at 9";
  EXPECT_EQ(Call(calls::kReplaceAnimation, &actor_, {Number(900), Text(u"Talk2")}), kRTFailure);
  int stranger = 0;
  Cell result{};
  EXPECT_EQ(Call(calls::kAddMotion, &stranger, {Text(u"Root:Characters"), Text(u"DrProto_walk")}, &result), kRTFailure)
      << "found, but the object has no wrapper";
  EXPECT_EQ(Player().motions.size(), kBuiltIn + 2);
}

TEST_F(Animation, TheTweenTimePositionAndRateAreThePlayers) {
  EXPECT_EQ(Result(calls::kGetAnimationTweenTime).value.real, 0.1f);
  const struct {
    varno::NativeMethodSlot set;
    varno::NativeMethodSlot get;
    float value;
  } settings[] = {{calls::kSetAnimationTweenTime, calls::kGetAnimationTweenTime, 0.25f},
                  {calls::kSetAnimationPosition, calls::kGetAnimationPosition, 0.5f},
                  {calls::kSetAnimationRate, calls::kGetAnimationRate, 2.0f}};
  for (const auto& setting : settings) {
    ASSERT_EQ(Call(setting.set, &actor_, {Real(setting.value)}), kRTSuccess);
    EXPECT_EQ(Result(setting.get).value.real, setting.value);
    EXPECT_EQ(Call(setting.set, &actor_, {Number(9)}), kRTFailure) << "a number is no real";
    EXPECT_EQ(Result(setting.get).value.real, setting.value);
  }
  EXPECT_EQ(Call(calls::kSetAnimationTweenTime, &actor_, {Real(-1.0f)}), kRTFailure);
  for (varno::NativeMethodSlot ignored : {calls::kSetIconColor, calls::kSetIconRadius})
    EXPECT_EQ(Call(ignored, &actor_, {}), kRTSuccess);
}

TEST_F(Animation, WithoutAWrapperOrWithAMistypedArgumentNothingHappens) {
  int stranger = 0;
  for (varno::NativeMethodSlot slot : {calls::kPlayAnimation, calls::kStopAnimation, calls::kIsAnimationPlaying,
                        calls::kGetAnimationTweenTime, calls::kSetIconColor, calls::kPlayOneShotAnimation})
    EXPECT_EQ(Call(slot, &stranger, {Number(1), Number(1)}), kRTFailure) << slot;
  EXPECT_EQ(Call(calls::kPlayAnimation, &actor_, {Text(u"44"), Number(1)}), kRTFailure);
  EXPECT_EQ(Call(calls::kPlayAnimation, &actor_, {Number(44)}), kRTFailure);
  EXPECT_EQ(Call(calls::kPlayOneShotAnimation, &actor_, {Number(44)}), kRTFailure);
  EXPECT_EQ(CurrentMotion(wrapper_), 0u);
  EXPECT_EQ(wrapper_->MoveAnimation, 0u);
}

}  // namespace

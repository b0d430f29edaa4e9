// The neighbourhood split: whether one actor ranks above another (and is steered around), over the
// player, doctors and other actors, on foot and in vehicles, with ties broken by age; and where an
// actor asked to make way steps to.
#include "ranking.h"

#include <gtest/gtest.h>

#include "actor_frame.h"
#include "side_step.h"

namespace {

using tesk::actor::RanksAbove;

constexpr int32_t kPlayer = 0;
constexpr int32_t kDoctor = 1;
constexpr int32_t kOther = -1;
using kivo::actor::kOnFoot;

RTTeskActorWrapper Actor(int32_t priority, uint32_t mode, uint32_t serial) {
  RTTeskActorWrapper w{};
  w.AvoidPriority = priority;
  w.VehicleMode = mode;
  w.Serial = serial;
  return w;
}

TEST(Neighbourhood, WhoRanksAboveWhom) {
  const struct {
    const char* what;
    RTTeskActorWrapper self;
    RTTeskActorWrapper other;
    bool above;
  } cases[] = {
      {"the player steers around no one on foot", Actor(kPlayer, kOnFoot, 9), Actor(kDoctor, kOnFoot, 1), false},
      {"the player steers around a vehicle", Actor(kPlayer, kOnFoot, 1), Actor(kOther, 5, 9), true},
      {"a doctor yields to the player", Actor(kDoctor, kOnFoot, 1), Actor(kPlayer, kOnFoot, 9), true},
      {"another actor yields to a doctor", Actor(kOther, kOnFoot, 1), Actor(kDoctor, kOnFoot, 9), true},
      {"a doctor does not yield to another actor", Actor(kDoctor, kOnFoot, 9), Actor(kOther, kOnFoot, 1), false},
      {"equal priorities: the older ranks above", Actor(kOther, kOnFoot, 5), Actor(kOther, kOnFoot, 4), true},
      {"equal priorities: the younger ranks below", Actor(kOther, kOnFoot, 5), Actor(kOther, kOnFoot, 6), false},
      {"same vehicle mode: the older ranks above", Actor(kDoctor, 5, 5), Actor(kPlayer, 5, 4), true},
      {"same vehicle mode: age, not priority", Actor(kDoctor, 5, 5), Actor(kPlayer, 5, 6), false},
      {"the lower mode ranks above", Actor(kOther, kOnFoot, 1), Actor(kOther, 5, 9), true},
      {"the higher mode ranks below", Actor(kOther, 5, 1), Actor(kOther, kOnFoot, 0), false},
  };
  for (const auto& c : cases) EXPECT_EQ(RanksAbove(c.self, c.other), c.above) << c.what;
}

// The point a receiver asked to make way steps to: across the sender's heading, or where it stands
// when dead ahead.
TEST(Neighbourhood, AnActorMakesWayAcrossTheSendersHeading) {
  const struct {
    const char* what;
    RTFVector3D receiver;
    RTFVector3D expected;
  } cases[] = {
      {"dead ahead", {0, 0, 2, 1}, {0, 0, 2, 1}},
      {"ahead and to the left", {1, 0, 2, 1}, {1.6f, 0, 2, 1}},
      {"behind and to the right", {-1, 0, -2, 1}, {-1.6f, 0, -2, 1}},
  };
  RTTeskActorWrapper sender{};
  sender.Radius = 0.4f;
  tesk::actor::SetHeading(&sender.Frame, RTFVector3D{0, 0, 1, 0});
  for (const auto& c : cases) {
    RTTeskActorWrapper receiver{};
    tesk::actor::SetRow(&receiver.Frame, tesk::actor::kPositionRow, c.receiver);
    const RTFVector3D p = tesk::actor::SideStepPoint(receiver, sender);
    EXPECT_NEAR(p.x, c.expected.x, 1e-6f) << c.what;
    EXPECT_EQ(p.z, c.expected.z) << c.what;
    EXPECT_EQ(p.w, 1.0f) << c.what;
  }
}

}  // namespace

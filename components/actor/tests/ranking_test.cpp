// The neighbourhood split: whether one actor ranks above another (and is steered around), over the
// player, doctors and other actors, on foot and in vehicles, with ties broken by age.
#include "ranking.h"

#include <gtest/gtest.h>

namespace {

using tesk::actor::RanksAbove;

constexpr int32_t kPlayer = 0;
constexpr int32_t kDoctor = 1;
constexpr int32_t kOther = -1;
constexpr uint32_t kOnFoot = 10;

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

}  // namespace

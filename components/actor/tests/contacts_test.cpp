// Contacts as a walker meets them: no more than 16 in a pass, and the scene's obstacles probed
// over and over without a reference gained or lost.
#include <cmath>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "movement_fixture.h"

namespace {

using namespace actortest;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

using Contacts = MovementTest;

// A walker ringed by wheelchair pushers, each touching it with its segment: 16 contacts at most.
TEST_F(Contacts, APassKeepsAtMostSixteenContacts) {
  const struct {
    int pushers;
    uint32_t kept;
  } cases[] = {{15, 15}, {17, 16}};
  for (const auto& c : cases) {
    int walker = 0;
    RTTeskActorWrapper* w = Walker(&walker, 0, 0);
    std::vector<int> ring(c.pushers);
    for (int i = 0; i < c.pushers; ++i) {
      const float angle = 6.2831853f * i / c.pushers;
      Walker(&ring[i], 0.5f * std::cos(angle), 0.5f * std::sin(angle))->VehicleMode = 5;
    }
    Walk(&walker, {V(0, 0, 0), V(3, 0, 0)});
    FrameAt(clock_ + 0.02f);  // one step
    EXPECT_EQ(w->ContactCount, c.kept) << c.pushers;
    ASSERT_EQ(Destroy(&walker), kRTSuccess);
    for (int& pusher : ring) ASSERT_EQ(Destroy(&pusher), kRTSuccess);
  }
}

// A crate in the walker's way: a thousand and more probes hit it, and it holds as many references
// after as before.
TEST_F(Contacts, ProbingAnObstacleKeepsItsReferences) {
  kivo::InstanceRef crate;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, crate.out(), 0, 1), kRTSuccess);
  const RTFVector3D at{2, 0, 0, 0}, min{-0.5f, 0, -0.5f, 0}, max{0.5f, 1, 0.5f, 0};
  ASSERT_EQ(kivo::scene_node::SetTranslation(crate.get(), &at), kRTSuccess);
  ASSERT_EQ(kivo::scene_node::SetObstacleBox(crate.get(), &min, &max), kRTSuccess);
  ASSERT_EQ(kivo::room::AddNode(Room(u"Ward"), crate.get()), kRTSuccess);
  const uint32_t held = RefCount(crate.get());
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 0, 0);
  Face(&a, 90);
  // The crate stands on the first of two segments: only a last segment is shortened at an obstacle.
  Walk(&a, {V(0, 0, 0), V(4, 0, 0), V(4, 0, 1)});
  // How far the walker's circle ever reaches into the crate's box (it bounces off, then finds its way
  // round).
  float deepest = 0;
  for (int frame = 0; frame < 300; ++frame) {  // 4 steps a frame
    FrameAt(clock_ + 0.1f);
    const RTFVector3D p = Position(w);
    const float reach = 0.5f + w->Radius;
    deepest = std::max(deepest, std::min(reach - std::fabs(p.x - 2), reach - std::fabs(p.z)));
    if (!w->Moving) Walk(&a, {p, V(4, 0, 0), V(4, 0, 1)});
  }
  EXPECT_LT(deepest, 0.05f) << "never through the crate";
  EXPECT_GT(Position(w).x, 2.5f) << "but round it";
  EXPECT_EQ(RefCount(crate.get()), held);
  ASSERT_EQ(kivo::room::RemoveNode(Room(u"Ward"), crate.get()), kRTSuccess);
}

}  // namespace

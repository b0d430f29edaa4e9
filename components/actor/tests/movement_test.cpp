// Characters moved frame by frame: the frame entry's clock rules, placement, headings, the script
// methods' bounds, a walk along a path from its first turn to its stop, the idle cycle, and the
// contacts between walkers and with the walls.
#include <algorithm>
#include <cmath>
#include <set>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/vector.h"
#include "movement_fixture.h"
#include "tesk/game_standin_calls.h"

namespace {

using namespace actortest;
namespace calls = kivo::actor;

constexpr uint32_t kTurning = 5;
constexpr uint32_t kArriving = 1;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

float Ground(const RTFVector3D& a, const RTFVector3D& b) { return std::hypot(a.x - b.x, a.z - b.z); }

using Movement = MovementTest;

TEST_F(Movement, TheFrameMovesOnlyForwardInTimeAndAtMostFiveSeconds) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 0, 0);
  Walk(&a, {V(0, 0, 0), V(0, 0, 4)});
  ASSERT_EQ(FrameAt(1.0f), kRTSuccess);
  EXPECT_EQ(Controller().frameCounter, 1u);
  const RTFVector3D moved = Position(w);
  EXPECT_GT(moved.z, 0.0f);

  ASSERT_EQ(FrameAt(1.0f), kRTSuccess);
  EXPECT_EQ(Controller().frameCounter, 1u) << "the same clock again changes nothing";

  const struct {
    const char* what;
    float clock;
    bool logged;
  } stills[] = {
      {"the clock set back", 0.5f, false},
      {"more than five seconds", 0.5f + 5.01f, true},
  };
  uint32_t frames = 1;
  for (const auto& c : stills) {
    ASSERT_EQ(FrameAt(c.clock), kRTSuccess);
    EXPECT_EQ(Controller().frameCounter, ++frames) << c.what;
    EXPECT_EQ(Controller().lastFrameTime, c.clock) << c.what;
    EXPECT_EQ(Position(w).z, moved.z) << c.what << ": nothing moves";
  }
  EXPECT_EQ(Logged("************ Too much time elapsed in TeskActor."), 0u) << "debug output, not the log";
  EXPECT_NE(host_.DebugLog().find("************ Too much time elapsed in TeskActor."), std::string::npos);
  ASSERT_EQ(FrameAt(clock_ + 0.1f), kRTSuccess);
  EXPECT_GT(Position(w).z, moved.z) << "the next frame measures from the skipped one";
}

TEST_F(Movement, PlacementPutsTheActorOnTheFloorOfItsRoom) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 0, 0);
  ASSERT_EQ(Place(&a, V(2, 1.7f, 3)), kRTSuccess);
  EXPECT_EQ(Position(w).y, 0.0f);
  EXPECT_EQ(Position(w).x, 2.0f);
  EXPECT_EQ(w->Frame.m[3][1], 0.0f);
  kivo::InstanceRef room;
  ASSERT_EQ(kivo::tesk_scene_node::GetNodeRoom(w->RootNode, room.out()), kRTSuccess);
  EXPECT_EQ(room.get(), Room(u"Ward"));
  room.Reset();
  ASSERT_EQ(Place(&a, V(2, 0, 3)), kRTSuccess) << "the same room again";

  ASSERT_EQ(Place(&a, V(50, 0, 50)), kRTSuccess);
  EXPECT_EQ(Logged("Position <50.00, 0.00, 50.00> could not be classified in a room."), 1u);
  EXPECT_EQ(Position(w).x, 2.0f);
}

TEST_F(Movement, AHeadingSetTakesEffectAtTheNextFrameWithoutBlending) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 0, 0);
  Face(&a, 90);
  ASSERT_EQ(FrameAt(0.1f), kRTSuccess);
  const RTFMatrix4x4& m = RootMatrix(w);
  EXPECT_NEAR(m.m[2][0], 1, 1e-6f);
  EXPECT_NEAR(m.m[2][2], 0, 1e-6f);
  EXPECT_NEAR(m.m[0][0], 0, 1e-6f);
  EXPECT_NEAR(m.m[0][2], -1, 1e-6f);
  EXPECT_EQ(w->ViewDirectionSet, 0u);
}

TEST_F(Movement, ScriptMethodsKeepTheirBounds) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 0, 0);
  const struct {
    RTFVector3D goal;
    RTSuccess returned;
  } goals[] = {{V(0.5f, 0, -0.9f), kRTFailure}, {V(1, 0, 0), kRTSuccess}, {V(0.5f, 0, 1), kRTSuccess}};
  for (const auto& c : goals) {
    RTFVector3D goal = c.goal;
    Cell result{};
    EXPECT_EQ(Call(calls::kMoveTo, &a, {Vector(&goal)}, &result), c.returned) << goal.x << ", " << goal.z;
    EXPECT_EQ(result.value.number, c.returned) << "without a list an accepted goal is planned";
  }
  EXPECT_EQ(Logged("The goal position doesn't seem right?  goal = <0.50, 0.00, -0.90>"), 1u);

  Cell result{};
  ASSERT_EQ(Call(calls::kSetMaxSteeringMagnitude, &a, {Real(20)}), kRTSuccess);
  ASSERT_EQ(Call(calls::kGetMaxSteeringMagnitude, &a, {}, &result), kRTSuccess);
  EXPECT_NEAR(result.value.real, 20.0f, 1e-5f);
  ASSERT_EQ(Call(calls::kSetMovementSpeed, &a, {Real(2)}), kRTSuccess);
  EXPECT_EQ(w->MaxSpeed, 2.0f);
  EXPECT_EQ(w->PreviousMaxSpeed, 1.1f);

  GivePath(w, {V(1, 2, 3), V(4, 5, 6), V(7, 8, 9)});
  const struct {
    int32_t n;
    RTFVector3D expected;
  } nodes[] = {{1, V(4, 5, 6)}, {3, V(0, 0, 0)}, {-1, V(0, 0, 0)}};
  for (const auto& c : nodes) {
    const RTFVector3D node = VectorResult(calls::kGetPathNodeN, &a, {Number(c.n)});
    EXPECT_EQ(node.x, c.expected.x) << c.n;
    EXPECT_EQ(node.z, c.expected.z) << c.n;
  }
  RTFVector3D from = V(1, 2, 3), to = V(3, 2, 7);
  ASSERT_EQ(FrameAt(4.0f), kRTSuccess);
  ASSERT_EQ(Call(calls::kAuraAnimate, &a, {Vector(&from), Vector(&to), Real(2), Number(7)}), kRTSuccess);
  const tesk::actor::Aura& aura = Controller().aura;
  EXPECT_EQ(aura.active, 1u);
  EXPECT_EQ(aura.startTime, 4.0f);
  EXPECT_EQ(aura.endTime, 6.0f);
  EXPECT_EQ(aura.velocity[0], 1.0f);
  EXPECT_EQ(aura.velocity[2], 2.0f);
  EXPECT_EQ(aura.fadeRate, -0.5f);
  EXPECT_EQ(aura.position[1], 2.0f);
  EXPECT_EQ(aura.value, 7u);
  const RTFVector3D flee = VectorResult(calls::kSteerToFlee, &a, {Vector(&w->Goal)});
  EXPECT_EQ(flee.x + flee.y + flee.z + flee.w, 0.0f);
}

// The prop comes as the number the game issued for its node.
TEST_F(Movement, APointIsCloserToTheGoalThanAPropOrNot) {
  int a = 0;
  Walker(&a, 0, 0);
  kivo::InstanceRef prop;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, prop.out(), 0, 1), kRTSuccess);
  const RTFVector3D at{3, 0, 0, 0};
  ASSERT_EQ(kivo::scene_node::SetTranslation(prop.get(), &at), kRTSuccess);
  uint32_t handle = 0;
  ASSERT_EQ(tesk::game_standin::IssueSceneHandle(game(), prop.get(), &handle), kRTSuccess);
  RTFVector3D goal = V(0, 0, 0);
  const struct {
    RTFVector3D point;
    int32_t closer;
  } cases[] = {{V(1, 0, 0), 1}, {V(0, 0, -3), 0}, {V(4, 0, 0), 0}};
  for (auto c : cases) {
    Cell result{};
    ASSERT_EQ(Call(calls::kCloserToGoalThanProp, &a,
                   {Number(static_cast<int32_t>(handle)), Vector(&c.point), Vector(&goal)}, &result),
              kRTSuccess);
    EXPECT_EQ(result.value.number, c.closer) << c.point.x << ", " << c.point.z;
  }
  RTFVector3D point = V(1, 0, 0);
  EXPECT_EQ(Call(calls::kCloserToGoalThanProp, &a, {Number(99), Vector(&point), Vector(&goal)}), kRTFailure);
  EXPECT_EQ(Logged("RTTeskActor::CloserToGoalThanProp(): no scene node has the handle 99"), 1u);
}

// From standing it turns toward the second node, walks, arrives and stops near the end, on the floor
// all the way, and crosses into the other room.
TEST_F(Movement, AWalkerTurnsWalksArrivesAndStops) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, 2, -3);
  const RTFVector3D end = V(8, 0, 2);
  Walk(&a, {V(2, 0, -3), V(8, 0, -3), end});
  EXPECT_EQ(w->LookAtPointPending, 1u) << "a turn toward node 1 first";
  std::vector<uint32_t> states;
  float highest = 0;
  for (int frame = 1; frame <= 60 * 25 && w->Moving; ++frame) {
    FrameAt(frame / 60.0f);
    if (states.empty() || states.back() != w->SteeringState) states.push_back(w->SteeringState);
    highest = std::max(highest, std::fabs(Position(w).y));
  }
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.front(), kTurning);
  EXPECT_EQ(states.back(), kArriving);
  EXPECT_EQ(w->Moving, 0u);
  EXPECT_EQ(w->MoveAnimation, 0u);
  EXPECT_LT(Ground(Position(w), end), 0.2f);
  EXPECT_EQ(highest, 0.0f);
  kivo::InstanceRef room;
  ASSERT_EQ(kivo::tesk_scene_node::GetNodeRoom(w->RootNode, room.out()), kRTSuccess);
  EXPECT_EQ(room.get(), Room(u"Hall"));
  Cell result{};
  ASSERT_EQ(Call(calls::kGetLastSteeringState, &a, {}, &result), kRTSuccess);
  EXPECT_EQ(result.value.number, static_cast<int32_t>(kArriving));
}

TEST_F(Movement, ASecondOfWalkingCoversTheSameGroundAtAnyFrameRate) {
  std::vector<float> covered;
  for (const float rate : {60.0f, 15.0f}) {
    int a = 0;
    RTTeskActorWrapper* w = Walker(&a, -3, -4);
    Walk(&a, {V(-3, 0, -4), V(-3, 0, 4)});
    const float start = clock_;
    FrameAt(start + 0.5f);  // the turn toward a node straight ahead ends at once
    const RTFVector3D from = Position(w);
    Frames(1.0f / rate, start + 1.5f);
    covered.push_back(Ground(Position(w), from));
    ASSERT_EQ(Destroy(&a), kRTSuccess);
  }
  EXPECT_GT(covered[0], 0.5f);
  EXPECT_NEAR(covered[0], covered[1], 0.01f);
}

// The player at the origin, a doctor (rank 1) beside it in x and a third walker beside it in z,
// their neighbourhoods built by one frame.
class RankedNeighbours : public Movement {
 protected:
  void SetUp() override {
    Movement::SetUp();
    p = Walker(&player_, 0, 0);
    d = Walker(&doctor_, 1, 0);
    o = Walker(&other_, 0, 1);
    p->AvoidPriority = 0;
    d->AvoidPriority = 1;
    ASSERT_EQ(FrameAt(0.1f), kRTSuccess);
  }

  int player_ = 0, doctor_ = 0, other_ = 0;
  RTTeskActorWrapper* p = nullptr;
  RTTeskActorWrapper* d = nullptr;
  RTTeskActorWrapper* o = nullptr;
};

// Each actor's neighbours split into those it steers around and those it does not.
TEST_F(RankedNeighbours, SplitByRank) {
  const auto listed = [](kivo::List* list) {
    std::set<const RTTeskActorWrapper*> wrappers;
    for (const RTTeskActorWrapper* w : kivo::ListItems<RTTeskActorWrapper>(list)) wrappers.insert(w);
    return wrappers;
  };
  using Set = std::set<const RTTeskActorWrapper*>;
  EXPECT_EQ(listed(p->NeighbourList), Set{});
  EXPECT_EQ(listed(p->FreeNeighbourList), (Set{d, o}));
  EXPECT_EQ(listed(d->NeighbourList), Set{p});
  EXPECT_EQ(listed(d->FreeNeighbourList), Set{o});
  EXPECT_EQ(listed(o->NeighbourList), (Set{p, d}));
  EXPECT_EQ(listed(o->FreeNeighbourList), Set{});
  for (RTTeskActorWrapper* w : {p, d, o})
    EXPECT_EQ(listed(w->NeighbourQueryList), (Set{p, d, o})) << "the nearby actors, the actor itself among them";
}

// The blocking query: 3 from a standing receiver, or a moving one that yields to a sender ranking
// below it; 2 from one that keeps its way. Each type answers once until cleared.
TEST_F(RankedNeighbours, ABlockingQueryAsksWhetherTheReceiverGivesWay) {
  const struct {
    const char* what;
    RTTeskActorWrapper* sender;
    RTBool moving;
    RTBool canMove;
    uint32_t answer;
  } cases[] = {
      {"standing", o, 0, 1, 3},
      {"moving, the sender ranks below", o, 1, 1, 3},
      {"moving, the sender is the player", p, 1, 1, 2},
      {"moving, but it cannot move", o, 1, 0, 2},
  };
  for (const auto& c : cases) {
    d->Moving = c.moving;
    d->CanMove = c.canMove;
    d->SignalFlags[0] = 0;
    uint32_t answer = 0;
    ASSERT_EQ(calls::Signal(controller(), d, c.sender, 0, &answer), kRTSuccess);
    EXPECT_EQ(answer, c.answer) << c.what;
    ASSERT_EQ(calls::Signal(controller(), d, c.sender, 0, &answer), kRTSuccess);
    EXPECT_EQ(answer, 3u) << c.what << ": latched";
  }
  EXPECT_EQ(calls::Signal(controller(), d, o, 2, nullptr), kRTFailure) << "no such type";
}

// A rider (here in a wheelchair) is held still and has no neighbourhood.
TEST_F(Movement, ARiderIsHeldStill) {
  int rider = 0, near = 0;
  RTTeskActorWrapper* r = Walker(&rider, 0, 0);
  Walker(&near, 1, 0);
  GivePath(r, {V(0, 0, 0), V(3, 0, 0)});
  r->VehicleMode = 6;
  r->Moving = 1;
  r->Velocity = V(1, 0, 0);
  r->LookAtPointPending = 1;
  ASSERT_EQ(FrameAt(0.1f), kRTSuccess);
  EXPECT_EQ(r->Moving, 0u);
  EXPECT_EQ(r->Velocity.x, 0.0f);
  EXPECT_EQ(r->LookAtPointPending, 0u);
  EXPECT_EQ(Position(r).x, 0.0f);
  EXPECT_EQ(r->FreeNeighbourList->count + r->NeighbourList->count, 0u) << "the actor beside it not listed";
}

TEST_F(Movement, ThePlayerCyclesItsIdlesAndOthersHoldTheNeutralOne) {
  int player = 0, other = 0, still = 0;
  RTTeskActorWrapper* p = Walker(&player, -3, -3);
  RTTeskActorWrapper* o = Walker(&other, 3, 3);
  RTTeskActorWrapper* s = Walker(&still, 3, -3);
  p->AvoidPriority = 0;
  s->IdlesDisabled = 1;
  std::vector<uint32_t> shown;
  for (int frame = 1; frame <= 60; ++frame) {
    FrameAt(frame * 0.5f);
    if (shown.empty() || shown.back() != CurrentMotion(p)) shown.push_back(CurrentMotion(p));
    EXPECT_EQ(CurrentMotion(o), 44u);
    EXPECT_EQ(CurrentMotion(s), s->MotionIdle);
  }
  EXPECT_EQ(shown, (std::vector<uint32_t>{44, 42, 44, 39, 44, 40}));
}

// Two walkers head-on bounce apart, unless their room keeps actors from touching (flag 0x80).
TEST_F(Movement, WalkersHeadOnBounceApart) {
  const struct {
    uint32_t flag;
    bool bounce;
  } cases[] = {{0, true}, {0x80, false}};
  for (const auto& c : cases) {
    uint32_t flags = 0;
    kivo::room::GetFlags(Room(u"Ward"), &flags);
    kivo::room::SetFlags(Room(u"Ward"), (flags & ~0x80u) | c.flag);
    int a = 0, b = 0;
    RTTeskActorWrapper* wa = Walker(&a, -2, 0);
    RTTeskActorWrapper* wb = Walker(&b, 2, 0);
    Face(&a, 90);
    Face(&b, -90);
    // Each walks toward the other as its target, which it does not avoid.
    wa->TargetActor = wb;
    wb->TargetActor = wa;
    Walk(&a, {V(-2, 0, 0), V(4, 0, 0)});
    Walk(&b, {V(2, 0, 0), V(-4, 0, 0)});
    bool bounced = false;
    for (int frame = 0; frame < 60 * 6; ++frame) {
      FrameAt(clock_ + 1 / 60.0f);
      bounced = bounced || wa->Velocity.x < -1e-3f || wb->Velocity.x > 1e-3f;
    }
    EXPECT_EQ(bounced, c.bounce) << c.flag;
    ASSERT_EQ(Destroy(&a), kRTSuccess);
    ASSERT_EQ(Destroy(&b), kRTSuccess);
  }
}

// A walker meeting a standing actor pushes it along the normal and asks it once to make way.
TEST_F(Movement, AStandingActorIsPushedAndAskedOnceToMakeWay) {
  int a = 0, b = 0;
  RTTeskActorWrapper* wa = Walker(&a, -3, 1);
  RTTeskActorWrapper* wb = Walker(&b, -1, 1);
  wb->LookAtEnabled = 0;  // else its own standing step stops it again in the same frame
  wa->TargetActor = wb;   // walking up to its target, which it does not avoid
  Face(&a, 90);
  Walk(&a, {V(-3, 0, 1), V(3, 0, 1)});
  bool pushed = false;
  for (int frame = 0; frame < 60 * 4 && !wb->SignalFlags[1]; ++frame) {
    FrameAt(clock_ + 1 / 60.0f);
    pushed = pushed || wb->Velocity.x > 0;
  }
  EXPECT_TRUE(pushed);
  EXPECT_EQ(wb->SignalFlags[1], 1u);
  uint32_t answer = 0;
  ASSERT_EQ(calls::Signal(controller(), wb, wa, 1, &answer), kRTSuccess);
  EXPECT_EQ(answer, 3u) << "latched";
  EXPECT_EQ(Call(calls::kClearSignal, &b, {Number(2)}), kRTFailure);
  EXPECT_EQ(wb->SignalFlags[1], 1u);
  ASSERT_EQ(Call(calls::kClearSignal, &b, {Number(1)}), kRTSuccess);
  EXPECT_EQ(wb->SignalFlags[1], 0u);
  EXPECT_EQ(calls::Signal(controller(), wb, nullptr, 1, &answer), kRTFailure);

  wb->CanMove = 0;  // one that cannot move is stopped and its latch cleared at once
  wb->Velocity = V(1, 0, 0);
  ASSERT_EQ(calls::Signal(controller(), wb, wa, 1, &answer), kRTSuccess);
  EXPECT_EQ(answer, 3u);
  EXPECT_EQ(wb->SignalFlags[1], 0u);
  EXPECT_EQ(wb->Velocity.x, 0.0f);
}

// Walkers keep out of the actors they meet at any frame rate, as the actors take each sub-step in
// turn: one walking into a standing actor ahead of it in the list (whose velocity its pushes change
// while the actor stands), and a fast one catching up with a slow one that walks the same way. Each
// walks up to the other as its target, which it does not steer around: only the contacts keep them
// apart.
TEST_F(Movement, WalkersKeepOutOfTheActorsTheyMeetAtAnyFrameRate) {
  const struct {
    const char* what;
    float leaderSpeed;  // 0: the one ahead stands
  } meetings[] = {{"a standing actor", 0.0f}, {"a slower walker", 0.5f}};
  for (const auto& meeting : meetings) {
    for (const float step : {1 / 60.0f, 0.25f}) {
      int ahead = 0, behind = 0;
      RTTeskActorWrapper* a = Walker(&ahead, 0, 1);
      RTTeskActorWrapper* b = Walker(&behind, -2, 1);
      Face(&ahead, 90);
      Face(&behind, 90);
      b->TargetActor = a;
      if (meeting.leaderSpeed > 0.0f) {
        a->MaxSpeed = meeting.leaderSpeed;
        Walk(&ahead, {V(0, 0, 1), V(4, 0, 1)});
      }
      Walk(&behind, {V(-2, 0, 1), V(4, 0, 1)});
      float closest = 10.0f;
      for (float until = clock_ + 4.0f; clock_ < until;) {
        FrameAt(clock_ + step);
        closest = std::min(closest, Ground(Position(a), Position(b)));
      }
      EXPECT_GT(closest, a->Radius + b->Radius - 0.01f) << meeting.what << " in frames of " << step;
      EXPECT_LT(closest, a->Radius + b->Radius + 0.1f) << meeting.what << " in frames of " << step << ": they met";
      ASSERT_EQ(Destroy(&ahead), kRTSuccess);
      ASSERT_EQ(Destroy(&behind), kRTSuccess);
    }
  }
}

// A walker found inside another actor (placed there) steps out of it in its next step, whichever
// way it walks.
TEST_F(Movement, AWalkerInsideAnotherActorStepsOut) {
  int standing = 0, walking = 0;
  RTTeskActorWrapper* s = Walker(&standing, 0, 1);
  RTTeskActorWrapper* w = Walker(&walking, 0.3f, 1);
  w->TargetActor = s;
  Walk(&walking, {V(0.3f, 0, 1), V(0.3f, 0, 4)});  // past the other, not toward it
  FrameAt(clock_ + 1 / 60.0f);
  EXPECT_NEAR(Ground(Position(s), Position(w)), s->Radius + w->Radius, 0.01f);
}

// A walker heading into a wall stops 0.02 out from where its sphere touched.
TEST_F(Movement, AWallStopsAWalker) {
  int a = 0;
  RTTeskActorWrapper* w = Walker(&a, -3, 0);
  Face(&a, -90);
  // The wall stands on the first of two segments: only a last segment is shortened at a wall.
  Walk(&a, {V(-3, 0, 0), V(-9, 0, 0), V(-9, 0, 3)});
  for (int frame = 0; frame < 60 * 6 && w->Moving; ++frame) FrameAt(clock_ + 1 / 60.0f);
  EXPECT_EQ(w->Moving, 0u);
  EXPECT_EQ(w->Speed, 0.0f);
  const float x = Position(w).x;
  EXPECT_GT(x, -5 + w->Radius + 0.019f);
  EXPECT_LT(x, -5 + w->Radius + 0.1f);
}

}  // namespace

// Vehicle records, their handles and accessors, the seats of wheelchairs and gurneys, the clicks on
// them, and their life from add to remove.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "host/stream_bytes.h"
#include "model_streams.h"
#include "vehicle_fixture.h"

namespace actortest {
namespace {

namespace calls = kivo::actor;
using kivo::actor::kNoVehicle;

void ExpectNear(const RTFVector3D& got, const RTFVector3D& want, float tolerance, const char* what) {
  EXPECT_NEAR(got.x, want.x, tolerance) << what;
  EXPECT_NEAR(got.y, want.y, tolerance) << what;
  EXPECT_NEAR(got.z, want.z, tolerance) << what;
}

float LocalZ(RTInstance node) {
  const RTFMatrix4x4* local = nullptr;
  kivo::scene_node::GetLocalMatrix(node, &local);
  return local ? local->m[3][2] : NAN;
}

using Vehicles = VehicleTest;

TEST_F(Vehicles, HandlesResolveOnlyToPooledRecordsAndIndicesFollowThePool) {
  VehicleRecord* vehicle = reinterpret_cast<VehicleRecord*>(this);
  EXPECT_EQ(calls::GetVehicleN(controller(), kNoVehicle, &vehicle), kRTFailure);
  EXPECT_EQ(vehicle, nullptr) << "-1 writes null";
  EXPECT_EQ(calls::GetVehicleN(controller(), 12345, &vehicle), kRTFailure) << "an id never issued";
  const uint32_t first = AddWheelchair(Point(-2, 0, 0));
  const uint32_t second = AddGurney(Point(2, 0, 0));
  ASSERT_NE(first, kNoVehicle);
  ASSERT_NE(second, kNoVehicle);
  ASSERT_EQ(calls::GetVehicleN(controller(), second, &vehicle), kRTSuccess);
  EXPECT_EQ(vehicle->kind, calls::kGurneyKind);
  EXPECT_EQ(vehicle->active, 1u);
  uint32_t index = 7;
  ASSERT_EQ(calls::GetVehicleIndex(controller(), vehicle, &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  ASSERT_EQ(calls::RemoveVehicle(controller(), first), kRTSuccess);
  EXPECT_EQ(calls::GetVehicleN(controller(), first, &vehicle), kRTFailure) << "a removed vehicle's handle is gone";
  ASSERT_EQ(calls::GetVehicleN(controller(), second, &vehicle), kRTSuccess);
  ASSERT_EQ(calls::GetVehicleIndex(controller(), vehicle, &index), kRTSuccess);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(calls::GetVehicleIndex(controller(), nullptr, &index), kRTFailure);
  EXPECT_EQ(index, kNoVehicle);
}

TEST_F(Vehicles, AccessorsPlaceAndTurnTheRootAndReportANullVehicle) {
  VehicleRecord* vehicle = Vehicle(AddWheelchair(Point(1, 0, 2)));
  ASSERT_NE(vehicle, nullptr);
  RTFVector3D v{};
  ASSERT_EQ(calls::GetVehiclePositionC(controller(), vehicle, &v), kRTSuccess);
  ExpectNear(v, Point(1, 0, 2), 1e-6f, "position");
  ASSERT_EQ(calls::SetVehicleOrientationC(controller(), vehicle, 90.0f), kRTSuccess);
  ASSERT_EQ(calls::GetVehicleAheadVectorC(controller(), vehicle, &v), kRTSuccess);
  ExpectNear(v, Point(1, 0, 0), 1e-6f, "forward at 90 degrees");
  ASSERT_EQ(calls::GetVehicleRightVectorC(controller(), vehicle, &v), kRTSuccess);
  ExpectNear(v, Point(0, 0, -1), 1e-6f, "side at 90 degrees");
  const RTFVector3D ahead = Point(0, 0, 1);
  ASSERT_EQ(calls::VehicleLocalToWorldC(controller(), vehicle, &ahead, &v), kRTSuccess);
  ExpectNear(v, Point(2, 0, 2), 1e-5f, "a point ahead");
  const RTFVector3D moved = Point(3, 0, 1);
  ASSERT_EQ(calls::SetVehiclePositionC(controller(), vehicle, &moved), kRTSuccess);
  ASSERT_EQ(calls::GetVehiclePositionC(controller(), vehicle, &v), kRTSuccess);
  ExpectNear(v, moved, 1e-6f, "moved");
  EXPECT_EQ(calls::GetVehiclePositionC(controller(), nullptr, &v), kRTFailure);
  EXPECT_EQ(calls::SetVehicleOrientationC(controller(), nullptr, 0.0f), kRTFailure);
  EXPECT_EQ(Logged("RTTeskActor::GetVehiclePositionC(): NULL vehicle."), 1u);
  EXPECT_EQ(Logged("RTTeskActor::SetVehicleOrientationC(): NULL vehicle."), 1u);
}

TEST_F(Vehicles, LoadingFindsTheNamedNodesTheLaterOfTwoAndTheTreeBounds) {
  VehicleRecord* chair = Vehicle(AddWheelchair(Point(0, 0, 0)));
  ASSERT_NE(chair, nullptr);
  const auto* model = static_cast<const tesk::actor::WheelchairModel*>(chair->model);
  for (RTInstance node : model->nodes) EXPECT_NE(node, nullptr);
  const RTFMatrix4x4* local = nullptr;
  ASSERT_EQ(kivo::scene_node::GetLocalMatrix(model->nodes[tesk::actor::kBigWheelLeft], &local), kRTSuccess);
  EXPECT_FLOAT_EQ(local->m[3][0], 0.5f) << "the later of the two left big wheels";
  RTFVector3D min{}, max{};
  ASSERT_EQ(kivo::scene_node::GetBounds(chair->root, &min, &max), kRTSuccess);
  ExpectNear(min, Point(-0.6f, 0.0f, -0.3f), 1e-5f, "the chair's low corner");
  ExpectNear(max, Point(0.8f, 1.2f, 0.6f), 1e-5f, "the chair's high corner");
  EXPECT_EQ(chair->positions[2].state, calls::kNoPosition);
  EXPECT_FLOAT_EQ(WorldPosition(chair->positions[1].node).y, 0.1f) << "the rider's seat was moved and applied";
}

TEST_F(Vehicles, AGurneyModelStreamsOutAndBackAndRefusesVersionZero) {
  tesk::actor::GurneyModel model{};
  VehicleRecord gurney{};
  gurney.kind = calls::kGurneyKind;
  gurney.model = &model;
  for (int i = 0; i < 16; ++i) {
    model.matrix.m[i / 4][i % 4] = static_cast<float>(i);
    model.leftGrip.m[i / 4][i % 4] = static_cast<float>(i) + 0.25f;
    model.rightGrip.m[i / 4][i % 4] = static_cast<float>(i) - 0.5f;
  }
  model.values[0] = 1.5f;
  model.values[1] = -2.0f;
  kivo::InstanceRef out = tesk::testing::MemoryStreamWith("");
  ASSERT_EQ(tesk::actor::StreamGurneyModelOut(controller(), &gurney, out.get()), kRTSuccess);
  const std::string bytes = tesk::testing::MemoryStreamBytes(out.get());
  EXPECT_EQ(bytes.size(), 4u + 3 * 64 + 2 * 4);
  const tesk::actor::GurneyModel written = model;
  model = tesk::actor::GurneyModel{};
  ASSERT_EQ(tesk::actor::StreamGurneyModelIn(controller(), &gurney, tesk::testing::MemoryStreamWith(bytes).get()),
            kRTSuccess);
  EXPECT_EQ(std::memcmp(&model.matrix, &written.matrix, 3 * sizeof(RTFMatrix4x4)), 0);
  EXPECT_EQ(model.values[1], -2.0f);
  for (const auto& [version, read] : {std::pair{0u, false}, std::pair{7u, true}}) {
    model = written;
    const std::string other = tesk::testing::StreamBytes().U32(version).Raw(bytes.substr(4, 3 * 64)).F32(9.0f).F32(
        8.0f).bytes();
    EXPECT_EQ(tesk::actor::StreamGurneyModelIn(controller(), &gurney, tesk::testing::MemoryStreamWith(other).get()),
              read ? kRTSuccess : kRTFailure)
        << version;
    EXPECT_EQ(model.values[0], read ? 9.0f : 1.5f) << version;
  }
  const std::string cut = bytes.substr(0, bytes.size() - 2);
  model = written;
  model.values[0] = 4.0f;
  EXPECT_EQ(tesk::actor::StreamGurneyModelIn(controller(), &gurney, tesk::testing::MemoryStreamWith(cut).get()),
            kRTFailure);
  EXPECT_EQ(model.values[0], 4.0f) << "a cut part changes nothing";
  VehicleRecord chair = gurney;
  chair.kind = calls::kWheelchairKind;
  EXPECT_EQ(tesk::actor::StreamGurneyModelOut(controller(), &chair, out.get()), kRTFailure) << "not a gurney";
  EXPECT_EQ(tesk::actor::StreamGurneyModelOut(controller(), nullptr, out.get()), kRTFailure);
}

// CanUseWheelchairN and CanUseGurneyN: the active flag, and for the characters they test fully (first
// word 0 or 1, and 3 for a gurney) also the kind, a free seat 1 and no vehicle in use.
TEST_F(Vehicles, CanUseAnswersByTheFirstWordTheKindTheRiderSeatAndTheVehicleInUse) {
  char object = 0;
  RTTeskActorWrapper* w = Character(&object, Point(3, 0, 3));
  ASSERT_NE(w, nullptr);
  const uint32_t handles[] = {AddWheelchair(Point(-2, 0, 0)), AddGurney(Point(2, 0, -2))};
  VehicleRecord* other = Vehicle(AddWheelchair(Point(-3, 0, -3)));
  for (int32_t word : {0, 1, 2, 3})
    for (uint32_t kind : {0u, 1u})
      for (bool seatTaken : {false, true})
        for (bool using_ : {false, true})
          for (bool gurneyMethod : {false, true}) {
            VehicleRecord* v = Vehicle(handles[kind]);
            v->positions[1].state = seatTaken ? calls::kPositionInUse : calls::kPositionFree;
            w->AvoidPriority = word;
            w->Vehicle = using_ ? other : nullptr;
            const bool full = word == 0 || word == 1 || (gurneyMethod && word == 3);
            const bool want = !(full && (kind != (gurneyMethod ? 1u : 0u) || seatTaken || using_));
            Cell result{};
            ASSERT_EQ(Call(gurneyMethod ? calls::kCanUseGurneyN : calls::kCanUseWheelchairN, &object,
                           {Number(static_cast<int32_t>(handles[kind]))}, &result),
                      kRTSuccess);
            EXPECT_EQ(result.type, 6u);
            EXPECT_EQ(result.value.word, want ? 1u : 0u)
                << "word " << word << " kind " << kind << " seat taken " << seatTaken << " using " << using_
                << (gurneyMethod ? " CanUseGurneyN" : " CanUseWheelchairN");
            v->positions[1].state = calls::kPositionFree;
          }
  w->Vehicle = nullptr;
  Cell result{};
  ASSERT_EQ(Call(calls::kCanUseWheelchairN, &object, {Number(999)}, &result), kRTSuccess);
  EXPECT_EQ(result.value.word, 0u) << "a handle of no pooled vehicle";
}

TEST_F(Vehicles, EachWheelchairSeatGivesItsModeAndSteeringAndASecondRiderIsRefused) {
  char pusher = 0, rider = 0, late = 0;
  RTTeskActorWrapper* p = Character(&pusher, Point(-1, 0, 0));
  RTTeskActorWrapper* r = Character(&rider, Point(1, 0, 0));
  RTTeskActorWrapper* l = Character(&late, Point(2, 0, 2));
  const uint32_t handle = AddWheelchair(Point(0, 0, 1));
  VehicleRecord* chair = Vehicle(handle);
  ASSERT_TRUE(p && r && l && chair);
  ASSERT_EQ(Call(calls::kUseWheelchairN, &pusher, {Number(static_cast<int32_t>(handle)), Number(0)}), kRTSuccess);
  EXPECT_EQ(p->VehicleMode, 5u);
  EXPECT_EQ(p->Vehicle, chair);
  EXPECT_EQ(p->Mass, 2.0f);
  EXPECT_EQ(p->SteeringConstraint, 50.0f);
  EXPECT_EQ(p->Radius, 0.6f);
  EXPECT_EQ(p->SlowingDistance, 1.5f);
  EXPECT_FLOAT_EQ(LocalZ(p->MountNode), 0.7f) << "the chair rides ahead of its pusher";
  EXPECT_EQ(chair->positions[0].state, calls::kPositionInUse);
  ASSERT_EQ(Call(calls::kUseWheelchairN, &rider, {Number(static_cast<int32_t>(handle)), Number(1)}), kRTSuccess);
  EXPECT_EQ(r->VehicleMode, 6u);
  EXPECT_EQ(chair->positions[1].attached, r->RootNode);
  RTFMatrix4x4 identity;
  kivo::Mat4Identity(&identity);
  EXPECT_EQ(std::memcmp(&r->Frame, &identity, sizeof identity), 0);
  EXPECT_EQ(chair->users, 2u);
  const RTTeskActorWrapper before = *l;
  ASSERT_EQ(Call(calls::kUseWheelchairN, &late, {Number(static_cast<int32_t>(handle)), Number(1)}), kRTSuccess);
  EXPECT_EQ(Logged("RTTeskActorVehicle::UseWheelchairN(): Unable to use wheelchair."), 1u);
  EXPECT_EQ(std::memcmp(&before, l, sizeof before), 0) << "the refused character is as it was";
  EXPECT_EQ(chair->users, 2u);
  EXPECT_EQ(chair->positions[1].attached, r->RootNode);
}

TEST_F(Vehicles, EachGurneySeatGivesItsModeAndSteeringAndBadSeatsAreReported) {
  char driver = 0, patient = 0, third = 0;
  RTTeskActorWrapper* d = Character(&driver, Point(-2, 0, -2));
  RTTeskActorWrapper* p = Character(&patient, Point(2, 0, 2));
  RTTeskActorWrapper* t = Character(&third, Point(3, 0, -3));
  const uint32_t handle = AddGurney(Point(0.5f, 0, 0.5f));
  VehicleRecord* gurney = Vehicle(handle);
  ASSERT_TRUE(d && p && t && gurney);
  const RTFMatrix4x4 gurneyWorld = [&] {
    const RTFMatrix4x4* world = nullptr;
    kivo::scene_node::GetWorldMatrix(gurney->root, &world);
    return *world;
  }();
  ASSERT_EQ(Call(calls::kUseGurneyN, &third, {Number(static_cast<int32_t>(handle)), Number(2)}), kRTSuccess);
  EXPECT_EQ(Logged("RTTeskActorVehicle::UseGurneyC(): Position index not valid! (2)"), 1u);
  ASSERT_EQ(Call(calls::kUseGurneyN, &driver, {Number(static_cast<int32_t>(handle)), Number(0)}), kRTSuccess);
  EXPECT_EQ(Logged("[WARNING]: RTTeskActor::UseGurneyC(): The vehicle root position is close to the origin."), 1u);
  EXPECT_EQ(d->VehicleMode, 3u);
  EXPECT_EQ(d->Mass, 3.0f);
  EXPECT_EQ(d->SteeringConstraint, 50.0f);
  EXPECT_EQ(d->Radius, 0.6f);
  EXPECT_EQ(d->PaddedRadius, 0.65f);
  EXPECT_EQ(d->SlowingDistance, 2.5f);
  EXPECT_EQ(d->PlanPathOption, 1u);
  EXPECT_EQ(std::memcmp(&d->Frame, &gurneyWorld, sizeof gurneyWorld), 0) << "the driver's frame is the gurney's";
  EXPECT_EQ(gurney->positions[0].attached, d->BodyNode);
  ASSERT_EQ(Call(calls::kUseGurneyN, &patient, {Number(static_cast<int32_t>(handle)), Number(1)}), kRTSuccess);
  EXPECT_EQ(p->VehicleMode, 4u);
  RTFMatrix4x4 turned;
  kivo::Mat4RotationY(&turned, -1.5707964f);
  EXPECT_EQ(std::memcmp(&p->Frame, &turned, sizeof turned), 0);
  EXPECT_EQ(gurney->users, 2u);
  ASSERT_EQ(Call(calls::kUseGurneyN, &third, {Number(static_cast<int32_t>(handle)), Number(1)}), kRTSuccess);
  EXPECT_EQ(Logged("RTTeskActorVehicle::UseGurneyC(): Position is already in use! [RTTESKACTOR_GURNEY_POSITION_BED]"),
            1u);
  EXPECT_EQ(t->Vehicle, nullptr);
  // A wheelchair is refused as a gurney before anything changes.
  const uint32_t chair = AddWheelchair(Point(-3, 0, 3));
  ASSERT_EQ(Call(calls::kUseGurneyN, &third, {Number(static_cast<int32_t>(chair)), Number(0)}), kRTSuccess);
  EXPECT_EQ(Logged("RTTeskActorVehicle::UseGurneyC(): Vehicle is not a gurney!"), 1u);
  EXPECT_EQ(Vehicle(chair)->positions[0].state, calls::kPositionFree);
  EXPECT_EQ(t->VehicleMode, calls::kOnFoot);
  // Removing every vehicle keeps the ridden gurney (its riders point at it) and takes the free chair.
  ASSERT_EQ(calls::RemoveAllVehicles(controller()), kRTSuccess);
  EXPECT_EQ(Logged("RTTeskActor::RemoveAllVehicles(): Unable to remove gurney."), 1u);
  EXPECT_EQ(Vehicle(handle), gurney);
  EXPECT_EQ(d->Vehicle, gurney);
  VehicleRecord* gone = nullptr;
  EXPECT_EQ(calls::GetVehicleN(controller(), chair, &gone), kRTFailure);
}

TEST_F(Vehicles, ClicksFindTheNearerVehicleTheEarlierOfTwoAsNearAndGurneysAsWheelchairs) {
  uint32_t out = 77;
  const RTFVector3D east = Point(1, 0, 0), west = Point(-1, 0, 0);
  const RTFVector3D fromWest = Point(-4.5f, 0.4f, 0), fromEast = Point(4.5f, 0.4f, 0);
  EXPECT_EQ(calls::FindGurneyClicked(controller(), &fromWest, &east, &out), kRTFailure);
  EXPECT_EQ(calls::FindWheelchairClicked(controller(), &fromWest, &east, &out), kRTFailure);
  EXPECT_EQ(out, 77u) << "nothing found leaves the out argument";
  const uint32_t first = AddGurney(Point(-2, 0, 0));
  AddGurney(Point(2, 0, 0));
  ASSERT_EQ(calls::FindGurneyClicked(controller(), &fromWest, &east, &out), kRTSuccess);
  EXPECT_EQ(out, 0u);
  ASSERT_EQ(calls::FindGurneyClicked(controller(), &fromEast, &west, &out), kRTSuccess);
  EXPECT_EQ(out, 1u);
  ASSERT_EQ(calls::FindWheelchairClicked(controller(), &fromWest, &east, &out), kRTSuccess);
  EXPECT_EQ(out, first) << "the wheelchair click finds gurneys too";
  AddGurney(Point(-2, 0, 0));
  ASSERT_EQ(calls::FindGurneyClicked(controller(), &fromWest, &east, &out), kRTSuccess);
  EXPECT_EQ(out, 0u) << "of two as near, the earlier";
}

TEST_F(Vehicles, AddsAndRemovesLeaveNothingBehindAndResetRewindsAGurney) {
  uint32_t blocks = 0, bytes = 0, blocksAfter = 0, bytesAfter = 0;
  // One of each first, so that what lives once made ("Root:OBJ_TEMP") is counted before.
  ASSERT_EQ(calls::RemoveVehicle(controller(), AddWheelchair(Point(0, 0, 0))), kRTSuccess);
  ASSERT_EQ(calls::RemoveVehicle(controller(), AddGurney(Point(0, 0, 0))), kRTSuccess);
  const uint32_t nodes = Alive(u"RTTeskSceneNode"), rigids = Alive(u"RTRigid");
  core().GetMemoryStats(nullptr, &blocks, &bytes);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(calls::RemoveVehicle(controller(), AddWheelchair(Point(1, 0, 1))), kRTSuccess);
    ASSERT_EQ(calls::RemoveVehicle(controller(), AddGurney(Point(-1, 0, -1))), kRTSuccess);
  }
  core().GetMemoryStats(nullptr, &blocksAfter, &bytesAfter);
  EXPECT_EQ(blocksAfter, blocks);
  EXPECT_EQ(Alive(u"RTTeskSceneNode"), nodes);
  EXPECT_EQ(Alive(u"RTRigid"), rigids);
  EXPECT_EQ(calls::RemoveVehicle(controller(), kNoVehicle), kRTFailure);
  EXPECT_EQ(Logged("RTTeskActor::RemoveVehicle(): NULL vehicle."), 1u);
}

TEST_F(Vehicles, ResettingAGurneyRewindsItsPlayersAndPutsItAtTheOriginAndLeavesAChairAlone) {
  kivo::InstanceRef stored, storedRoot, rigid;
  ASSERT_EQ(core().GetInstanceByName(nullptr, u"Root:Raririrer Objects:Assets:SceneTrees:Anbulance_gurney",
                                     stored.out(), 0),
            kRTSuccess);
  ASSERT_EQ(kivo::plain_scene_tree::GetRootNode(stored.get(), storedRoot.out()), kRTSuccess);
  ASSERT_EQ(core().CreateInstanceByString(nullptr, kivo::rigid::kClassName, rigid.out(), 0, 1), kRTSuccess);
  ASSERT_EQ(kivo::scene_node::AddModifier(storedRoot.get(), rigid.get()), kRTSuccess);
  const uint32_t handle = AddGurney(Point(2, 0, 3));
  const uint32_t chairHandle = AddWheelchair(Point(-2, 0, 3));
  VehicleRecord* gurney = Vehicle(handle);
  ASSERT_NE(gurney, nullptr);
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(kivo::scene_node::GetModifierList(gurney->root, &modifiers, &count), kRTSuccess);
  ASSERT_EQ(count, 1u) << "the copy of the stored player";
  EXPECT_NE(modifiers[0], rigid.get());
  const RTInstance copy = modifiers[0];
  ASSERT_EQ(kivo::rigid::SetMotionTime(copy, 2.0f), kRTSuccess);
  ASSERT_EQ(Call(calls::kResetGurneyLocalSpace, this, {Number(static_cast<int32_t>(chairHandle))}), kRTSuccess);
  ExpectNear(WorldPosition(Vehicle(chairHandle)->root), Point(-2, 0, 3), 1e-6f, "the chair stays");
  ASSERT_EQ(Call(calls::kResetGurneyLocalSpace, this, {Number(static_cast<int32_t>(handle))}), kRTSuccess);
  float time = -1.0f;
  ASSERT_EQ(kivo::rigid::GetMotionTime(copy, &time), kRTSuccess);
  EXPECT_EQ(time, 0.0f);
  ExpectNear(WorldPosition(gurney->root), Point(0, 0, 0), 1e-6f, "the gurney at the origin");
  EXPECT_EQ(Call(calls::kResetGurneyLocalSpace, this, {Number(999)}), kRTSuccess) << "no such vehicle: nothing";
}

class EmptyGurney : public VehicleTest {
 protected:
  std::string GurneyRoot(const std::string&) const override { return R"({"name": "Empty", "position": [0, 0, 0]})"; }
};

TEST_F(EmptyGurney, AnEmptyTreeHasTheEmptyBoundsNoNamedNodesAndNoPlayersToRewind) {
  VehicleRecord* gurney = Vehicle(AddGurney(Point(1, 0, 1)));
  ASSERT_NE(gurney, nullptr);
  RTFVector3D min{}, max{};
  ASSERT_EQ(kivo::scene_node::GetBounds(gurney->root, &min, &max), kRTSuccess);
  ExpectNear(min, Point(10000, 10000, 10000), 0.0f, "min");
  ExpectNear(max, Point(-10000, -10000, -10000), 0.0f, "max");
  for (RTInstance node : static_cast<const tesk::actor::GurneyModel*>(gurney->model)->nodes) EXPECT_EQ(node, nullptr);
  EXPECT_EQ(Call(calls::kResetGurneyLocalSpace, this, {Number(1)}), kRTSuccess);
  EXPECT_EQ(Logged("Node doesn't have a modifier list [hence no animations!]"), 1u);
}

}  // namespace
}  // namespace actortest

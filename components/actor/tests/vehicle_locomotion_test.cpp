// Driven vehicles moved by the controller's frame: the wheelchair steers without lag and spins its
// big wheels backwards when reversing, the gurney driver's hands follow the push bar (on the
// driver's own motion player), and the vehicles carry their drivers along their path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "kivo/articulated/articulated_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "tesk/game_standin_calls.h"
#include "vehicle_fixture.h"

namespace actortest {
namespace {

namespace calls = kivo::actor;

// The turn of a wheel node about its axle (x), from its up row.
float WheelTurn(RTInstance node) {
  const RTFMatrix4x4* local = nullptr;
  kivo::scene_node::GetLocalMatrix(node, &local);
  return std::atan2(local->m[1][2], local->m[1][1]);
}

using VehicleLocomotion = VehicleTest;

TEST_F(VehicleLocomotion, APushedWheelchairSteersWithoutLagAndReversingSpinsItsWheelsBack) {
  for (bool reverse : {false, true}) {
    char pusher = 0;
    RTTeskActorWrapper* w = Character(&pusher, Point(-3, 0, 0));
    const uint32_t handle = AddWheelchair(Point(-3, 0, 0.5f));
    ASSERT_TRUE(w && handle != calls::kNoVehicle);
    Face(&pusher, 90.0f);
    ASSERT_EQ(Call(calls::kUseWheelchairN, &pusher, {Number(static_cast<int32_t>(handle)), Number(0)}), kRTSuccess);
    const auto* chair = static_cast<const tesk::actor::WheelchairModel*>(Vehicle(handle)->model);
    const float before = Position(w).x;
    w->MoveReverse = reverse ? 1 : 0;
    Walk(&pusher, {Point(-3, 0, 0), Point(3, 0, 0)});
    FrameAt(clock_ + 0.03f);
    EXPECT_EQ(std::memcmp(&w->SmoothedSteering, &w->Steering, sizeof w->Steering), 0) << "no lag";
    Frames(0.03f, clock_ + 0.3f);
    EXPECT_EQ(Position(w).x < before, reverse) << "forward, or back along the forward when reversing";
    EXPECT_EQ(WheelTurn(chair->nodes[tesk::actor::kBigWheelLeft]) < 0.0f, reverse) << "the big wheels turn back";
    ASSERT_EQ(Destroy(&pusher), kRTSuccess);
  }
}

TEST_F(VehicleLocomotion, AGurneyDriversHandsReachForTheGripsInTheSkinsSpace) {
  char driver = 0;
  RTTeskActorWrapper* w = Character(&driver, Point(-3, 0, 0));
  const uint32_t handle = AddGurney(Point(-3, 0, 1.5f));
  ASSERT_TRUE(w && handle != calls::kNoVehicle);
  ASSERT_NE(w->LeftArmChain, calls::kNoChain);
  ASSERT_EQ(Call(calls::kUseGurneyN, &driver, {Number(static_cast<int32_t>(handle)), Number(0)}), kRTSuccess);
  RTBool active = 0;
  RTFMatrix4x4 target;
  ASSERT_EQ(kivo::articulated::GetReach(w->Animator, w->LeftArmChain, &active, &target), kRTSuccess);
  EXPECT_EQ(active, 1) << "the driver's arms reach";
  kivo::bone_model::GetIKChainActive(w->Skin, &active, w->LeftArmChain);
  EXPECT_EQ(active, 0) << "on the driver's own player: the shared skin's chain stays off";
  Face(&driver, 0.0f);
  Walk(&driver, {Point(-3, 0, 0), Point(-3, 0, 4)});
  Frames(0.03f, clock_ + 0.3f);
  VehicleRecord* gurney = Vehicle(handle);
  const auto* model = static_cast<const tesk::actor::GurneyModel*>(gurney->model);
  // A step without the transform update after it: its targets come from the placements read below.
  tesk::game_standin::SetClock(game(), clock_ + 0.03f);
  calls::ProcessC(controller());
  const RTFMatrix4x4* world = nullptr;
  const RTFMatrix4x4* toBody = nullptr;
  ASSERT_EQ(kivo::scene_node::GetWorldMatrix(model->loaded.modelRoot, &world), kRTSuccess);
  ASSERT_EQ(kivo::scene_node::GetInverseWorldMatrix(w->BodyNode, &toBody), kRTSuccess);
  for (const auto& [grip, chain] : {std::pair{model->leftGrip, w->LeftArmChain}, std::pair{model->rightGrip, w->RightArmChain}}) {
    RTFMatrix4x4 placed, want, got;
    kivo::Mat4Multiply(grip, *world, &placed);
    kivo::Mat4Multiply(placed, *toBody, &want);
    RTBool on = 0;
    ASSERT_EQ(kivo::articulated::GetReach(w->Animator, chain, &on, &got), kRTSuccess);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(got.m[i / 4][i % 4], want.m[i / 4][i % 4], 1e-5f) << chain << " " << i;
  }
  EXPECT_GT(Position(w).z, 0.05f) << "the driver pushed the gurney along";
}

}  // namespace
}  // namespace actortest

// Wheelchairs and gurneys on the wrapper fixture: the pack holds their stored trees, each a plain
// scene tree of box meshes named as the vehicle's named nodes. The wheelchair's root carries a seat
// 0.6 wide (x), 0.9 high and 0.6 deep, its left big wheel stands twice (the later one at x 0.5),
// the other named parts once. The gurney's root is its body (the body mesh, 0.6 wide, 0.8 high,
// 2.0 long) with the five other parts as its children.
#pragma once

#include "kivo/actor/vehicle_record.h"
#include "vehicle_models.h"
#include "movement_fixture.h"

namespace actortest {

class VehicleTest : public MovementTest {
 protected:
  std::string MoreInstances() const override;
  // The gurney tree's root node, given the fixture's.
  virtual std::string GurneyRoot(const std::string& full) const;
  void InstallMore(tesk::testing::CoreHost& host) override;

  // A new wheelchair or gurney at the point; its handle (kNoVehicle when the add failed).
  uint32_t AddWheelchair(RTFVector3D at);
  uint32_t AddGurney(RTFVector3D at);
  VehicleRecord* Vehicle(uint32_t handle);
  // A character of the skin "Doctor" standing at the point, with the first word given.
  RTTeskActorWrapper* Character(void* object, RTFVector3D at, int32_t firstWord = -1);
  // The root's world translation.
  RTFVector3D WorldPosition(RTInstance node);
};

RTFVector3D Point(float x, float y, float z);

}  // namespace actortest

// A vehicle of the actor component: a wheelchair, a gurney, the ambulance or a carry. Callers
// outside the component hold a vehicle by its handle (actor_calls.h) and turn it into the record
// with GetVehicleN; the first byte of a record is its kind.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/types.h"

namespace kivo::actor {

enum VehicleKind : uint8_t { kWheelchairKind = 0, kGurneyKind = 1, kAmbulanceKind = 2, kCarryKind = 4 };

enum PositionState : uint8_t { kNoPosition = 0, kPositionInUse = 1, kPositionFree = 2 };

inline constexpr uint32_t kVehiclePositions = 4;

}  // namespace kivo::actor

// One seat.
struct VehiclePosition {
  kivo::actor::PositionState state;
  RTInstance node;      // the seat's node under the vehicle's tree; one reference held
  RTInstance attached;  // the rider's node hung on it, or null; one reference held
};

struct VehicleRecord {
  kivo::actor::VehicleKind kind;
  uint32_t active;  // 0 or 1
  RTInstance root;  // the node that carries the whole vehicle; one reference held
  uint32_t users;   // characters on a wheelchair or gurney seat
  VehiclePosition positions[kivo::actor::kVehiclePositions];
  void* model;  // the kind's model block
  void* unused;
  void* scriptObject;  // bound by SetVehicleObject
  uint32_t zone;       // bound by SetVehicleZone: which graph its drivers plan on
};
static_assert(offsetof(VehicleRecord, kind) == 0, "the first byte of a vehicle record is its kind");

// The vehicle pool: the wheelchairs and gurneys in the order added, each with the handle that
// scripts and the game hold for it (an id of the controller's handle table, forgotten when the
// vehicle leaves the pool).
#pragma once

#include <optional>

#include "actor_state.h"
#include "kivo/actor/vehicle_record.h"

namespace tesk::actor {

// Appends the record; its new handle, or kNoVehicle (the record not pooled) when none can be had.
uint32_t PoolVehicle(ActorControllerData& actor, VehicleRecord* record);
// Takes the record out of the pool and forgets its handle.
void UnpoolVehicle(ActorControllerData& actor, VehicleRecord* record);
// The pooled record of the handle; null for kNoVehicle or a handle of none.
VehicleRecord* PooledVehicle(const ActorControllerData& actor, uint32_t handle);
// The record's handle; kNoVehicle when it is not pooled.
uint32_t HandleOf(ActorControllerData& actor, VehicleRecord* record);
// The record's 0-based place in the pool.
std::optional<uint32_t> PoolIndexOf(const ActorControllerData& actor, const VehicleRecord* record);
// Destroys every pooled vehicle and the ambulance (the controller's end).
void DestroyVehicles(ActorControllerData& actor);

}  // namespace tesk::actor

// Wheelchairs and gurneys entering and leaving the world: placed in the room under a point and
// pooled, or taken out of their room and the pool and destroyed; and a gurney's model wound back.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "kivo/actor/vehicle_record.h"
#include "script_cells.h"

namespace tesk::actor {

// *handle := kNoVehicle first; a new active vehicle at the point, in the room there (room 0, with a
// report, when none holds the point). Fails, keeping nothing, without the stored tree, a scene
// tree or any room.
RTSuccess AddWheelchair(RTInstance self, const RTFVector3D* point, uint32_t* handle);
RTSuccess AddGurney(RTInstance self, const RTFVector3D* point, uint32_t* handle);
// Fails with a report for a vehicle not pooled or whose root stands in no room (it stays pooled).
RTSuccess RemoveWheelchair(RTInstance self, VehicleRecord* vehicle);
RTSuccess RemoveGurney(RTInstance self, VehicleRecord* vehicle);
// The pooled vehicle of the handle removed by its kind. Refused with a report: a handle of none
// ("NULL vehicle."), and a vehicle that characters still use, which would be left on a vehicle
// that is gone.
RTSuccess RemoveVehicle(RTInstance self, uint32_t handle);
// Every pooled vehicle removed; one that cannot be (in use, its root in no room) is reported and
// stays pooled.
RTSuccess RemoveAllVehicles(RTInstance self);
// A gurney's modifiers rewound, body and model root at the origin, the tree's bounds again; any
// other kind is left alone.
RTSuccess ResetGurneyLocalSpaceC(RTInstance self, VehicleRecord* vehicle);
// Script (handle): ResetGurneyLocalSpaceC of the pooled vehicle; always 1.
RTSuccess ResetGurneyLocalSpace(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                VM vm);

}  // namespace tesk::actor

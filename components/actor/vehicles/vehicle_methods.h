// The vehicle accessors of the actor component: where a vehicle stands and faces, its place in the
// pool and the script's view of its handle. The plain accessors report and fail for a null
// vehicle; the script forms write the value word of the result cell and keep its type code.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "kivo/actor/vehicle_record.h"
#include "script_cells.h"

namespace tesk::actor {

RTSuccess GetVehiclePositionC(RTInstance self, VehicleRecord* vehicle, RTFVector3D* position);
// Sets the root's translation; no transform update.
RTSuccess SetVehiclePositionC(RTInstance self, VehicleRecord* vehicle, const RTFVector3D* position);
RTSuccess GetVehicleAheadVectorC(RTInstance self, VehicleRecord* vehicle, RTFVector3D* ahead);
RTSuccess GetVehicleRightVectorC(RTInstance self, VehicleRecord* vehicle, RTFVector3D* right);
RTSuccess VehicleLocalToWorldC(RTInstance self, VehicleRecord* vehicle, const RTFVector3D* local, RTFVector3D* world);
// Turns the root's placement to face `degrees` about the vertical (0: +z, 90: +x) in place.
RTSuccess SetVehicleOrientationC(RTInstance self, VehicleRecord* vehicle, float degrees);

// *vehicle := null first; the pooled record of the handle, else failure.
RTSuccess GetVehicleN(RTInstance self, uint32_t handle, VehicleRecord** vehicle);
// *index := -1 first; the record's pool index, else failure.
RTSuccess GetVehicleIndex(RTInstance self, VehicleRecord* vehicle, uint32_t* index);
// Script: the pool index of the vehicle the actor uses, -1 for none or one not pooled.
RTSuccess GetVehicle(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// Script (handle): the game's scene handle of the vehicle's root node; the result is left alone
// for a handle that is not pooled. Always 1.
RTSuccess GetVehicleNode(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor

// Taking a seat of a wheelchair (pusher 0, rider 1) or a gurney (driver 0, patient on the bed 1):
// the vehicle's and the character's nodes are hung so that they move as one, and the character
// takes the seat's vehicle mode and steering values. A refusal changes nothing.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "kivo/actor/vehicle_record.h"
#include "script_cells.h"

namespace tesk::actor {

// 1 when the seat is taken, 0 when refused.
RTSuccess UseWheelchairC(RTInstance self, RTTeskActorWrapper& w, VehicleRecord& vehicle, int32_t seat);
// Refuses, with a message, a vehicle that is no gurney.
RTSuccess UseGurneyC(RTInstance self, RTTeskActorWrapper& w, VehicleRecord& vehicle, int32_t seat);

// Script (handle): a bool in the result cell.
RTSuccess CanUseWheelchairN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess CanUseGurneyN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// Script (handle, seat): refusals are only reported; 0 only without a wrapper.
RTSuccess UseWheelchairN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess UseGurneyN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

// The nearest pooled vehicle (any kind) whose model root's object box the ray meets: its handle,
// else 0 with *handle untouched.
RTSuccess FindWheelchairClicked(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction,
                                uint32_t* handle);
// The same with each root's own bounds: the pool index; the earlier of two as near.
RTSuccess FindGurneyClicked(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction, uint32_t* index);

}  // namespace tesk::actor

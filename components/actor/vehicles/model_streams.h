// The save data of a wheelchair's and a gurney's model block: u32 version 1, then
//   wheelchair: its six floats
//   gurney:     its matrix, the left and the right grip matrix (16 floats each), then its two floats
// A version of 0 is refused; a higher one reads as 1. Reading changes the block only once the
// whole part has been read. Each fails for a null vehicle or one of another kind.
#pragma once

#include "kivo/actor/vehicle_record.h"

namespace tesk::actor {

RTSuccess StreamWheelchairModelOut(RTInstance self, VehicleRecord* vehicle, RTInstance stream);
RTSuccess StreamWheelchairModelIn(RTInstance self, VehicleRecord* vehicle, RTInstance stream);
RTSuccess StreamGurneyModelOut(RTInstance self, VehicleRecord* vehicle, RTInstance stream);
RTSuccess StreamGurneyModelIn(RTInstance self, VehicleRecord* vehicle, RTInstance stream);

}  // namespace tesk::actor

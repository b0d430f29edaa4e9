// The room's hit-test methods (room_calls.h), registered by rt_brellin_room.cpp.
#pragma once

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace room {

RTSuccess RayHitTest(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction, float* distance,
                     RTFVector3D* point, uint32_t* wordA, RTInstance* wordB);
RTSuccess SphereHitTest(RTInstance self, const RTFVector3D* start, const RTFVector3D* movement, float radius,
                        float* distance, RTFVector3D* point, RTFVector3D* normal, uint32_t* wordA, RTInstance* wordB);
RTSuccess SetHitTestFilter(RTInstance self, RTInstance filter);

}  // namespace room

// A room's lighting result and whether its lights are dropped (see room_calls.h).
#pragma once

#include "kivo/types.h"

namespace room {

RTSuccess GetLightingResult(RTInstance self, RTInstance* result);
RTSuccess SetLightsDropped(RTInstance self, RTBool dropped);
RTSuccess GetLightsDropped(RTInstance self, RTBool* dropped);

}  // namespace room

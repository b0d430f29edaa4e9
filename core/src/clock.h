// The core clock: milliseconds since core start-up.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

void StartupClock();
uint32_t CoreTimeMs();
RTSuccess GetTime(RTInstance ctx, uint32_t* milliseconds);

}  // namespace kivo::core

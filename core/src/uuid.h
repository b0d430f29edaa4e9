// Time-based (version 1) UUIDs whose node is the machine's network adapter address.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

RTSuccess UUIDCreate(RTInstance ctx, RTUUID** out);
RTSuccess UUIDFree(RTInstance ctx, RTUUID* uuid);
RTSuccess UUIDGenerate(RTInstance ctx, RTUUID* uuid);
RTSuccess UUIDCompare(RTInstance ctx, const RTUUID* a, const RTUUID* b, int32_t* order);

}  // namespace kivo::core

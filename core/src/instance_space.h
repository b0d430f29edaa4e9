// The core's side of the instance space, a network of cores joined through the outside
// components RTISClient, RTISServer and RTSocket. Every call on them goes through the wrappers
// here; without a client the remote operations report their messages and fail.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

// The RTISClient singleton (created when asked) with a reference.
RTSuccess FindISClient(bool create, RTInstance* out);
RTSuccess ISClientCreateRemote(const char16_t* className, RTInstance* out);
RTSuccess ISClientLookup(const char16_t* path, RTInstance* out);
RTSuccess ISClientDispatch(RTInstance client, const RTUUID& uuid, uint32_t globalIndex, void* block,
                           uint32_t blockSize);

RTSuccess ConnectInstanceSpace(RTInstance ctx, uintptr_t, uintptr_t, uintptr_t, const char16_t* address);
RTSuccess InstanceSpaceClientNop();
RTSuccess StartInstanceSpaceServer(RTInstance ctx, uintptr_t, uintptr_t, const char16_t* address);
RTSuccess InstanceSpaceServerNop();
RTSuccess GetLocalNodeID(RTInstance ctx, uint32_t* id);
RTSuccess ServiceInstanceSpaceClient();

}  // namespace kivo::core

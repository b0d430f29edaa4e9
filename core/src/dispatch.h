// Dispatch for instances whose real object lives elsewhere on the instance space: forwarding
// stubs pack a method's arguments into a block for DispatchMethod, receiving stubs unpack a block
// and call the real method. Stubs are libffi closures made from the parsed parameter lists.
//
// Argument block: the parameters in list order, packed: a by-value parameter as one
// pointer-sized argument word (its value in the low bytes, the rest zero), an `in` parameter as
// a copy of its type's size, an array parameter as its type's size of zeros.
#pragma once

#include "coreregistry/component_entry.h"
#include "kivo/support/stream_header.h"

namespace kivo::core {

RTSuccess InstallDispatchTables(RTInstance ctx, RTInstance instance, uint32_t word);
RTSuccess CreateInstanceFromHeader(RTInstance ctx, RTStreamHeader* header, RTInstance* out, uint32_t word);
// The target of every forwarding stub: hands the block to the instance-space client.
RTSuccess DispatchMethod(RTInstance instance, uint32_t globalIndex, void* block, uint32_t blockSize);
// Unpacks a block of `blockSize` bytes and calls the instance's real method; a block shorter than
// the method's parameters is refused.
RTSuccess ReceiveDispatch(RTInstance ctx, RTInstance instance, uint32_t globalIndex, const void* block,
                          uint32_t blockSize);
RTSuccess FindMethodByIndex(RTInstance ctx, RTInstance instance, uint32_t globalIndex, ComponentEntry** level,
                            RTMethodRecord** method);

// Frees a class level's dispatch tables and stubs.
void FreeDispatchTables(ComponentEntry* entry);

}  // namespace kivo::core

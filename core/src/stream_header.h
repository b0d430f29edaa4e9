// Stream headers and the streaming of one instance.
#pragma once

#include "kivo/support/stream_header.h"

namespace kivo::core {

RTSuccess BuildStreamHeader(RTInstance ctx, RTInstance instance, uint32_t sizeWord, RTStreamHeader** out);
RTSuccess WriteStreamHeader(RTInstance ctx, RTStreamHeader* header, RTInstance stream);
// The record is the caller's to free, also when the read fails part way.
RTSuccess ReadStreamHeader(RTInstance ctx, RTInstance stream, RTStreamHeader** out);
RTSuccess FreeStreamHeader(RTInstance ctx, RTStreamHeader* header);
// Writes only the component data of the instance (its StreamOut) into the stream.
RTSuccess StreamInstanceOut(RTInstance ctx, RTInstance instance, uint32_t sizeWord, uintptr_t unused,
                            RTInstance stream);

}  // namespace kivo::core

// Error reporting: RaiseError, the debug output and the error log "kivo-error-log.txt" in the
// framework root.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

// Writes "[ERROR RAISED]: (time) text" to the debug output and "(time) text" to the log, the time
// being milliseconds since core start. The level is accepted and not recorded.
RTSuccess RaiseError(RTInstance ctx, const char16_t* text, uint32_t level);
RTSuccess DebugPrint(RTInstance ctx, const char16_t* text);
// Takes the newest queued error text. Nothing in the core queues errors, so this reports an
// empty queue unless a future source feeds it.
RTSuccess GetNextError(RTInstance ctx, char16_t* buffer, uint32_t length, uint32_t* out);

// The debug stream: an RTStream instance that receives a copy of every debug line.
RTSuccess SetDebugStream(RTInstance ctx, RTInstance stream);
RTSuccess FlushDebugStream();
RTSuccess CopyDebugStream(RTInstance ctx, RTInstance destination);
void ReleaseDebugStream();

// Opens the log; fails when the framework root cannot be read or the file cannot be created.
RTSuccess StartupErrorLog();
void ShutdownErrorLog();

}  // namespace kivo::core

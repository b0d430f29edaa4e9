// The VM snapshot of the developer instruction `debug`: 0 writes the running VM into the file
// "c:/temp-varno.stream" (mapped by the file stream to a native path), 1 reads it back.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

inline constexpr char16_t kDebugSnapshotFile[] = u"c:/temp-varno.stream";

// Each opens the file through a file stream, writes (reads) the snapshot, destroys the patch
// table and releases the stream.
RTSuccess WriteDebugSnapshot(RTVarnoVM* vm);
RTSuccess ReadDebugSnapshot(RTVarnoVM* vm);

}  // namespace varno

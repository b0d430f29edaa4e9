// The VM snapshot as the developer instruction `debug` writes and reads it. The snapshot streaming
// itself is installed here by the part of the component that implements it; without it the
// instruction reports that snapshots are not available.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

using SnapshotFunction = RTSuccess (*)(RTVarnoVM* vm, RTInstance stream);

void SetSnapshotFunctions(SnapshotFunction write, SnapshotFunction read);
// The installed functions, or null.
SnapshotFunction SnapshotWriter();
SnapshotFunction SnapshotReader();

// The file both use: "c:/temp-varno.stream", mapped by the file stream to a native path.
inline constexpr char16_t kDebugSnapshotFile[] = u"c:/temp-varno.stream";

// Creates a file stream, opens the snapshot file (writing or reading), runs the installed function
// over it, closes and releases the stream.
RTSuccess WriteDebugSnapshot(RTVarnoVM* vm);
RTSuccess ReadDebugSnapshot(RTVarnoVM* vm);

}  // namespace varno

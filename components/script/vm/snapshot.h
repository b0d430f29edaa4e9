// VM snapshots (saved games): the whole state of a VM written into a stream instance and read back
// into a VM. The object index or patch table and the type map stay until VNDestroyPatchTable
// (vm/snapshot_tables.h), for the host's own object references after the snapshot.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

// Writes the snapshot: the type names, one collector run, then the contexts in the order of the
// VM's list and every script object. Succeeds when every item was written.
RTSuccess VNStreamOut(RTInstance stream, RTVarnoVM* vm);

// Reads a snapshot into the VM. Everything is read and checked into new contexts and objects
// first; only a snapshot read whole replaces the VM's contexts (a context that the interpreter is
// running goes when the interpreter returns), fills the singletons and forgets the native
// references. A snapshot refused for any reason is reported and leaves the VM, its objects and its
// type table as they were. After a successful read the scheduler starts a new pass at the first
// context.
RTSuccess VNStreamIn(RTInstance stream, RTVarnoVM* vm);

}  // namespace varno

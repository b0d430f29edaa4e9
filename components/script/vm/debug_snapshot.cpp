#include "vm/debug_snapshot.h"

#include "compiler/report.h"
#include "kivo/support/stream_calls.h"
#include "vm/snapshot.h"
#include "vm/snapshot_tables.h"

namespace varno {

namespace {

using SnapshotFunction = RTSuccess (*)(RTInstance stream, RTVarnoVM* vm);

RTSuccess WithSnapshotFile(RTVarnoVM* vm, uint32_t mode, SnapshotFunction function) {
  CoreTable* core = kivo::ModuleCore();
  RTInstance stream = nullptr;
  if (!core->CreateInstanceByString(nullptr, u"RTBrellinFileStream", &stream, 0, 0) || !stream) return kRTFailure;
  RTSuccess done = kRTFailure;
  if (kivo::file_stream::Open(stream, kDebugSnapshotFile, mode)) {
    done = function(stream, vm);
    VNDestroyPatchTable();
    // A written file replaces the old one when the stream closes: a snapshot that failed is
    // dropped with the stream instead.
    if (done && !kivo::stream::Close(stream)) done = kRTFailure;
  } else {
    Raise(u"[VARNO VM] _DEBUG(): Cannot open the snapshot file (%s)!", kDebugSnapshotFile);
  }
  core->ReleaseInstance(nullptr, stream);
  return done;
}

}  // namespace

RTSuccess WriteDebugSnapshot(RTVarnoVM* vm) { return WithSnapshotFile(vm, kivo::file_stream::kWriteNew, VNStreamOut); }

RTSuccess ReadDebugSnapshot(RTVarnoVM* vm) { return WithSnapshotFile(vm, kivo::file_stream::kReadExisting, VNStreamIn); }

}  // namespace varno

#include "vm/snapshot_hooks.h"

#include "compiler/report.h"
#include "kivo/support/stream_calls.h"

namespace varno {

namespace {

SnapshotFunction gWrite = nullptr;
SnapshotFunction gRead = nullptr;

RTSuccess WithSnapshotFile(RTVarnoVM* vm, uint32_t mode, SnapshotFunction function) {
  if (!function) {
    Raise(u"[VARNO VM] _DEBUG(): VM snapshots are not available!");
    return kRTFailure;
  }
  CoreTable* core = kivo::ModuleCore();
  RTInstance stream = nullptr;
  if (!core->CreateInstanceByString(nullptr, u"RTBrellinFileStream", &stream, 0, 0) || !stream) return kRTFailure;
  RTSuccess done = kRTFailure;
  if (kivo::file_stream::Open(stream, kDebugSnapshotFile, mode)) {
    done = function(vm, stream);
    kivo::stream::Close(stream);
  }
  core->ReleaseInstance(nullptr, stream);
  return done;
}

}  // namespace

void SetSnapshotFunctions(SnapshotFunction write, SnapshotFunction read) {
  gWrite = write;
  gRead = read;
}

SnapshotFunction SnapshotWriter() { return gWrite; }

SnapshotFunction SnapshotReader() { return gRead; }

RTSuccess WriteDebugSnapshot(RTVarnoVM* vm) { return WithSnapshotFile(vm, kivo::file_stream::kWriteNew, gWrite); }

RTSuccess ReadDebugSnapshot(RTVarnoVM* vm) { return WithSnapshotFile(vm, kivo::file_stream::kReadExisting, gRead); }

}  // namespace varno
